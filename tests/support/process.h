// Child processes of the end-to-end tests (GSubprocess, output in files, a
// guard against hangs) and what /proc tells of any process.

#ifndef OSTRAND_TESTS_SUPPORT_PROCESS_H_
#define OSTRAND_TESTS_SUPPORT_PROCESS_H_

#include <gio/gio.h>
#include <sys/types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/case_file.h"

// How long a test waits for something that should happen at once before it
// gives up. Only a guard against a hung test, never a measurement.
constexpr int kGuardMilliseconds = 20000;

// A child process, killed when destroyed before it was waited for.
class Process {
 public:
  ~Process();
  // Starts argv (argv[0] looked up on PATH when it has no slash) with `env`
  // over this process's environment, standard output and error in the
  // files outPath and errPath (emptied first), and SIGINT, SIGQUIT and
  // SIGTERM at their default action even when a background shell ignores
  // them. Empty, or why it failed.
  std::string start(const std::vector<std::string>& argv,
                    const std::string& outPath, const std::string& errPath,
                    const std::map<std::string, std::string>& env = {});
  pid_t pid() const { return pid_; }
  bool ended() const;
  void signal(int signal);  // unless it has ended
  // The exit status, 128 + the signal number when a signal ended it, or -1
  // when it never started or did not end within the guard (it is killed).
  int wait();

 private:
  GSubprocess* process_ = nullptr;
  pid_t pid_ = -1;
};

// Polls `condition` until it holds (true) or `milliseconds` pass (false).
bool waitUntil(const std::function<bool()>& condition,
               int milliseconds = kGuardMilliseconds);


// The pid of a process, not necessarily a child of ours, whose command line
// holds `argument` as one of its words; -1 when there is none.
pid_t findProcessWithArgument(const std::string& argument);

// True when `pid` has a handler installed for `signal`.
bool catchesSignal(pid_t pid, int signal);

#endif  // OSTRAND_TESTS_SUPPORT_PROCESS_H_
