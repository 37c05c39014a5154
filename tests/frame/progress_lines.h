// What the daemon prints while it starts and loads a definition file.

#ifndef OSTRAND_TESTS_FRAME_PROGRESS_LINES_H_
#define OSTRAND_TESTS_FRAME_PROGRESS_LINES_H_

#include <string>

inline const std::string kConnecting = "ostrand: Connecting to Session D-Bus.\n";
inline const std::string kCreatingProxy =
    "ostrand: Creating a GLib proxy object for Value.\n";
inline const std::string kStartingLoop = "ostrand: Starting main loop.\n";

inline const std::string kParsing = "Parsing KDL definition file.\n";
// From the end of the file to the traps step.
inline const std::string kGeneratingTables =
    "Generating traps table.\nGenerating video standard table.\n";
inline const std::string kGeneratingTraps =
    "Generating traps.\nGenerating MIB indices and variables.\n";
// The stages after the first MIB stage.
inline const std::string kLaterMibStages =
    "Converting to QX MIB.\nProcessing MIB indices.\n"
    "Processing MIB variables.\nGenerating MIB tables.\nGenerating varids.\n";
// A definition that loads without a problem.
inline const std::string kLoaded =
    kParsing + kGeneratingTables + kGeneratingTraps + kLaterMibStages;

#endif  // OSTRAND_TESTS_FRAME_PROGRESS_LINES_H_
