// The plain-text description of a standard, for engineers checking the
// geometry the card derives.

#include <cstdio>

#include "vid_std.h"

namespace {

const char* scanName(uint32_t scan) {
  switch (scan) {
    case kVidScanInterlaced:
      return "interlaced";
    case kVidScanProgressive:
      return "progressive";
    case kVidScanPsf:
      return "p/sF";
    default:
      return "Unknown";
  }
}

void printExtent(const vidExtent_t& extent) {
  std::printf("%u to %u", extent.start, extent.stop);
}

// A field's (or a frame's) blanking: one range, or two joined by "and".
void printBlanking(const vidExtent_t (&ranges)[2]) {
  printExtent(ranges[0]);
  if (ranges[1].start != 0 && ranges[1].stop != 0) {
    std::printf(" and ");
    printExtent(ranges[1]);
  }
  std::printf("\n");
}

void printCentre(const vidAperture_t& aperture) {
  const vidCentre_t& h = aperture.hCentre;
  const vidCentre_t& v = aperture.vCentre;
  if (h.pixelLow == h.pixelHigh) {
    std::printf("Centre: on sample %u\n", h.pixelLow);
  } else {
    std::printf("Centre: between samples %u and %u\n", h.pixelLow, h.pixelHigh);
  }
  if (v.pixelLow == v.pixelHigh) {
    std::printf("Centre: on line %u\n", v.pixelLow);
  } else {
    std::printf("Centre: between lines %u and %u\n", v.pixelLow, v.pixelHigh);
  }
}

void printAperture(const char* title, const vidAperture_t* aperture,
                   bool progressive) {
  std::printf("%s", title);
  if (aperture == nullptr) {
    std::printf(" not defined\n");
    return;
  }
  std::printf("\n%u samples x %u lines\n", aperture->dim.sample,
              aperture->dim.line);
  std::printf("Sample range: ");
  printExtent(aperture->h);
  std::printf("\n");
  if (progressive) {
    std::printf("Line range: ");
    printExtent(aperture->v[0]);
    std::printf("\n");
  } else {
    for (unsigned field = 1; field <= 2; ++field) {
      std::printf("Line range: Field %u: ", field);
      printExtent(aperture->v[field - 1]);
      std::printf("\n");
    }
  }
  std::printf("Aspect ratio = %u:%u\n", aperture->aspect.numerator,
              aperture->aspect.denominator);
  printCentre(*aperture);
}

}  // namespace

void describeVidStd(const vidStd_t& standard) {
  const bool progressive = standard.scan == kVidScanProgressive;
  const char* rate = standard.rate1001 ? "/1.001" : "";
  std::printf("%s\n", standard.name);
  std::printf("%u samples x %u lines %s\n", standard.total.sample,
              standard.total.line, scanName(standard.scan));
  std::printf("Pixel aspect ratio = %u:%u\n", standard.pixelAspect.numerator,
              standard.pixelAspect.denominator);
  std::printf("Frame rate = %u%sHz\n", standard.frameRate, rate);
  std::printf("Sampling frequency = %u.%02u%sMHz\n", standard.sampleFreq / 100,
              standard.sampleFreq % 100, rate);
  printCentre(standard.prodCentre ? *standard.prodAp : *standard.cleanAp);

  if (progressive) {
    std::printf("Blanking: line ");
    printBlanking(standard.blanking[0]);
  } else {
    for (unsigned field = 1; field <= 2; ++field) {
      std::printf("Blanking: field %u line ", field);
      printBlanking(standard.blanking[field - 1]);
    }
  }

  printAperture("Production aperture", standard.prodAp, progressive);
  printAperture("Clean aperture", standard.cleanAp, progressive);

  std::printf("Digital timing references\n");
  const uint32_t* refs = standard.timingRefs;
  if (progressive) {
    std::printf("Frame start: %u\n", refs[4]);
    std::printf("Blanking: V=1: %u, V=0: %u\n", refs[0], refs[1]);
    std::printf("Switch point: %u\n", standard.switchPoints[0]);
  } else {
    std::printf("F=0: %u\n", refs[4]);
    std::printf("F=1: %u\n", refs[5]);
    std::printf("Field 1 blanking: V=1: %u, V=0: %u\n", refs[0], refs[1]);
    std::printf("Field 2 blanking: V=1: %u, V=0: %u\n", refs[2], refs[3]);
    std::printf("Switch point: %u %u\n", standard.switchPoints[0],
                standard.switchPoints[1]);
  }
}
