// What the code under test sends to syslog, caught at /dev/log inside a
// private /dev of this test process (its own mount namespace), so that the
// machine's logging sees nothing. Needs root, and a process without threads
// yet (GSubprocess and GDBus start GLib's): set it up first.

#ifndef OSTRAND_TESTS_SUPPORT_SYSLOG_CAPTURE_H_
#define OSTRAND_TESTS_SUPPORT_SYSLOG_CAPTURE_H_

#include <string>
#include <vector>

class SyslogCapture {
 public:
  // The first call in a process moves it into its private /dev with a
  // datagram socket bound at /dev/log; every call drops what an earlier
  // test left there. Empty, or what failed.
  std::string setUp();
  // The lines received and not yet taken, in order, each as the level
  // (LOG_ERR is 3, LOG_INFO 6), a blank and the message ("3 ERROR: ...\n").
  std::vector<std::string> take();
  // The socket, for a wait for the first line.
  int fd() const;
};

#endif  // OSTRAND_TESTS_SUPPORT_SYSLOG_CAPTURE_H_
