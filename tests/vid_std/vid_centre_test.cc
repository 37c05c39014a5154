// Line numberings and centring of the video standard library.

#include "vid_centre.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using ::testing::AllOf;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;

std::string text(const vidExtent_t& e) {
  return std::to_string(e.start) + ".." + std::to_string(e.stop);
}

std::string text(const vidCentre_t& c) {
  return std::to_string(c.pixelLow) + "|" + std::to_string(c.pixelHigh);
}

std::string text(const vidExtent_t (&fields)[2]) {
  return text(fields[0]) + " " + text(fields[1]);
}

// Over whole frames, odd and even, each numbering is a one-to-one mapping
// of 1..tlpf and the other's inverse; progressive neighbours alternate
// between the fields.
TEST(VidCentre, LineNumberingsAreInverse) {
  EXPECT_EQ(progToIntLine(1, 1125), 1u);
  EXPECT_EQ(progToIntLine(2, 1125), 564u);
  EXPECT_EQ(intToProgLine(564, 1125), 2u);
  EXPECT_EQ(intToProgLine(563, 1125), 1125u);
  for (uint32_t tlpf : {1125u, 625u, 525u, 750u, 1u, 2u}) {
    std::set<uint32_t> seen;
    const uint32_t half = vidHalfFrame(tlpf);
    for (uint32_t line = 1; line <= tlpf; ++line) {
      const uint32_t interlaced = progToIntLine(line, tlpf);
      ASSERT_GE(interlaced, 1u);
      ASSERT_LE(interlaced, tlpf);
      seen.insert(interlaced);
      ASSERT_EQ(intToProgLine(interlaced, tlpf), line) << tlpf;
      ASSERT_EQ(progToIntLine(intToProgLine(line, tlpf), tlpf), line) << tlpf;
      ASSERT_EQ(interlaced <= half, line % 2 == 1) << tlpf << " " << line;
    }
    EXPECT_EQ(seen.size(), tlpf);
  }
  EXPECT_EQ(text(intToProgExtent({338, 308}, 625)), "50..615");
  EXPECT_EQ(text(progToIntExtent({50, 615}, 625)), "338..308");
}

TEST(VidCentre, Centring) {
  vidCentre_t centre;
  calcVidCentre(centre, {0, 1919});
  EXPECT_EQ(text(centre), "959|960");
  calcVidCentre(centre, {1, 3});
  EXPECT_EQ(text(centre), "2|2");

  vidExtent_t range;
  calcCentreRange(range, 1888, {0, 1919}, true);
  EXPECT_EQ(text(range), "16..1903");
  calcCentreRange(range, 1887, {0, 1919}, true);
  EXPECT_EQ(text(range), "17..1903");
  calcCentreRange(range, 1887, {0, 1919}, false);
  EXPECT_EQ(text(range), "16..1902");
  EXPECT_EQ(calcCentreRangeOffset(0, 33, true), 17u);
  EXPECT_EQ(calcCentreRangeOffset(0, 33, false), 16u);
  EXPECT_EQ(calcCentreRangeOffset(33, 33, true), 0u);

  vidExtent_t outside[2];
  calcOutsideRegion(outside, {42, 1121}, {1, 1125});
  EXPECT_EQ(text(outside), "1..41 1122..1125");
  calcOutsideRegion(outside, {1, 1121}, {1, 1125});
  EXPECT_EQ(text(outside), "1122..1125 0..0");
  calcOutsideRegion(outside, {286, 525}, {264, 525});
  EXPECT_EQ(text(outside), "264..285 0..0");
  calcOutsideRegion(outside, {1, 1125}, {1, 1125});
  EXPECT_EQ(text(outside), "0..0 0..0");
}

// A 1125-line frame's production aperture: fields 21..560 and 584..1123
// are progressive lines 41..1120.
TEST(VidCentre, FieldRanges) {
  const vidExtent_t fields[2] = {{21, 560}, {584, 1123}};
  vidExtent_t progressive;
  fieldToProgRange(progressive, fields, 1125);
  EXPECT_EQ(text(progressive), "41..1120");
  const vidExtent_t single[2] = {{338, 308}, {0, 0}};
  fieldToProgRange(progressive, single, 625);
  EXPECT_EQ(text(progressive), "50..615");

  vidCentre_t centre;
  calcFieldCentre(centre, fields, 1125);
  EXPECT_EQ(text(centre), "853|291");
  vidExtent_t centred;
  centreFieldRange(centred, 1062, fields, 1125, true);
  EXPECT_EQ(text(centred), "588..556");

  vidExtent_t split[2];
  splitFieldRange(split, {588, 556}, 1125);
  EXPECT_EQ(text(split), "26..556 588..1118");
  splitFieldRange(split, {338, 308}, 625);
  EXPECT_EQ(text(split), "26..308 338..620");
  splitFieldRange(split, {21, 1123}, 1125);
  EXPECT_EQ(text(split), "21..560 584..1123");
}

// A broken precondition stops the process naming the condition, the file,
// the line and the function.
TEST(VidCentreDeathTest, PreconditionsStopTheProcess) {
  const vidExtent_t three[2] = {{21, 560}, {584, 0}};
  const vidExtent_t apart[2] = {{21, 560}, {590, 1123}};
  vidExtent_t range;
  vidCentre_t centre;
  vidExtent_t outside[2];
  EXPECT_DEATH(progToIntLine(0, 625),
               AllOf(ContainsRegex("vid_centre\\.cc:[0-9]+: progToIntLine: "),
                     HasSubstr("Precondition `line >= 1 && line <= tlpf' "
                               "failed.\n")));
  EXPECT_DEATH(intToProgLine(626, 625),
               HasSubstr(": intToProgLine: Precondition "
                         "`line >= 1 && line <= tlpf' failed.\n"));
  EXPECT_DEATH(fieldToProgRange(range, three, 1125),
               HasSubstr(": fieldToProgRange: Precondition "
                         "`num == 2 || num == 4' failed.\n"));
  EXPECT_DEATH(fieldToProgRange(range, apart, 1125),
               HasSubstr("Precondition `tuple[0] == tuple[1] + 1 || "
                         "tuple[0] == tuple[1] - 1' failed.\n"));
  EXPECT_DEATH(calcOutsideRegion(outside, {5, 4}, {1, 9}),
               HasSubstr(": calcOutsideRegion: Precondition "
                         "`in.stop >= in.start' failed.\n"));
  EXPECT_DEATH(calcCentreRangeOffset(5, 4, true),
               HasSubstr(": calcCentreRangeOffset: Precondition "
                         "`rangeSize <= fullSize' failed.\n"));
  EXPECT_DEATH(calcCentreRange(range, 1, {5, 4}, true),
               HasSubstr(": calcCentreRange: Precondition "
                         "`e.stop >= e.start' failed.\n"));
  EXPECT_DEATH(calcVidCentre(centre, {5, 4}),
               HasSubstr(": calcVidCentre: Precondition "
                         "`e.stop >= e.start' failed.\n"));
}

}  // namespace
