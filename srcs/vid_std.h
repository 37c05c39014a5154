// The digital video standards the card handles: a built-in table of their
// raster geometry (total raster, scan, production and clean apertures,
// rates, timing reference lines, switch points), completed once by
// initVidStdTables, and the fourteen constants that trap conditions read
// from the standard a parameter's value names ("vidStd::videoIn::alpf").

#ifndef OSTRAND_VID_STD_H_
#define OSTRAND_VID_STD_H_

#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "expr/expr_value.h"
#include "vid_centre.h"

// A size: samples per line and lines.
struct vidDim_t {
  uint32_t sample = 0;
  uint32_t line = 0;
};

struct vidRatio_t {
  uint32_t numerator = 0;
  uint32_t denominator = 0;
};

// A picture area. Built-in apertures give some fields; initVidStdTables
// fills the fields left 0.
struct vidAperture_t {
  vidDim_t dim;
  vidExtent_t h;        // sample range
  vidExtent_t v[2];     // line ranges of fields 1 and 2; progressive: v[0] only
  vidRatio_t aspect;    // picture aspect ratio
  vidCentre_t hCentre;  // in samples
  vidCentre_t vCentre;  // in lines (interlaced numbers when interlaced)
};

// Values of vidStd_t::scan; any other value is unknown.
constexpr uint32_t kVidScanInterlaced = 0;
constexpr uint32_t kVidScanProgressive = 1;
constexpr uint32_t kVidScanPsf = 2;  // progressive segmented frame

struct vidStd_t {
  const char* name;
  vidDim_t total;  // samples per total line, total lines per frame (tlpf)
  uint32_t scan;
  vidAperture_t* prodAp;   // always present
  vidAperture_t* cleanAp;  // or null
  vidRatio_t pixelAspect;
  // The picture centre is the production aperture's; else the clean one's.
  bool prodCentre;
  // Vertical blanking line ranges per field, computed; progressive: field 1.
  vidExtent_t blanking[2][2];
  uint32_t frameRate;   // whole hertz
  bool rate1001;        // the true rate is frameRate / 1.001
  uint32_t sampleFreq;  // in units of 10 kHz
  uint32_t flag;        // carried, not interpreted
  // Field 1 V=1, field 1 V=0, field 2 V=1, field 2 V=0, F=0 and F=1 lines.
  // Progressive: blanking V=1 and V=0 lines first, the frame start fifth.
  uint32_t timingRefs[6];
  uint32_t switchPoints[2];  // progressive: the first only
};

// The built-in lists, each ending with a null entry. Several standards
// share one aperture.
extern vidStd_t* const vidStdList[];
extern vidAperture_t* const vidProdApList[];
extern vidAperture_t* const vidCleanApList[];

// The largest sizes over all standards, set by initVidStdTables.
struct vidStdMaxima_t {
  vidDim_t total;
  vidDim_t prodAp;
  vidDim_t cleanAp;  // of the standards that have a clean aperture
};
extern vidStdMaxima_t vidStdMaxima;

// Derives what the built-in table leaves out: aperture sizes, sample and
// line ranges and centres, the blanking regions, the maxima. Runs its
// derivation once per process, however often it is called; a violated
// precondition stops the process.
void initVidStdTables();

// The standard named by `text`, whose value may carry more after the name
// ("1080i/50 ext"), or null. Initialises the tables first.
const vidStd_t* findVidStd(const std::string& text);

// Prints a plain-text description of `standard` to standard output.
void describeVidStd(const vidStd_t& standard);

// (parameter, constant) pairs whose values a trap evaluation needs.
using VidStdReferences = std::set<std::pair<std::string, std::string>>;

// For each reference whose parameter has a value in `values` naming a
// standard, adds "vidStd::" parameter "::" constant with the constant's
// value in decimal, keeping an entry already there. The constants: spal,
// alpf (production aperture samples and lines), sptl, tlpf (total samples
// and lines), fr (frame rate), clkDiv (1 for a /1.001 rate), f0, f1 (F=0
// and F=1 lines), f0v0, f0v1, f1v0, f1v1 (field 1 V=0, field 2 V=1, field 2
// V=0 and field 1 V=1 lines), f0sw and f1sw (switch points).
void addVidStdConstantValues(ValueMap& values,
                             const VidStdReferences& references);

#endif  // OSTRAND_VID_STD_H_
