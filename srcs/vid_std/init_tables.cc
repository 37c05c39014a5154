// Completing the built-in table: what each aperture leaves 0 is derived
// from the standards that use it, in table order.

#include <algorithm>

#include "vid_std.h"
#include "vid_std/precondition.h"

vidStdMaxima_t vidStdMaxima;

namespace {

bool isZero(const vidExtent_t& extent) {
  return extent.start == 0 && extent.stop == 0;
}

bool isZero(const vidCentre_t& centre) {
  return centre.pixelLow == 0 && centre.pixelHigh == 0;
}

// Lines of both fields (of field 1 alone when field 2 is not given).
uint32_t totalLines(const vidExtent_t (&v)[2]) {
  uint32_t lines = vidExtentSize(v[0]);
  if (v[1].start != 0 && v[1].stop != 0) lines += vidExtentSize(v[1]);
  return lines;
}

bool listed(vidAperture_t* const* list, const vidAperture_t* aperture) {
  for (; *list != nullptr; ++list) {
    if (*list == aperture) return true;
  }
  return false;
}

// An aperture shared by several standards is derived again for each: all
// of them must put its vertical centre on the same lines.
void checkOrSetCentre(vidAperture_t* prodAp, const vidCentre_t& c) {
  if (isZero(prodAp->vCentre)) {
    prodAp->vCentre = c;
    return;
  }
  VID_STD_REQUIRE(prodAp->vCentre.pixelHigh == c.pixelHigh,
                  "prodAp->vCentre.pixelHigh == c.pixelHigh");
  VID_STD_REQUIRE(prodAp->vCentre.pixelLow == c.pixelLow,
                  "prodAp->vCentre.pixelLow == c.pixelLow");
}

// Clean apertures are centred with roundUp: an odd difference leaves the
// extra line or sample before the clean aperture.
constexpr bool kRoundUp = true;

void deriveProgressive(vidStd_t& standard) {
  vidAperture_t* prodAp = standard.prodAp;
  VID_STD_REQUIRE(prodAp->v[1].start == 0, "prodAp->v[1].start == 0");
  VID_STD_REQUIRE(prodAp->v[1].stop == 0, "prodAp->v[1].stop == 0");
  prodAp->dim.line = vidExtentSize(prodAp->v[0]);
  vidCentre_t c;
  calcVidCentre(c, prodAp->v[0]);
  checkOrSetCentre(prodAp, c);
  calcOutsideRegion(standard.blanking[0], prodAp->v[0],
                    {1, standard.total.line});
  standard.blanking[1][0] = standard.blanking[1][1] = vidExtent_t{};

  vidAperture_t* cleanAp = standard.cleanAp;
  if (cleanAp == nullptr) return;
  if (isZero(cleanAp->v[0])) {
    VID_STD_REQUIRE(cleanAp->dim.line != 0, "cleanAp->dim.line != 0");
    calcCentreRange(cleanAp->v[0], cleanAp->dim.line, prodAp->v[0], kRoundUp);
  } else if (cleanAp->dim.line == 0) {
    cleanAp->dim.line = totalLines(cleanAp->v);
  }
  VID_STD_REQUIRE(cleanAp->v[1].start == 0, "cleanAp->v[1].start == 0");
  VID_STD_REQUIRE(cleanAp->v[1].stop == 0, "cleanAp->v[1].stop == 0");
  if (isZero(cleanAp->vCentre)) calcVidCentre(cleanAp->vCentre, cleanAp->v[0]);
}

void deriveInterlaced(vidStd_t& standard) {
  const uint32_t tlpf = standard.total.line;
  const uint32_t half = vidHalfFrame(tlpf);
  vidAperture_t* prodAp = standard.prodAp;
  if (isZero(prodAp->v[1])) splitFieldRange(prodAp->v, prodAp->v[0], tlpf);
  prodAp->dim.line = totalLines(prodAp->v);
  vidCentre_t c;
  calcFieldCentre(c, prodAp->v, tlpf);
  checkOrSetCentre(prodAp, c);
  calcOutsideRegion(standard.blanking[0], prodAp->v[0], {1, half});
  calcOutsideRegion(standard.blanking[1], prodAp->v[1], {half + 1, tlpf});

  vidAperture_t* cleanAp = standard.cleanAp;
  if (cleanAp == nullptr) return;
  if (!isZero(cleanAp->v[0]) || !isZero(cleanAp->v[1])) {
    if (isZero(cleanAp->v[1])) splitFieldRange(cleanAp->v, cleanAp->v[0], tlpf);
    cleanAp->dim.line = totalLines(cleanAp->v);
  } else {
    VID_STD_REQUIRE(cleanAp->dim.line != 0, "cleanAp->dim.line != 0");
    vidExtent_t centred;
    centreFieldRange(centred, cleanAp->dim.line, prodAp->v, tlpf, kRoundUp);
    splitFieldRange(cleanAp->v, centred, tlpf);
  }
  if (isZero(cleanAp->vCentre))
    calcFieldCentre(cleanAp->vCentre, cleanAp->v, tlpf);
}

void deriveCleanSamples(vidStd_t& standard) {
  vidAperture_t* cleanAp = standard.cleanAp;
  if (cleanAp == nullptr) return;
  if (isZero(cleanAp->h)) {
    VID_STD_REQUIRE(cleanAp->dim.sample != 0, "cleanAp->dim.sample != 0");
    calcCentreRange(cleanAp->h, cleanAp->dim.sample, standard.prodAp->h,
                    kRoundUp);
  } else if (cleanAp->dim.sample == 0) {
    cleanAp->dim.sample = vidExtentSize(cleanAp->h);
  }
  if (isZero(cleanAp->hCentre)) calcVidCentre(cleanAp->hCentre, cleanAp->h);
}

void raise(vidDim_t& maximum, const vidDim_t& dim) {
  maximum.sample = std::max(maximum.sample, dim.sample);
  maximum.line = std::max(maximum.line, dim.line);
}

void deriveAll() {
  vidStdMaxima = vidStdMaxima_t{};
  for (vidAperture_t* const* ap = vidProdApList; *ap != nullptr; ++ap) {
    VID_STD_REQUIRE((*ap)->dim.sample != 0, "(*ap)->dim.sample != 0");
    (*ap)->h.stop = (*ap)->h.start + (*ap)->dim.sample - 1;
    calcVidCentre((*ap)->hCentre, (*ap)->h);
  }
  for (vidStd_t* const* v = vidStdList; *v != nullptr; ++v) {
    VID_STD_REQUIRE((*v)->prodAp != nullptr, "(*v)->prodAp != __null");
    VID_STD_REQUIRE((*v)->prodCentre || (*v)->cleanAp != nullptr,
                    "(*v)->prodCentre || (*v)->cleanAp != __null");
    const vidAperture_t* prodAp =
        listed(vidProdApList, (*v)->prodAp) ? (*v)->prodAp : nullptr;
    VID_STD_REQUIRE(prodAp != nullptr, "prodAp != __null");
    if ((*v)->cleanAp != nullptr) {
      const vidAperture_t* cleanAp =
          listed(vidCleanApList, (*v)->cleanAp) ? (*v)->cleanAp : nullptr;
      VID_STD_REQUIRE(cleanAp != nullptr, "cleanAp != __null");
    }
    if ((*v)->scan == kVidScanProgressive) {
      deriveProgressive(**v);
    } else {
      deriveInterlaced(**v);
    }
    deriveCleanSamples(**v);
    raise(vidStdMaxima.total, (*v)->total);
    raise(vidStdMaxima.prodAp, (*v)->prodAp->dim);
    if ((*v)->cleanAp != nullptr)
      raise(vidStdMaxima.cleanAp, (*v)->cleanAp->dim);
  }
}

}  // namespace

void initVidStdTables() {
  static const bool derived = (deriveAll(), true);
  (void)derived;
}
