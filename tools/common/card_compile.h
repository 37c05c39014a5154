// A definition file compiled by a tool exactly as the daemon loads it, with
// no bus and no device, and what the load has to say about it in the form
// editors and build logs read:
//
//   card.kdl:12:5: error: Parameter not found
//     foo, bar }
//       ^
//   card.kdl: error: Processing MIB parm gain: Could not merge ...
//   card.kdl: note: the daemon would run without sending any trap record: ...
//
// LINE and COL count from 1, COL in bytes. They are the file's own, also
// past a line longer than 1024 bytes, which the daemon counts as two.
//
// Besides what the daemon prints, the compile says what it leaves unsaid: a
// parameter the MIB generation stops at without a message, a stage that
// stops without any, and that a daemon whose MIB generation stops runs on
// without ever sending a record.

#ifndef OSTRAND_TOOLS_COMMON_CARD_COMPILE_H_
#define OSTRAND_TOOLS_COMMON_CARD_COMPILE_H_

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "traps/trap_registry.h"

// What compileCard found.
enum CardStatus {
  kCardLoads = 0,       // every stage ran: the daemon would send records
  kCardFails = 1,       // the daemon would stop, or run without its traps
  kCardUnreadable = 2,  // the file cannot be opened
};

// One thing to say about the file.
struct Finding {
  enum Severity { kError, kWarning, kNote };
  Severity severity = kError;
  uint32_t line = 0;     // from 1; 0 for none
  uint32_t column = 0;   // from 1, in bytes
  std::string message;
  std::string lineText;  // the file's line, without its newline
};

// Compiles `path` into `registry` and appends to `findings` what the load
// reported and what it left unsaid, in the order the daemon would print.
CardStatus compileCard(const std::string& path, TrapRegistry& registry,
                       std::vector<Finding>* findings);

// Prints `findings` of the file `path` on `out` in the form above.
void printFindings(const std::string& path,
                   const std::vector<Finding>& findings, FILE* out);

// compileCard, the findings printed on standard error unless every stage
// ran.
CardStatus compileCard(const std::string& path, TrapRegistry& registry);

#endif  // OSTRAND_TOOLS_COMMON_CARD_COMPILE_H_
