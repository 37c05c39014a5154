// The video standard table: a `vidstd` statement says that the value of a
// parameter names the video standard in use, and which of the fourteen video
// standard constants (reserved_names.h) that standard provides to trap
// conditions, from which version on. After the definition file has been
// read, the statements are checked and gathered here, and one table per
// listed constant is added to the definition. The MIB generation then
// treats these tables like declared ones, and the (parameter, constant)
// pairs get identifiers of their own.

#ifndef OSTRAND_TABLES_VIDEO_STANDARD_TABLE_H_
#define OSTRAND_TABLES_VIDEO_STANDARD_TABLE_H_

#include <cstdint>
#include <map>
#include <string>

#include "language/diagnostics.h"
#include "language/model.h"

// Declared name (the parameter) to constant to the smallest version of the
// `vidstd` statements of that name that list the constant.
using VideoStandardTable =
    std::map<std::string, std::map<std::string, uint32_t>>;

// Fills `table` (expected empty) from model.vidStds and replaces the entry of
// model.tables named after each listed constant: its version is the smallest
// version listing the constant, its parameters the declared names, one per
// statement listing it, ordered by version then name, each positioned where
// the constant is written (its first place in a statement that lists it
// twice).
//
// A name that is none of the fourteen constants is reported in `diagnostics`
// as an error (code 24, at the name, quoting its line), every place it is
// written, and is left out of everything else. Returns 0 when every name was
// a constant, -1 otherwise; the table and the generated tables are produced
// from the valid constants either way.
int generateVideoStandardTable(DiagnosticsList& diagnostics,
                               VideoStandardTable& table,
                               DefinitionModel& model);

#endif  // OSTRAND_TABLES_VIDEO_STANDARD_TABLE_H_
