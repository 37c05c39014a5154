// Looking standards up by the value text of a parameter, and the constants
// trap conditions read from them.

#include "vid_std.h"

#include <cstring>

#include "expr/constant_names.h"

const vidStd_t* findVidStd(const std::string& text) {
  initVidStdTables();
  // A value may name a standard and carry more after it, so any name that
  // begins the text matches. Several can: "1080p/30.00" begins
  // "1080p/30.00sF", and two entries of the table share each of
  // "625i/50" and "525i/59.94". The name equal to the whole text wins,
  // then the longest name that begins it, so that every psF value finds
  // its psF entry; among entries of the same name the first is taken.
  const vidStd_t* best = nullptr;
  size_t bestLength = 0;
  for (vidStd_t* const* v = vidStdList; *v != nullptr; ++v) {
    const size_t length = std::strlen((*v)->name);
    if (text.compare(0, length, (*v)->name) != 0) continue;
    if (length == text.size()) return *v;
    if (best == nullptr || length > bestLength) {
      best = *v;
      bestLength = length;
    }
  }
  return best;
}

namespace {

// The value of `constant` for `standard`; false for a name that is none
// of the fourteen.
bool constantValue(const vidStd_t& standard, const std::string& constant,
                   uint32_t& value) {
  const struct {
    const char* name;
    uint32_t value;
  } constants[] = {
      {"spal", standard.prodAp->dim.sample},
      {"alpf", standard.prodAp->dim.line},
      {"sptl", standard.total.sample},
      {"tlpf", standard.total.line},
      {"fr", standard.frameRate},
      {"clkDiv", standard.rate1001 ? 1u : 0u},
      {"f0", standard.timingRefs[4]},
      {"f1", standard.timingRefs[5]},
      {"f0v0", standard.timingRefs[1]},
      {"f0v1", standard.timingRefs[2]},
      {"f1v0", standard.timingRefs[3]},
      {"f1v1", standard.timingRefs[0]},
      {"f0sw", standard.switchPoints[0]},
      {"f1sw", standard.switchPoints[1]},
  };
  for (const auto& entry : constants) {
    if (constant == entry.name) {
      value = entry.value;
      return true;
    }
  }
  return false;
}

}  // namespace

void addVidStdConstantValues(ValueMap& values,
                             const VidStdReferences& references) {
  for (const auto& [parameter, constant] : references) {
    const auto text = values.find(parameter);
    if (text == values.end()) continue;
    const vidStd_t* standard = findVidStd(text->second);
    uint32_t value = 0;
    if (standard == nullptr || !constantValue(*standard, constant, value)) {
      continue;
    }
    values.try_emplace(vidStdConstantName(parameter, constant),
                       std::to_string(value));
  }
}
