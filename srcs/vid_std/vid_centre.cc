#include "vid_centre.h"

#include <algorithm>
#include <iterator>

#include "vid_std/precondition.h"

// Reported by the function the caller called, so each checks its own line.
#define REQUIRE_LINE(line, tlpf)                                           \
  VID_STD_REQUIRE((line) >= 1 && (line) <= (tlpf), "line >= 1 && line <= " \
                                                   "tlpf")

uint32_t vidExtentSize(const vidExtent_t& extent) {
  return extent.stop - extent.start + 1;
}

uint32_t vidHalfFrame(uint32_t tlpf) { return (tlpf + 1) / 2; }

uint32_t progToIntLine(uint32_t line, uint32_t tlpf) {
  REQUIRE_LINE(line, tlpf);
  if (line % 2 == 1) return (line + 1) / 2;
  return vidHalfFrame(tlpf) + line / 2;
}

uint32_t intToProgLine(uint32_t line, uint32_t tlpf) {
  REQUIRE_LINE(line, tlpf);
  const uint32_t half = vidHalfFrame(tlpf);
  if (line <= half) return 2 * line - 1;
  return 2 * (line - half);
}

vidExtent_t progToIntExtent(const vidExtent_t& extent, uint32_t tlpf) {
  return {progToIntLine(extent.start, tlpf), progToIntLine(extent.stop, tlpf)};
}

vidExtent_t intToProgExtent(const vidExtent_t& extent, uint32_t tlpf) {
  return {intToProgLine(extent.start, tlpf), intToProgLine(extent.stop, tlpf)};
}

void fieldToProgRange(vidExtent_t& out, const vidExtent_t (&fields)[2],
                      uint32_t tlpf) {
  const uint32_t values[4] = {fields[0].start, fields[1].start, fields[0].stop,
                              fields[1].stop};
  const auto num = std::count_if(std::begin(values), std::end(values),
                                 [](uint32_t value) { return value != 0; });
  VID_STD_REQUIRE(num == 2 || num == 4, "num == 2 || num == 4");
  if (num == 2) {
    const uint32_t start =
        fields[0].start != 0 ? fields[0].start : fields[1].start;
    const uint32_t stop = fields[0].stop != 0 ? fields[0].stop : fields[1].stop;
    out = intToProgExtent({start, stop}, tlpf);
    return;
  }
  // The two fields interleave: their first lines, and their last lines,
  // are neighbours in picture order.
  const auto adjacentPair = [tlpf](uint32_t a, uint32_t b) {
    const uint32_t tuple[2] = {intToProgLine(a, tlpf), intToProgLine(b, tlpf)};
    VID_STD_REQUIRE(tuple[0] == tuple[1] + 1 || tuple[0] == tuple[1] - 1,
                    "tuple[0] == tuple[1] + 1 || tuple[0] == tuple[1] - 1");
    return vidExtent_t{std::min(tuple[0], tuple[1]),
                       std::max(tuple[0], tuple[1])};
  };
  out.start = adjacentPair(fields[0].start, fields[1].start).start;
  out.stop = adjacentPair(fields[0].stop, fields[1].stop).stop;
}

void splitFieldRange(vidExtent_t (&fields)[2], const vidExtent_t& range,
                     uint32_t tlpf) {
  const uint32_t half = vidHalfFrame(tlpf);
  const int startField = range.start <= half ? 0 : 1;
  fields[startField].start = range.start;
  fields[1 - startField].start =
      progToIntLine(intToProgLine(range.start, tlpf) + 1, tlpf);
  const int stopField = range.stop <= half ? 0 : 1;
  fields[stopField].stop = range.stop;
  fields[1 - stopField].stop =
      progToIntLine(intToProgLine(range.stop, tlpf) - 1, tlpf);
}

void calcOutsideRegion(vidExtent_t (&out)[2], const vidExtent_t& in,
                       const vidExtent_t& full) {
  VID_STD_REQUIRE(in.stop >= in.start, "in.stop >= in.start");
  out[0] = out[1] = vidExtent_t{};
  int filled = 0;
  if (in.start > full.start) out[filled++] = {full.start, in.start - 1};
  if (in.stop < full.stop) out[filled++] = {in.stop + 1, full.stop};
}

uint32_t calcCentreRangeOffset(uint32_t rangeSize, uint32_t fullSize,
                               bool roundUp) {
  VID_STD_REQUIRE(rangeSize <= fullSize, "rangeSize <= fullSize");
  return (fullSize - rangeSize + (roundUp ? 1 : 0)) / 2;
}

void calcCentreRange(vidExtent_t& out, uint32_t size, const vidExtent_t& in,
                     bool roundUp) {
  VID_STD_REQUIRE(in.stop >= in.start, "e.stop >= e.start");
  out.start =
      in.start + calcCentreRangeOffset(size, vidExtentSize(in), roundUp);
  out.stop = out.start + size - 1;
}

void calcVidCentre(vidCentre_t& out, const vidExtent_t& e) {
  VID_STD_REQUIRE(e.stop >= e.start, "e.stop >= e.start");
  const uint32_t size = vidExtentSize(e);
  out.pixelHigh = e.start + size / 2;
  out.pixelLow = size % 2 == 0 ? out.pixelHigh - 1 : out.pixelHigh;
}

void centreFieldRange(vidExtent_t& out, uint32_t size,
                      const vidExtent_t (&fields)[2], uint32_t tlpf,
                      bool roundUp) {
  vidExtent_t progressive;
  fieldToProgRange(progressive, fields, tlpf);
  vidExtent_t centred;
  calcCentreRange(centred, size, progressive, roundUp);
  out = progToIntExtent(centred, tlpf);
}

void calcFieldCentre(vidCentre_t& out, const vidExtent_t (&fields)[2],
                     uint32_t tlpf) {
  vidExtent_t progressive;
  fieldToProgRange(progressive, fields, tlpf);
  vidCentre_t centre;
  calcVidCentre(centre, progressive);
  out.pixelLow = progToIntLine(centre.pixelLow, tlpf);
  out.pixelHigh = progToIntLine(centre.pixelHigh, tlpf);
}
