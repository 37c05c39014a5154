// The built-in table of video standards completed by initVidStdTables,
// lookups by value text, the description and the constants.

#include "vid_std.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <utility>

#include "expr/expr_text.h"

namespace {

using ::testing::HasSubstr;

std::string described(const vidStd_t& standard) {
  testing::internal::CaptureStdout();
  describeVidStd(standard);
  return testing::internal::GetCapturedStdout();
}

std::string text(const vidExtent_t& e) {
  return std::to_string(e.start) + ".." + std::to_string(e.stop);
}

TEST(VidStd, DescribesStandards) {
  std::map<std::string, std::string> descriptions;  // by the first line
  std::ifstream in(CASES_DIR "/vid_std/descriptions.txt");
  std::string name;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') {
      name.clear();
    } else {
      if (name.empty()) name = line;
      descriptions[name] += line + "\n";
    }
  }
  EXPECT_EQ(descriptions.size(), 2u);
  for (const auto& [name, description] : descriptions) {
    const vidStd_t* standard = findVidStd(name);
    ASSERT_NE(standard, nullptr) << name;
    EXPECT_EQ(described(*standard), description);
  }
  EXPECT_THAT(described(*findVidStd("625i/50")),
              HasSubstr("\nClean aperture not defined\n"));
}

// The whole table completes without a broken precondition (the shared
// production apertures agree on their centres); a few derivations that
// the descriptions do not show.
TEST(VidStd, CompletedTable) {
  initVidStdTables();
  const vidAperture_t* p0 = vidProdApList[0];
  EXPECT_EQ(std::to_string(p0->dim.line) + " " + text(p0->h) + " " +
                text({p0->vCentre.pixelLow, p0->vCentre.pixelHigh}) + " " +
                text(vidStdList[0]->blanking[0][0]) + " " +
                text(vidStdList[0]->blanking[0][1]),
            "1080 0..1919 581..582 1..41 1122..1125");
  // C4, given as field-2 line 338 to field-1 line 308 of 625.
  const vidAperture_t* c4 = vidCleanApList[4];
  EXPECT_EQ(text(c4->v[0]) + " " + text(c4->v[1]) + " " +
                text({c4->dim.sample, c4->dim.line}),
            "26..308 338..620 690..566");
  // Field 2 of P9 ends on the frame's last line: one blanking range.
  int count = 0;
  for (vidStd_t* const* v = vidStdList; *v != nullptr; ++v, ++count) {
    if ((*v)->prodAp != vidProdApList[9]) continue;
    EXPECT_EQ(text((*v)->blanking[1][0]) + " " + text((*v)->blanking[1][1]),
              "264..285 0..0");
  }
  EXPECT_EQ(count, 77);
  const vidStdMaxima_t& m = vidStdMaxima;
  EXPECT_EQ(text({m.total.sample, m.total.line}) + " " +
                text({m.prodAp.sample, m.prodAp.line}) + " " +
                text({m.cleanAp.sample, m.cleanAp.line}),
            "8250..1125 2048..1080 2014..1062");
}

// Each value of constants.txt under the parameter "v"; an entry already
// there is kept, and unknown parameters and constants add nothing.
TEST(VidStd, ConstantsOfTheStandardAValueNames) {
  const std::string constants[] = {"spal", "alpf", "sptl", "tlpf", "fr",
                                   "clkDiv", "f0", "f1", "f0v0", "f0v1",
                                   "f1v0", "f1v1", "f0sw", "f1sw"};
  VidStdReferences references;
  for (const std::string& name : constants) references.emplace("v", name);
  for (const auto& c : caseRows("vid_std/constants.txt", 2)) {
    ValueMap values = {{"v", c[0]}};
    addVidStdConstantValues(values, references);
    std::string got;
    for (const std::string& constant : constants) {
      const auto found = values.find("vidStd::v::" + constant);
      if (found == values.end()) continue;
      got += (got.empty() ? "" : " ") + constant + "=" + found->second;
    }
    EXPECT_EQ(got, c[1]) << c[0];
  }
  ValueMap values = {{"v", "720p/59.94"}, {"vidStd::v::fr", "kept"}};
  addVidStdConstantValues(values,
                          {{"v", "fr"}, {"v", "SPAL"}, {"absent", "spal"}});
  EXPECT_EQ(values, (ValueMap{{"v", "720p/59.94"}, {"vidStd::v::fr", "kept"}}));
}

// A table that contradicts itself stops initialisation. Each case runs in
// a fresh process, where the table has not been completed yet.
TEST(VidStdDeathTest, ContradictoryTableStopsInitialisation) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::pair<void (*)(), const char*> cases[] = {
      {[] { vidProdApList[3]->dim.sample = 0; }, "(*ap)->dim.sample != 0"},
      {[] {
         vidStdList[0]->prodCentre = false;
         vidStdList[0]->cleanAp = nullptr;
       },
       "(*v)->prodCentre || (*v)->cleanAp != __null"},
      {[] { vidStdList[1]->cleanAp = vidProdApList[0]; }, "cleanAp != __null"},
      // The second 1080p standard shares P0 with the first, which set its
      // centre; a different range now puts it elsewhere.
      {[] {
         vidStdList[1]->prodAp = vidProdApList[3];
         vidProdApList[3]->vCentre = {1, 2};
       },
       "prodAp->vCentre.pixelHigh == c.pixelHigh"},
      {[] { vidCleanApList[0]->dim.line = 0; }, "cleanAp->dim.line != 0"},
  };
  for (const auto& [corrupt, condition] : cases) {
    EXPECT_DEATH(
        {
          corrupt();
          initVidStdTables();
        },
        HasSubstr("Precondition `" + std::string(condition) + "' failed.\n"));
  }
}

}  // namespace
