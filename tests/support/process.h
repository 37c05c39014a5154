// Child processes for the end-to-end tests: start one with its output in
// files, wait for a condition or for its exit with a guard against hangs.

#ifndef OSTRAND_TESTS_SUPPORT_PROCESS_H_
#define OSTRAND_TESTS_SUPPORT_PROCESS_H_

#include <sys/types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// How long a test waits for something that should happen at once before it
// gives up. Only a guard against a hung test, never a measurement.
constexpr int kGuardSeconds = 60;

// Starts argv (argv[0] found on PATH when it has no slash) with `env` set on
// top of this process's environment, standard input from /dev/null and
// standard output and error appended to the files outPath and errPath.
// Returns the pid, or -1 with `error` set.
pid_t spawnProcess(const std::vector<std::string>& argv,
                   const std::map<std::string, std::string>& env,
                   const std::string& outPath, const std::string& errPath,
                   std::string* error);

// Waits for `pid` to end and returns its exit status, 128 + the signal
// number when a signal ended it, or -1 when it did not end within the guard
// (it is then killed).
int waitForExit(pid_t pid);

// True when `pid` has ended; it is left to waitForExit to reap.
bool hasEnded(pid_t pid);

// Polls `condition` until it holds (true) or the guard runs out (false).
bool waitUntil(const std::function<bool()>& condition);

std::string readFile(const std::string& path);
bool writeFile(const std::string& path, const std::string& content);

// The pid of a process, not necessarily a child of ours, whose command line
// holds `argument` as one of its words; -1 when there is none.
pid_t findProcessWithArgument(const std::string& argument);

// True when `pid` has a handler installed for `signal`.
bool catchesSignal(pid_t pid, int signal);

// True when `name` (a path, or a program name looked up on PATH) is an
// executable file.
bool isExecutable(const std::string& name);

#endif  // OSTRAND_TESTS_SUPPORT_PROCESS_H_
