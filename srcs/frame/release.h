// The release of the daemon and of the tools that come with it, as their
// --version prints it.

#ifndef OSTRAND_FRAME_RELEASE_H_
#define OSTRAND_FRAME_RELEASE_H_

#define OSTRAND_RELEASE "2.11 quarry trunk 399"

#endif  // OSTRAND_FRAME_RELEASE_H_
