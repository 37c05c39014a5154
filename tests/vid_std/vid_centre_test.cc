// Line numberings and centring of the video standard library.

#include "vid_centre.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

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
  EXPECT_EQ(progToIntLine(2, 1125), 564u);
  EXPECT_EQ(intToProgLine(563, 1125), 1125u);
  for (uint32_t tlpf : {1125u, 750u, 1u, 2u}) {
    std::set<uint32_t> seen;
    for (uint32_t line = 1; line <= tlpf; ++line) {
      const uint32_t interlaced = progToIntLine(line, tlpf);
      ASSERT_TRUE(interlaced >= 1 && interlaced <= tlpf) << tlpf;
      seen.insert(interlaced);
      ASSERT_EQ(intToProgLine(interlaced, tlpf), line) << tlpf;
      ASSERT_EQ(interlaced <= vidHalfFrame(tlpf), line % 2 == 1) << tlpf;
    }
    EXPECT_EQ(seen.size(), tlpf);
  }
}

// Centres of even and odd sizes; an odd difference left before the range
// only when rounding up; the parts outside a range packed from the first.
TEST(VidCentre, Centring) {
  vidCentre_t even, odd;
  calcVidCentre(even, {0, 1919});
  calcVidCentre(odd, {1, 3});
  EXPECT_EQ(text(even) + " " + text(odd), "959|960 2|2");
  vidExtent_t up, down;
  calcCentreRange(up, 1887, {0, 1919}, true);
  calcCentreRange(down, 1887, {0, 1919}, false);
  EXPECT_EQ(text(up) + " " + text(down), "17..1903 16..1902");
  vidExtent_t both[2], after[2], none[2];
  calcOutsideRegion(both, {42, 1121}, {1, 1125});
  calcOutsideRegion(after, {1, 1121}, {1, 1125});
  calcOutsideRegion(none, {1, 1125}, {1, 1125});
  EXPECT_EQ(text(both) + " " + text(after) + " " + text(none),
            "1..41 1122..1125 1122..1125 0..0 0..0 0..0");
}

// A 1125-line frame's production aperture: fields 21..560 and 584..1123
// are progressive lines 41..1120; a single range from a field-2 line to a
// field-1 line of 625. (The descriptions show the centring of fields.)
TEST(VidCentre, FieldRanges) {
  const vidExtent_t fields[2] = {{21, 560}, {584, 1123}};
  const vidExtent_t single[2] = {{338, 308}, {0, 0}};
  vidExtent_t both, one, split[2], edge[2];
  fieldToProgRange(both, fields, 1125);
  fieldToProgRange(one, single, 625);
  splitFieldRange(split, {21, 1123}, 1125);
  splitFieldRange(edge, {21, 563}, 1125);  // stops on field 1's last line
  EXPECT_EQ(text(both) + " " + text(one) + " " + text(split) + " " + text(edge),
            "41..1120 50..615 21..560 584..1123 21..563 584..1125");
}

// A broken precondition stops the process naming the file, the line, the
// function and the condition.
TEST(VidCentreDeathTest, PreconditionsStopTheProcess) {
  const vidExtent_t three[2] = {{21, 560}, {584, 0}};
  const vidExtent_t apart[2] = {{21, 560}, {590, 1123}};
  vidExtent_t range, outside[2];
  vidCentre_t centre;
  const std::string line = "`line >= 1 && line <= tlpf'";
  const auto stops = [](const std::string& function,
                        const std::string& condition) {
    return ::testing::ContainsRegex("^vid_centre\\.cc:[0-9]+: " + function +
                                    ": Precondition " + condition +
                                    " failed\\.\n");
  };
  EXPECT_DEATH(progToIntLine(0, 625), stops("progToIntLine", line));
  EXPECT_DEATH(intToProgLine(626, 625), stops("intToProgLine", line));
  EXPECT_DEATH(fieldToProgRange(range, three, 1125),
               stops("fieldToProgRange", "`num == 2 \\|\\| num == 4'"));
  EXPECT_DEATH(fieldToProgRange(range, apart, 1125),
               stops("operator\\(\\)", "`tuple\\[0\\] == tuple\\[1\\] \\+ 1 "
                     "\\|\\| tuple\\[0\\] == tuple\\[1\\] - 1'"));
  EXPECT_DEATH(calcOutsideRegion(outside, {5, 4}, {1, 9}),
               stops("calcOutsideRegion", "`in.stop >= in.start'"));
  EXPECT_DEATH(calcCentreRangeOffset(5, 4, true),
               stops("calcCentreRangeOffset", "`rangeSize <= fullSize'"));
  EXPECT_DEATH(calcCentreRange(range, 1, {5, 4}, true),
               stops("calcCentreRange", "`e.stop >= e.start'"));
  EXPECT_DEATH(calcVidCentre(centre, {5, 4}),
               stops("calcVidCentre", "`e.stop >= e.start'"));
}

}  // namespace
