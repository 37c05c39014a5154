#include "support/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

int statusOf(int waitStatus) {
  if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
  if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
  return -1;
}

void redirect(int targetFd, const std::string& path, int flags) {
  int fd = open(path.c_str(), flags, 0644);
  if (fd < 0) _exit(127);
  dup2(fd, targetFd);
  close(fd);
}

}  // namespace

pid_t spawnProcess(const std::vector<std::string>& argv,
                   const std::map<std::string, std::string>& env,
                   const std::string& outPath, const std::string& errPath,
                   std::string* error) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = fork();
  if (pid < 0) {
    *error = std::string("fork failed: ") + std::strerror(errno);
    return -1;
  }
  if (pid == 0) {
    redirect(0, "/dev/null", O_RDONLY);
    redirect(1, outPath, O_WRONLY | O_CREAT | O_APPEND);
    redirect(2, errPath, O_WRONLY | O_CREAT | O_APPEND);
    // A test run from a background shell inherits ignored SIGINT and
    // SIGQUIT; the process under test gets the default dispositions.
    for (int signal : {SIGINT, SIGQUIT, SIGTERM}) ::signal(signal, SIG_DFL);
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
    execvp(args[0], args.data());
    dprintf(2, "cannot run %s: %s\n", args[0], std::strerror(errno));
    _exit(127);
  }
  return pid;
}

bool hasEnded(pid_t pid) {
  siginfo_t info = {};
  return waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
         info.si_pid == pid;
}

bool waitUntil(const std::function<bool()>& condition) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kGuardSeconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

int waitForExit(pid_t pid) {
  bool ended = waitUntil([&] { return hasEnded(pid); });
  if (!ended) kill(pid, SIGKILL);
  int waitStatus = 0;
  waitpid(pid, &waitStatus, 0);
  return ended ? statusOf(waitStatus) : -1;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool writeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  return static_cast<bool>(out);
}

bool isExecutable(const std::string& name) {
  if (name.find('/') != std::string::npos) return access(name.c_str(), X_OK) == 0;
  const char* path = std::getenv("PATH");
  std::istringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (access((dir + "/" + name).c_str(), X_OK) == 0) return true;
  }
  return false;
}

pid_t findProcessWithArgument(const std::string& argument) {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", ignored)) {
    std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string cmdline = readFile(entry.path() / "cmdline");
    std::istringstream words(cmdline);
    std::string word;
    while (std::getline(words, word, '\0')) {
      if (word == argument) return std::stoi(name);
    }
  }
  return -1;
}

bool catchesSignal(pid_t pid, int signal) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("SigCgt:", 0) == 0) {
      unsigned long long mask = std::strtoull(line.c_str() + 7, nullptr, 16);
      return (mask >> (signal - 1)) & 1;
    }
  }
  return false;
}
