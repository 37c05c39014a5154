// Raster arithmetic of the video standards: extents of samples and lines,
// their centres, and the two line numberings of a frame.
//
// Samples count from 0 within a line, lines from 1 within a frame. An
// interlaced (or segmented-frame) standard numbers its lines by field:
// field 1 holds lines 1 to half and field 2 lines half + 1 to tlpf, where
// tlpf is the number of lines per frame and half = (tlpf + 1) / 2 (563 of
// 1125). Progressive numbers count the lines in picture order, so that
// progressive line 1 is field-1 line 1 and progressive line 2 is field-2
// line half + 1.
//
// Every function has preconditions (lines within 1 to tlpf, extents whose
// stop is not below their start). A caller that breaks one stops the
// process with a line naming the condition, the source file, the line and
// the function: a wrong line here would silently shift a value that trap
// conditions compare against.

#ifndef OSTRAND_VID_CENTRE_H_
#define OSTRAND_VID_CENTRE_H_

#include <cstdint>

// An inclusive range of samples or lines; {0, 0} means not given.
struct vidExtent_t {
  uint32_t start = 0;
  uint32_t stop = 0;
};

// The centre of an extent: one sample or line (both equal) for an odd
// size, the two around it (pixelLow = pixelHigh - 1) for an even size;
// {0, 0} means not given.
struct vidCentre_t {
  uint32_t pixelLow = 0;
  uint32_t pixelHigh = 0;
};

// stop - start + 1.
uint32_t vidExtentSize(const vidExtent_t& extent);

// The last line of field 1 in a frame of `tlpf` lines: half
// = (tlpf + 1) / 2.
uint32_t vidHalfFrame(uint32_t tlpf);

// Progressive line to interlaced: odd lines are field 1, even field 2.
uint32_t progToIntLine(uint32_t line, uint32_t tlpf);
// Interlaced line to progressive.
uint32_t intToProgLine(uint32_t line, uint32_t tlpf);
// Both ends of an extent converted.
vidExtent_t progToIntExtent(const vidExtent_t& extent, uint32_t tlpf);
vidExtent_t intToProgExtent(const vidExtent_t& extent, uint32_t tlpf);

// One progressive range from a pair of field ranges: from a single given
// range (two non-zero values among the four), its ends converted; from
// both, the smaller converted start and the larger converted stop, the two
// starts and the two stops each required to be adjacent lines.
void fieldToProgRange(vidExtent_t& out, const vidExtent_t (&fields)[2],
                      uint32_t tlpf);

// Splits one interlaced range, which may run from a field-2 line to a
// field-1 line, into its two field ranges: each end goes to its own field,
// and the other field starts after the start, and stops before the stop, in
// picture order.
void splitFieldRange(vidExtent_t (&fields)[2], const vidExtent_t& range,
                     uint32_t tlpf);

// The parts of `full` outside `in`, packed from out[0]: the part before,
// then the part after; a slot without a part is {0, 0}.
void calcOutsideRegion(vidExtent_t (&out)[2], const vidExtent_t& in,
                       const vidExtent_t& full);

// Where a range of `rangeSize` starts within `fullSize` to be centred:
// (fullSize - rangeSize) / 2, the odd one left before the range when
// `roundUp`.
uint32_t calcCentreRangeOffset(uint32_t rangeSize, uint32_t fullSize,
                               bool roundUp);

// The range of `size` centred within `in`.
void calcCentreRange(vidExtent_t& out, uint32_t size, const vidExtent_t& in,
                     bool roundUp);

// The centre of `e`.
void calcVidCentre(vidCentre_t& out, const vidExtent_t& e);

// The interlaced range of `size` lines centred, in picture order, within
// the field ranges `fields`. Its start and stop may lie in either field.
void centreFieldRange(vidExtent_t& out, uint32_t size,
                      const vidExtent_t (&fields)[2], uint32_t tlpf,
                      bool roundUp);

// The centre, in picture order, of the field ranges `fields`, as
// interlaced line numbers.
void calcFieldCentre(vidCentre_t& out, const vidExtent_t (&fields)[2],
                     uint32_t tlpf);

#endif  // OSTRAND_VID_CENTRE_H_
