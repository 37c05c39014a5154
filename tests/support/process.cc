#include "support/process.h"

#include <signal.h>

#include <cstdlib>
#include <filesystem>

namespace {

void defaultStopSignals(gpointer) {
  for (int signal : {SIGINT, SIGQUIT, SIGTERM}) ::signal(signal, SIG_DFL);
}

}  // namespace

Process::~Process() {
  if (!ended()) g_subprocess_force_exit(process_);
  if (process_ != nullptr) g_subprocess_wait(process_, nullptr, nullptr);
  g_clear_object(&process_);
}

std::string Process::start(const std::vector<std::string>& argv,
                           const std::string& outPath,
                           const std::string& errPath,
                           const std::map<std::string, std::string>& env) {
  std::vector<const char*> args;
  for (const std::string& arg : argv) args.push_back(arg.c_str());
  args.push_back(nullptr);
  // The launcher writes over the files without truncating them.
  writeFile(outPath, "");
  writeFile(errPath, "");
  GSubprocessLauncher* launcher =
      g_subprocess_launcher_new(G_SUBPROCESS_FLAGS_NONE);
  g_subprocess_launcher_set_stdout_file_path(launcher, outPath.c_str());
  g_subprocess_launcher_set_stderr_file_path(launcher, errPath.c_str());
  g_subprocess_launcher_set_child_setup(launcher, defaultStopSignals, nullptr,
                                        nullptr);
  for (const auto& [name, value] : env) {
    g_subprocess_launcher_setenv(launcher, name.c_str(), value.c_str(), TRUE);
  }
  GError* error = nullptr;
  process_ = g_subprocess_launcher_spawnv(launcher, args.data(), &error);
  g_object_unref(launcher);
  if (process_ == nullptr) {
    const std::string why = error->message;
    g_error_free(error);
    return why;
  }
  const char* pid = g_subprocess_get_identifier(process_);
  pid_ = pid == nullptr ? -1 : std::atoi(pid);
  return "";
}

// GSubprocess reaps the child on GLib's worker thread and forgets its pid.
bool Process::ended() const {
  return process_ == nullptr ||
         g_subprocess_get_identifier(process_) == nullptr;
}

void Process::signal(int signal) {
  if (process_ != nullptr) g_subprocess_send_signal(process_, signal);
}

int Process::wait() {
  if (process_ == nullptr) return -1;
  const bool done = waitUntil([&] { return ended(); });
  if (!done) g_subprocess_force_exit(process_);
  g_subprocess_wait(process_, nullptr, nullptr);
  const int status = g_subprocess_get_if_signaled(process_)
                         ? 128 + g_subprocess_get_term_sig(process_)
                         : g_subprocess_get_exit_status(process_);
  g_clear_object(&process_);
  return done ? status : -1;
}

bool waitUntil(const std::function<bool()>& condition, int milliseconds) {
  const gint64 end = g_get_monotonic_time() + milliseconds * gint64(1000);
  while (!condition()) {
    if (g_get_monotonic_time() > end) return false;
    g_usleep(5000);
  }
  return true;
}

pid_t findProcessWithArgument(const std::string& argument) {
  std::error_code ignored;
  for (const auto& entry :
       std::filesystem::directory_iterator("/proc", ignored)) {
    const std::string words = '\0' + readFile(entry.path() / "cmdline");
    if (words.find('\0' + argument + '\0') != std::string::npos) {
      return std::atoi(entry.path().filename().c_str());
    }
  }
  return -1;
}

bool catchesSignal(pid_t pid, int signal) {
  const std::string status =
      readFile("/proc/" + std::to_string(pid) + "/status");
  const size_t caught = status.find("SigCgt:");
  return caught != std::string::npos &&
         (std::strtoull(status.c_str() + caught + 7, nullptr, 16) >>
          (signal - 1)) &
             1;
}
