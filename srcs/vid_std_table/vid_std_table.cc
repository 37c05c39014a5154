// The built-in table of video standards: 77 standards, 13 production
// apertures (P0 to P12) and 9 clean apertures (C0 to C8). Zero fields of
// the apertures are derived by initVidStdTables; the clean apertures C4 and
// C5 give one interlaced line range running from a field-2 line to a
// field-1 line, split into field ranges then.
//
// One entry per line, so that the table reads like its listing.
//
// Aperture: {dim.sample, dim.line}, h, {v[0], v[1]}, aspect, hCentre,
// vCentre. Standard: name, total, scan, production and clean aperture,
// pixel aspect, prodCentre, blanking, frameRate, rate1001, sampleFreq,
// flag, timing references, switch points.

#include "vid_std.h"

namespace {

// clang-format off
vidAperture_t prodApertures[] = {
    /* P0 */ {{1920, 0}, {0, 0}, {{42, 1121}, {0, 0}}, {16, 9}, {0, 0}, {0, 0}},
    /* P1 */ {{1920, 0}, {0, 0}, {{21, 560}, {584, 1123}}, {16, 9}, {0, 0}, {0, 0}},
    /* P2 */ {{1920, 0}, {0, 0}, {{41, 557}, {603, 1120}}, {16, 9}, {0, 0}, {0, 0}},
    /* P3 */ {{1280, 0}, {0, 0}, {{26, 745}, {0, 0}}, {16, 9}, {0, 0}, {0, 0}},
    /* P4 */ {{720, 0}, {0, 0}, {{23, 310}, {336, 623}}, {4, 3}, {0, 0}, {0, 0}},
    /* P5 */ {{720, 0}, {0, 0}, {{23, 310}, {336, 623}}, {283, 207}, {0, 0}, {0, 0}},
    /* P6 */ {{720, 0}, {0, 0}, {{20, 263}, {283, 525}}, {4, 3}, {0, 0}, {0, 0}},
    /* P7 */ {{720, 0}, {0, 0}, {{20, 263}, {283, 525}}, {38400, 28733}, {0, 0}, {0, 0}},
    /* P8 */ {{720, 0}, {0, 0}, {{20, 525}, {0, 0}}, {6400, 4779}, {0, 0}, {0, 0}},
    /* P9 */ {{720, 0}, {0, 0}, {{23, 262}, {286, 525}}, {4, 3}, {0, 0}, {0, 0}},
    /* P10 */ {{720, 0}, {0, 0}, {{43, 525}, {0, 0}}, {16, 9}, {0, 0}, {0, 0}},
    /* P11 */ {{2048, 0}, {0, 0}, {{42, 1121}, {0, 0}}, {16, 9}, {0, 0}, {0, 0}},
    /* P12 */ {{2048, 0}, {0, 0}, {{21, 560}, {584, 1123}}, {16, 9}, {0, 0}, {0, 0}},
};
vidAperture_t cleanApertures[] = {
    /* C0 */ {{1888, 1062}, {0, 0}, {{0, 0}, {0, 0}}, {16, 9}, {0, 0}, {0, 0}},
    /* C1 */ {{1888, 1062}, {0, 0}, {{0, 0}, {0, 0}}, {16, 9}, {0, 0}, {0, 0}},
    /* C2 */ {{1888, 1017}, {0, 0}, {{0, 0}, {0, 0}}, {5428, 3051}, {0, 0}, {0, 0}},
    /* C3 */ {{1248, 702}, {0, 0}, {{0, 0}, {0, 0}}, {16, 9}, {0, 0}, {0, 0}},
    /* C4 */ {{0, 0}, {15, 704}, {{338, 308}, {0, 0}}, {4, 3}, {0, 0}, {0, 0}},
    /* C5 */ {{0, 0}, {6, 713}, {{284, 261}, {0, 0}}, {4, 3}, {0, 0}, {0, 0}},
    /* C6 */ {{0, 0}, {6, 713}, {{44, 523}, {0, 0}}, {9499, 5400}, {0, 0}, {0, 0}},
    /* C7 */ {{2014, 1062}, {0, 0}, {{0, 0}, {0, 0}}, {16, 9}, {0, 0}, {0, 0}},
    /* C8 */ {{2014, 1062}, {0, 0}, {{0, 0}, {0, 0}}, {16, 9}, {0, 0}, {0, 0}},
};
vidStd_t standards[] = {
    {"1080p/60.00", {2200, 1125}, kVidScanProgressive, &prodApertures[0], &cleanApertures[0], {1, 1}, true, {}, 60, false, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"1080p/59.94", {2200, 1125}, kVidScanProgressive, &prodApertures[0], &cleanApertures[0], {1, 1}, true, {}, 60, true, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"1080p/50", {2640, 1125}, kVidScanProgressive, &prodApertures[0], &cleanApertures[0], {1, 1}, true, {}, 50, false, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"1080i/60.00", {2200, 1125}, kVidScanInterlaced, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 30, false, 7425, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"1080i/59.94", {2200, 1125}, kVidScanInterlaced, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 30, true, 7425, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"1080i/50", {2640, 1125}, kVidScanInterlaced, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 25, false, 7425, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"1080p/30.00", {2200, 1125}, kVidScanProgressive, &prodApertures[0], &cleanApertures[0], {1, 1}, true, {}, 30, false, 7425, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"1080p/29.97", {2200, 1125}, kVidScanProgressive, &prodApertures[0], &cleanApertures[0], {1, 1}, true, {}, 30, true, 7425, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"1080p/25", {2640, 1125}, kVidScanProgressive, &prodApertures[0], &cleanApertures[0], {1, 1}, true, {}, 25, false, 7425, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"1080p/24.00", {2750, 1125}, kVidScanProgressive, &prodApertures[0], &cleanApertures[0], {1, 1}, true, {}, 24, false, 7425, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"1080p/23.98", {2750, 1125}, kVidScanProgressive, &prodApertures[0], &cleanApertures[0], {1, 1}, true, {}, 24, true, 7425, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"1080p/30.00sF", {2200, 1125}, kVidScanPsf, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 30, false, 7425, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"1080p/29.97sF", {2200, 1125}, kVidScanPsf, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 30, true, 7425, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"1080p/25sF", {2640, 1125}, kVidScanPsf, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 25, false, 7425, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"1080p/24.00sF", {2750, 1125}, kVidScanPsf, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 24, false, 7425, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"1080p/23.98sF", {2750, 1125}, kVidScanPsf, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 24, true, 7425, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"1035i/60.00", {2200, 1125}, kVidScanInterlaced, &prodApertures[2], &cleanApertures[2], {23, 24}, true, {}, 30, false, 7425, 0, {1121, 41, 558, 603, 1, 564}, {7, 569}},
    {"1035i/59.94", {2200, 1125}, kVidScanInterlaced, &prodApertures[2], &cleanApertures[2], {23, 24}, true, {}, 30, true, 7425, 0, {1121, 41, 558, 603, 1, 564}, {7, 569}},
    {"720p/60.00", {1650, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 60, false, 7425, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"720p/59.94", {1650, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 60, true, 7425, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"720p/50", {1980, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 50, false, 7425, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"720p/30.00", {3300, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 30, false, 7425, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"720p/29.97", {3300, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 30, true, 7425, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"720p/25", {3960, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 25, false, 7425, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"720p/24.00", {4125, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 24, false, 7425, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"720p/23.98", {4125, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 24, true, 7425, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"625i/50", {864, 625}, kVidScanInterlaced, &prodApertures[4], nullptr, {16, 15}, true, {}, 25, false, 1350, 1, {624, 23, 311, 336, 1, 313}, {6, 319}},
    {"625i/50", {864, 625}, kVidScanInterlaced, &prodApertures[5], &cleanApertures[4], {1132, 1035}, false, {}, 25, false, 1350, 1, {624, 23, 311, 336, 1, 313}, {6, 319}},
    {"525i/59.94", {858, 525}, kVidScanInterlaced, &prodApertures[6], nullptr, {487, 540}, true, {}, 30, true, 1350, 1, {1, 20, 264, 283, 4, 266}, {10, 273}},
    {"525i/59.94", {858, 525}, kVidScanInterlaced, &prodApertures[7], &cleanApertures[5], {160, 177}, false, {}, 30, true, 1350, 1, {1, 20, 264, 283, 4, 266}, {10, 273}},
    {"525i/59.94", {858, 525}, kVidScanInterlaced, &prodApertures[8], &cleanApertures[5], {160, 177}, false, {}, 30, true, 1350, 1, {1, 20, 264, 283, 4, 266}, {10, 273}},
    {"525i/59.94", {858, 525}, kVidScanInterlaced, &prodApertures[9], nullptr, {8, 9}, true, {}, 30, true, 1350, 1, {1, 20, 264, 283, 4, 266}, {10, 273}},
    {"480p/59.94", {858, 525}, kVidScanProgressive, &prodApertures[10], &cleanApertures[6], {161, 135}, false, {}, 60, true, 2700, 0, {1, 43, 0, 0, 1, 0}, {10, 0}},
    {"3G/1080i/60.00", {4400, 1125}, kVidScanInterlaced, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 30, false, 14850, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"3G/1080i/59.94", {4400, 1125}, kVidScanInterlaced, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 30, true, 14850, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"3G/1080i/50", {5280, 1125}, kVidScanInterlaced, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 25, false, 14850, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"3G/1080p/30.00", {4400, 1125}, kVidScanProgressive, &prodApertures[0], &cleanApertures[0], {1, 1}, true, {}, 30, false, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"3G/1080p/29.97", {4400, 1125}, kVidScanProgressive, &prodApertures[0], &cleanApertures[0], {1, 1}, true, {}, 30, true, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"3G/1080p/25", {5280, 1125}, kVidScanProgressive, &prodApertures[0], &cleanApertures[0], {1, 1}, true, {}, 25, false, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"3G/1080p/24.00", {5500, 1125}, kVidScanProgressive, &prodApertures[0], &cleanApertures[0], {1, 1}, true, {}, 24, false, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"3G/1080p/23.98", {5500, 1125}, kVidScanProgressive, &prodApertures[0], &cleanApertures[0], {1, 1}, true, {}, 24, true, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"3G/1080p/30.00sF", {4400, 1125}, kVidScanPsf, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 30, false, 14850, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"3G/1080p/29.97sF", {4400, 1125}, kVidScanPsf, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 30, true, 14850, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"3G/1080p/25sF", {5280, 1125}, kVidScanPsf, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 25, false, 14850, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"3G/1080p/24.00sF", {5500, 1125}, kVidScanPsf, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 24, false, 14850, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"3G/1080p/23.98sF", {5500, 1125}, kVidScanPsf, &prodApertures[1], &cleanApertures[1], {1, 1}, true, {}, 24, true, 14850, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"3G/720p/60.00", {3300, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 60, false, 14850, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"3G/720p/59.94", {3300, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 60, true, 14850, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"3G/720p/50", {3960, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 50, false, 14850, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"3G/720p/30.00", {6600, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 30, false, 14850, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"3G/720p/29.97", {6600, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 30, true, 14850, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"3G/720p/25", {7920, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 25, false, 14850, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"3G/720p/24.00", {8250, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 24, false, 14850, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"3G/720p/23.98", {8250, 750}, kVidScanProgressive, &prodApertures[3], &cleanApertures[3], {1, 1}, true, {}, 24, true, 14850, 0, {746, 26, 0, 0, 1, 0}, {7, 0}},
    {"2048x1080p/60.00", {2200, 1125}, kVidScanProgressive, &prodApertures[11], &cleanApertures[7], {1, 1}, true, {}, 60, false, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"2048x1080p/59.94", {2200, 1125}, kVidScanProgressive, &prodApertures[11], &cleanApertures[7], {1, 1}, true, {}, 60, true, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"2048x1080p/50", {2200, 1125}, kVidScanProgressive, &prodApertures[11], &cleanApertures[7], {1, 1}, true, {}, 50, false, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"2048x1080p/30.00", {2200, 1125}, kVidScanProgressive, &prodApertures[11], &cleanApertures[7], {1, 1}, true, {}, 30, false, 7425, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"2048x1080p/29.97", {2200, 1125}, kVidScanProgressive, &prodApertures[11], &cleanApertures[7], {1, 1}, true, {}, 30, true, 7425, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"2048x1080p/25", {2640, 1125}, kVidScanProgressive, &prodApertures[11], &cleanApertures[7], {1, 1}, true, {}, 25, false, 7425, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"2048x1080p/24.00", {2750, 1125}, kVidScanProgressive, &prodApertures[11], &cleanApertures[7], {1, 1}, true, {}, 24, false, 7425, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"2048x1080p/23.98", {2750, 1125}, kVidScanProgressive, &prodApertures[11], &cleanApertures[7], {1, 1}, true, {}, 24, true, 7425, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"2048x1080p/30.00sF", {2200, 1125}, kVidScanPsf, &prodApertures[12], &cleanApertures[8], {1, 1}, true, {}, 30, false, 7425, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"2048x1080p/29.97sF", {2200, 1125}, kVidScanPsf, &prodApertures[12], &cleanApertures[8], {1, 1}, true, {}, 30, true, 7425, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"2048x1080p/25sF", {2640, 1125}, kVidScanPsf, &prodApertures[12], &cleanApertures[8], {1, 1}, true, {}, 25, false, 7425, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"2048x1080p/24.00sF", {2750, 1125}, kVidScanPsf, &prodApertures[12], &cleanApertures[8], {1, 1}, true, {}, 24, false, 7425, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"2048x1080p/23.98sF", {2750, 1125}, kVidScanPsf, &prodApertures[12], &cleanApertures[8], {1, 1}, true, {}, 24, true, 7425, 0, {1124, 21, 561, 584, 1, 564}, {7, 569}},
    {"3G/2048x1080p/30.00", {4400, 1125}, kVidScanProgressive, &prodApertures[11], &cleanApertures[7], {1, 1}, true, {}, 30, false, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"3G/2048x1080p/29.97", {4400, 1125}, kVidScanProgressive, &prodApertures[11], &cleanApertures[7], {1, 1}, true, {}, 30, false, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"3G/2048x1080p/25", {4400, 1125}, kVidScanProgressive, &prodApertures[11], &cleanApertures[7], {1, 1}, true, {}, 25, false, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"3G/2048x1080p/24.00", {4400, 1125}, kVidScanProgressive, &prodApertures[11], &cleanApertures[7], {1, 1}, true, {}, 24, false, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"3G/2048x1080p/23.98", {4400, 1125}, kVidScanProgressive, &prodApertures[11], &cleanApertures[7], {1, 1}, true, {}, 24, true, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"3G/2048x1080p/30.00sF", {4400, 1125}, kVidScanPsf, &prodApertures[12], &cleanApertures[8], {1, 1}, true, {}, 30, false, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"3G/2048x1080p/29.97sF", {4400, 1125}, kVidScanPsf, &prodApertures[12], &cleanApertures[8], {1, 1}, true, {}, 30, true, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"3G/2048x1080p/25sF", {4400, 1125}, kVidScanPsf, &prodApertures[12], &cleanApertures[8], {1, 1}, true, {}, 25, false, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"3G/2048x1080p/24.00sF", {4400, 1125}, kVidScanPsf, &prodApertures[12], &cleanApertures[8], {1, 1}, true, {}, 24, false, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
    {"3G/2048x1080p/23.98sF", {4400, 1125}, kVidScanPsf, &prodApertures[12], &cleanApertures[8], {1, 1}, true, {}, 24, true, 14850, 0, {1122, 42, 0, 0, 1, 0}, {7, 0}},
};
// clang-format on

}  // namespace

vidAperture_t* const vidProdApList[] = {
    &prodApertures[0], &prodApertures[1], &prodApertures[2],
    &prodApertures[3], &prodApertures[4], &prodApertures[5],
    &prodApertures[6], &prodApertures[7], &prodApertures[8],
    &prodApertures[9], &prodApertures[10], &prodApertures[11],
    &prodApertures[12], nullptr};

vidAperture_t* const vidCleanApList[] = {
    &cleanApertures[0], &cleanApertures[1], &cleanApertures[2],
    &cleanApertures[3], &cleanApertures[4], &cleanApertures[5],
    &cleanApertures[6], &cleanApertures[7], &cleanApertures[8], nullptr};

vidStd_t* const vidStdList[] = {
    &standards[0], &standards[1], &standards[2], &standards[3], &standards[4],
    &standards[5], &standards[6], &standards[7], &standards[8], &standards[9],
    &standards[10], &standards[11], &standards[12], &standards[13],
    &standards[14], &standards[15], &standards[16], &standards[17],
    &standards[18], &standards[19], &standards[20], &standards[21],
    &standards[22], &standards[23], &standards[24], &standards[25],
    &standards[26], &standards[27], &standards[28], &standards[29],
    &standards[30], &standards[31], &standards[32], &standards[33],
    &standards[34], &standards[35], &standards[36], &standards[37],
    &standards[38], &standards[39], &standards[40], &standards[41],
    &standards[42], &standards[43], &standards[44], &standards[45],
    &standards[46], &standards[47], &standards[48], &standards[49],
    &standards[50], &standards[51], &standards[52], &standards[53],
    &standards[54], &standards[55], &standards[56], &standards[57],
    &standards[58], &standards[59], &standards[60], &standards[61],
    &standards[62], &standards[63], &standards[64], &standards[65],
    &standards[66], &standards[67], &standards[68], &standards[69],
    &standards[70], &standards[71], &standards[72], &standards[73],
    &standards[74], &standards[75], &standards[76], nullptr};
