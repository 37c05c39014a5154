// What the daemon prints while it starts and loads a definition file.

#ifndef OSTRAND_TESTS_FRAME_PROGRESS_LINES_H_
#define OSTRAND_TESTS_FRAME_PROGRESS_LINES_H_

#include <string>

// Standard output: up to the load, and once the main loop starts.
inline const std::string kConnecting =
    "ostrand: Connecting to Session D-Bus.\n";
inline const std::string kLoading =
    kConnecting + "ostrand: Creating a GLib proxy object for Value.\n";
inline const std::string kStarted = kLoading + "ostrand: Starting main loop.\n";

// Standard error, from the parse to the traps step and its first MIB stage.
inline const std::string kParsing = "Parsing KDL definition file.\n";
inline const std::string kGeneratingTables =
    "Generating traps table.\nGenerating video standard table.\n";
inline const std::string kGeneratingTraps =
    "Generating traps.\nGenerating MIB indices and variables.\n";
// A definition that loads without a problem.
inline const std::string kLoaded =
    kParsing + kGeneratingTables + kGeneratingTraps +
    "Converting to QX MIB.\nProcessing MIB indices.\n"
    "Processing MIB variables.\nGenerating MIB tables.\nGenerating varids.\n";

#endif  // OSTRAND_TESTS_FRAME_PROGRESS_LINES_H_
