// One of our programs run to its end, for the tests that need no root.

#ifndef OSTRAND_TESTS_SUPPORT_RUN_TOOL_H_
#define OSTRAND_TESTS_SUPPORT_RUN_TOOL_H_

#include <gio/gio.h>

#include <string>
#include <vector>

struct ToolRun {
  std::string out, err;
  int status = -1;  // the exit status; -1, with err saying why, when it
                    // could not run or did not exit
};

inline std::string bytesText(GBytes* bytes) {
  if (bytes == nullptr) return "";
  gsize size = 0;
  const auto* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
  std::string text(data == nullptr ? "" : std::string(data, size));
  g_bytes_unref(bytes);
  return text;
}

// Runs `argv` in the directory `dir` (this process's when empty) with
// standard input from the file `input`.
inline ToolRun runTool(const std::vector<std::string>& argv,
                       const std::string& dir = "",
                       const std::string& input = "/dev/null") {
  std::vector<const char*> args;
  for (const std::string& arg : argv) args.push_back(arg.c_str());
  args.push_back(nullptr);
  GSubprocessLauncher* launcher = g_subprocess_launcher_new(GSubprocessFlags(
      G_SUBPROCESS_FLAGS_STDOUT_PIPE | G_SUBPROCESS_FLAGS_STDERR_PIPE));
  if (!dir.empty()) g_subprocess_launcher_set_cwd(launcher, dir.c_str());
  g_subprocess_launcher_set_stdin_file_path(launcher, input.c_str());
  GError* error = nullptr;
  GSubprocess* child =
      g_subprocess_launcher_spawnv(launcher, args.data(), &error);
  g_object_unref(launcher);
  ToolRun run;
  GBytes *out = nullptr, *err = nullptr;
  if (child != nullptr &&
      g_subprocess_communicate(child, nullptr, nullptr, &out, &err, &error)) {
    run.out = bytesText(out);
    run.err = bytesText(err);
    if (g_subprocess_get_if_exited(child)) {
      run.status = g_subprocess_get_exit_status(child);
    } else {
      run.err += "(ended by signal " +
                 std::to_string(g_subprocess_get_term_sig(child)) + ")";
    }
  }
  if (error != nullptr) {
    run.err = "cannot run " + argv[0] + ": " + error->message;
    g_error_free(error);
  }
  if (child != nullptr) g_object_unref(child);
  return run;
}

#endif  // OSTRAND_TESTS_SUPPORT_RUN_TOOL_H_
