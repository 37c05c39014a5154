// The load pipeline: turns the definition file named on the command line
// into the daemon's running trap set-up, once, before the process detaches.
// The compilation itself needs neither a bus nor a device, so that the
// offline tools compile a card's file exactly as the daemon does.

#ifndef OSTRAND_FRAME_LOAD_H_
#define OSTRAND_FRAME_LOAD_H_

#include <string>

#include "frame/generation.h"
#include "language/load_report.h"
#include "traps/transaction_handler.h"
#include "traps/trap_registry.h"

// Reads `definitionFile` and builds from it the trap instances of
// `registry`, whose records are to go to `deviceFd`. Progress and problems
// go to `report`.
//
// The file is read in pieces of at most 1024 bytes, each ending at a newline
// or at that limit, and every piece counts as one line: a longer physical
// line shifts the numbers of the lines after it. A piece's text ends at its
// first NUL byte. The first line that does not parse is reported (line
// number, message, the line and a caret) and ends the load; nothing after
// it is read. A read error ends the reading like the end of the file. The
// file is closed before returning.
//
// The process-wide states of the readers are left as the load leaves them;
// a process that compiles more than one file resets them in between
// (resetExpressionReader).
LoadResult compileDefinitions(const std::string& definitionFile,
                              LoadReport& report, TrapRegistry& registry,
                              int deviceFd);

// The daemon's load: compileDefinitions into the daemon's registry
// (trapRegistry), reporting on standard error, then, when its traps were
// generated, the subscription to the transaction signal (none for a null
// signal proxy). The memory the load freed goes back to the system.
// Returns 0 on success and 1 when the daemon must not start.
int loadDefinitions(const std::string& definitionFile,
                    const ServiceProxies& proxies, int deviceFd);

#endif  // OSTRAND_FRAME_LOAD_H_
