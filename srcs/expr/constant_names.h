// The names under which conditions read the constants of the video
// standard that a parameter's value names: "vidStd::" parameter "::"
// constant, as in (vidStd::videoIn::alpf == 1080).

#ifndef OSTRAND_EXPR_CONSTANT_NAMES_H_
#define OSTRAND_EXPR_CONSTANT_NAMES_H_

#include <string>

std::string vidStdConstantName(const std::string& parameter,
                               const std::string& constant);

// Splits a name of that form at the first "::" after "vidStd::"; false, and
// nothing set, for any other name.
bool splitVidStdConstantName(const std::string& name, std::string& parameter,
                             std::string& constant);

#endif  // OSTRAND_EXPR_CONSTANT_NAMES_H_
