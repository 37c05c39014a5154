// The built-in table of video standards completed by initVidStdTables,
// lookups by value text, the description and the constants.

#include "vid_std.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using ::testing::HasSubstr;

std::string described(const vidStd_t& standard) {
  testing::internal::CaptureStdout();
  describeVidStd(standard);
  return testing::internal::GetCapturedStdout();
}

// An interlaced standard whose clean aperture is centred within the
// production aperture's fields; a progressive standard whose clean aperture
// gives its ranges and whose picture centre is the clean aperture's; one
// without clean aperture.
TEST(VidStd, DescribesStandards) {
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"1080i/50",
       "1080i/50\n"
       "2640 samples x 1125 lines interlaced\n"
       "Pixel aspect ratio = 1:1\n"
       "Frame rate = 25Hz\n"
       "Sampling frequency = 74.25MHz\n"
       "Centre: between samples 959 and 960\n"
       "Centre: between lines 853 and 291\n"
       "Blanking: field 1 line 1 to 20 and 561 to 563\n"
       "Blanking: field 2 line 564 to 583 and 1124 to 1125\n"
       "Production aperture\n"
       "1920 samples x 1080 lines\n"
       "Sample range: 0 to 1919\n"
       "Line range: Field 1: 21 to 560\n"
       "Line range: Field 2: 584 to 1123\n"
       "Aspect ratio = 16:9\n"
       "Centre: between samples 959 and 960\n"
       "Centre: between lines 853 and 291\n"
       "Clean aperture\n"
       "1888 samples x 1062 lines\n"
       "Sample range: 16 to 1903\n"
       "Line range: Field 1: 26 to 556\n"
       "Line range: Field 2: 588 to 1118\n"
       "Aspect ratio = 16:9\n"
       "Centre: between samples 959 and 960\n"
       "Centre: between lines 853 and 291\n"
       "Digital timing references\n"
       "F=0: 1\n"
       "F=1: 564\n"
       "Field 1 blanking: V=1: 1124, V=0: 21\n"
       "Field 2 blanking: V=1: 561, V=0: 584\n"
       "Switch point: 7 569\n"},
      {"480p/59.94",
       "480p/59.94\n"
       "858 samples x 525 lines progressive\n"
       "Pixel aspect ratio = 161:135\n"
       "Frame rate = 60/1.001Hz\n"
       "Sampling frequency = 27.00/1.001MHz\n"
       "Centre: between samples 359 and 360\n"
       "Centre: between lines 283 and 284\n"
       "Blanking: line 1 to 42\n"
       "Production aperture\n"
       "720 samples x 483 lines\n"
       "Sample range: 0 to 719\n"
       "Line range: 43 to 525\n"
       "Aspect ratio = 16:9\n"
       "Centre: between samples 359 and 360\n"
       "Centre: on line 284\n"
       "Clean aperture\n"
       "708 samples x 480 lines\n"
       "Sample range: 6 to 713\n"
       "Line range: 44 to 523\n"
       "Aspect ratio = 9499:5400\n"
       "Centre: between samples 359 and 360\n"
       "Centre: between lines 283 and 284\n"
       "Digital timing references\n"
       "Frame start: 1\n"
       "Blanking: V=1: 1, V=0: 43\n"
       "Switch point: 10\n"},
  };
  for (const auto& [name, description] : cases) {
    const vidStd_t* standard = findVidStd(name);
    ASSERT_NE(standard, nullptr) << name;
    EXPECT_EQ(described(*standard), description);
  }
  EXPECT_THAT(described(*findVidStd("625i/50")),
              HasSubstr("\nClean aperture not defined\n"));
}

std::string text(const vidExtent_t& e) {
  return std::to_string(e.start) + ".." + std::to_string(e.stop);
}

// The whole table completes without a broken precondition (the shared
// production apertures agree on their centres); a few derivations that
// the descriptions above do not show.
TEST(VidStd, CompletedTable) {
  initVidStdTables();
  int count = 0;
  for (vidStd_t* const* v = vidStdList; *v != nullptr; ++v) ++count;
  EXPECT_EQ(count, 77);

  const vidAperture_t* p0 = vidProdApList[0];
  EXPECT_EQ(p0->dim.line, 1080u);
  EXPECT_EQ(text(p0->h), "0..1919");
  EXPECT_EQ(p0->vCentre.pixelLow, 581u);
  EXPECT_EQ(p0->vCentre.pixelHigh, 582u);
  EXPECT_EQ(text(vidStdList[0]->blanking[0][0]), "1..41");
  EXPECT_EQ(text(vidStdList[0]->blanking[0][1]), "1122..1125");

  // C4, given as field-2 line 338 to field-1 line 308 of 625.
  const vidAperture_t* c4 = vidCleanApList[4];
  EXPECT_EQ(text(c4->v[0]), "26..308");
  EXPECT_EQ(text(c4->v[1]), "338..620");
  EXPECT_EQ(c4->dim.line, 566u);
  EXPECT_EQ(c4->dim.sample, 690u);

  // Field 2 of P9 ends on the frame's last line: one blanking range.
  for (vidStd_t* const* v = vidStdList; *v != nullptr; ++v) {
    if ((*v)->prodAp != vidProdApList[9]) continue;
    EXPECT_EQ(text((*v)->blanking[1][0]), "264..285");
    EXPECT_EQ(text((*v)->blanking[1][1]), "0..0");
  }

  EXPECT_EQ(vidStdMaxima.total.sample, 8250u);
  EXPECT_EQ(vidStdMaxima.total.line, 1125u);
  EXPECT_EQ(vidStdMaxima.prodAp.sample, 2048u);
  EXPECT_EQ(vidStdMaxima.prodAp.line, 1080u);
  EXPECT_EQ(vidStdMaxima.cleanAp.sample, 2014u);
  EXPECT_EQ(vidStdMaxima.cleanAp.line, 1062u);
}

// The whole name first, then the longest name that begins the text, then
// the first entry of that name.
TEST(VidStd, FindsTheStandardAValueNames) {
  const struct {
    const char* text;
    const char* name;  // null: none
    uint32_t scan;
  } cases[] = {
      {"1080i/50", "1080i/50", kVidScanInterlaced},
      {"1080i/50 ext", "1080i/50", kVidScanInterlaced},
      {"1080p/30.00", "1080p/30.00", kVidScanProgressive},
      {"1080p/30.00sF", "1080p/30.00sF", kVidScanPsf},
      {"1080p/30.00sF (B)", "1080p/30.00sF", kVidScanPsf},
      {"3G/1080p/25", "3G/1080p/25", kVidScanProgressive},
      {"1080p/30.00s", "1080p/30.00", kVidScanProgressive},
      {"PAL", nullptr, 0},
      {"", nullptr, 0},
      {"1080i/5", nullptr, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const vidStd_t* found = findVidStd(c.text);
    if (c.name == nullptr) {
      EXPECT_EQ(found, nullptr);
      continue;
    }
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(std::string(found->name), c.name);
    EXPECT_EQ(found->scan, c.scan);
  }
  EXPECT_EQ(findVidStd("625i/50")->prodAp, vidProdApList[4]);
  EXPECT_EQ(findVidStd("525i/59.94 x")->prodAp, vidProdApList[6]);
}

// Each constant from an interlaced standard; for a /1.001 rate clkDiv is 1,
// and an entry already there is kept. Unknown parameters, standards and
// constants add nothing.
TEST(VidStd, ConstantValues) {
  VidStdReferences references = {{"other", "clkDiv"},
                                 {"other", "fr"},
                                 {"videoIn", "SPAL"},
                                 {"absent", "spal"},
                                 {"pal", "spal"}};
  for (const char* constant :
       {"spal", "alpf", "sptl", "tlpf", "fr", "clkDiv", "f0", "f1", "f0v0",
        "f0v1", "f1v0", "f1v1", "f0sw", "f1sw"}) {
    references.emplace("videoIn", constant);
  }
  ValueMap values = {{"videoIn", "1080i/50 ext"},
                     {"other", "720p/59.94"},
                     {"pal", "PAL"},
                     {"vidStd::other::fr", "kept"}};
  addVidStdConstantValues(values, references);
  const ValueMap expected = {
      {"videoIn", "1080i/50 ext"},
      {"other", "720p/59.94"},
      {"pal", "PAL"},
      {"vidStd::videoIn::spal", "1920"},
      {"vidStd::videoIn::alpf", "1080"},
      {"vidStd::videoIn::sptl", "2640"},
      {"vidStd::videoIn::tlpf", "1125"},
      {"vidStd::videoIn::fr", "25"},
      {"vidStd::videoIn::clkDiv", "0"},
      {"vidStd::videoIn::f0", "1"},
      {"vidStd::videoIn::f1", "564"},
      {"vidStd::videoIn::f0v0", "21"},
      {"vidStd::videoIn::f0v1", "561"},
      {"vidStd::videoIn::f1v0", "584"},
      {"vidStd::videoIn::f1v1", "1124"},
      {"vidStd::videoIn::f0sw", "7"},
      {"vidStd::videoIn::f1sw", "569"},
      {"vidStd::other::fr", "kept"},
      {"vidStd::other::clkDiv", "1"},
  };
  EXPECT_EQ(values, expected);
}

// A table that contradicts itself stops initialisation. Each case runs in
// a fresh process, where the table has not been completed yet.
TEST(VidStdDeathTest, ContradictoryTableStopsInitialisation) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        vidProdApList[3]->dim.sample = 0;
        initVidStdTables();
      },
      HasSubstr("Precondition `(*ap)->dim.sample != 0' failed.\n"));
  EXPECT_DEATH(
      {
        vidStdList[0]->prodCentre = false;
        vidStdList[0]->cleanAp = nullptr;
        initVidStdTables();
      },
      HasSubstr("Precondition `(*v)->prodCentre || (*v)->cleanAp != __null' "
                "failed.\n"));
  EXPECT_DEATH(
      {
        vidStdList[1]->cleanAp = vidProdApList[0];
        initVidStdTables();
      },
      HasSubstr("Precondition `cleanAp != __null' failed.\n"));
  // The second 1080p standard shares P0 with the first, which set its
  // centre; a different range now puts it elsewhere.
  EXPECT_DEATH(
      {
        vidStdList[1]->prodAp = vidProdApList[3];
        vidProdApList[3]->vCentre.pixelLow = 1;
        vidProdApList[3]->vCentre.pixelHigh = 2;
        initVidStdTables();
      },
      HasSubstr("Precondition `prodAp->vCentre.pixelHigh == c.pixelHigh' "
                "failed.\n"));
  EXPECT_DEATH(
      {
        vidCleanApList[0]->dim.line = 0;
        initVidStdTables();
      },
      HasSubstr("Precondition `cleanAp->dim.line != 0' failed.\n"));
}

}  // namespace
