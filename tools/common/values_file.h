// The values file of the transaction service: the parameter values the
// service stand-in starts from, and those the offline tool's simulated
// service holds.
//
// The file holds one name=value per line, split at the first '='; the name
// may carry an index suffix (level[3]) and the value may be empty. Blank
// lines and lines starting with '#' are skipped; a line ending in "\r\n"
// ends there, so that a file written on another system reads the same. A
// name given twice keeps its last value.

#ifndef OSTRAND_TOOLS_COMMON_VALUES_FILE_H_
#define OSTRAND_TOOLS_COMMON_VALUES_FILE_H_

#include <map>
#include <string>

// Reads the values file `path` into `values`. Returns 0, or 1 with `error`
// set to "FILE:LINE: expected name=value" for a line that is not name=value
// (or "FILE:LINE: expected UTF-8 text" for one that cannot travel on the
// bus as a string), or "cannot read FILE: <reason>".
int readValues(const std::string& path,
               std::map<std::string, std::string>* values, std::string* error);

// Splits "name=value" at the first '='. False when there is no '=' or the
// name is empty.
bool splitEntry(const std::string& entry, std::string* name,
                std::string* value);

#endif  // OSTRAND_TOOLS_COMMON_VALUES_FILE_H_
