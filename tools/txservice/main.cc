// txservice: a stand-in for the card's transaction service on the session
// bus, for the demo, the end-to-end tests and the benchmarks.
//
//   txservice [--name=NAME] [--values=FILE]
//
// Serves the object /transaction (see service.h for what the calls do and
// control_calls.h for the tests' control interface), then owns NAME
// (default org.velmor.transaction), neither queueing for it nor taking it
// from another owner, and prints "txservice: ready" once it has it.
// SIGTERM and SIGINT end it with status 0. Exit status 64 for a bad command
// line (options.h), 2 for a bad values file, 1 when the name cannot be
// owned or is lost.

#include <glib-unix.h>
#include <signal.h>

#include <cstdio>

#include "bus.h"
#include "common/values_file.h"
#include "options.h"

namespace {

struct Run {
  GMainLoop* loop = nullptr;
  const char* name = nullptr;
  bool owned = false;
  int status = 0;
};

gboolean onStopSignal(gpointer data) {
  g_main_loop_quit(static_cast<Run*>(data)->loop);
  return G_SOURCE_CONTINUE;
}

void onNameAcquired(GDBusConnection*, const gchar*, gpointer data) {
  static_cast<Run*>(data)->owned = true;
  std::fputs("txservice: ready\n", stdout);
  std::fflush(stdout);
}

// Called when the name could not be had, or when the connection closed
// after it was: either way no client can reach the service any more.
void onNameLost(GDBusConnection*, const gchar*, gpointer data) {
  auto* run = static_cast<Run*>(data);
  if (run->owned) {
    std::fprintf(stderr, "txservice: lost %s on the session bus\n", run->name);
  } else {
    std::fprintf(stderr, "txservice: cannot own %s on the session bus\n",
                 run->name);
  }
  run->status = 1;
  g_main_loop_quit(run->loop);
}

int cannotOwn(const Options& options, GError* error) {
  std::fprintf(stderr, "txservice: cannot own %s on the session bus (%s)\n",
               options.name.c_str(), error->message);
  g_error_free(error);
  return 1;
}

// Owns the name and serves until a stop signal or the name's loss.
int runLoop(const Options& options, Service* service) {
  Run run;
  run.name = options.name.c_str();
  run.loop = g_main_loop_new(nullptr, FALSE);
  guint stopSignals[] = {g_unix_signal_add(SIGTERM, onStopSignal, &run),
                         g_unix_signal_add(SIGINT, onStopSignal, &run)};
  guint owner = g_bus_own_name_on_connection(
      service->connection, run.name, G_BUS_NAME_OWNER_FLAGS_DO_NOT_QUEUE,
      onNameAcquired, onNameLost, &run, nullptr);
  g_main_loop_run(run.loop);
  g_bus_unown_name(owner);
  for (guint source : stopSignals) g_source_remove(source);
  g_main_loop_unref(run.loop);
  return run.status;
}

int serve(const Options& options, Service* service) {
  GError* error = nullptr;
  service->connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
  if (service->connection == nullptr) return cannotOwn(options, error);
  // A closed connection is reported through the name being lost, with its
  // own message and status, rather than by GDBus raising SIGTERM.
  g_dbus_connection_set_exit_on_close(service->connection, FALSE);
  int status = exportService(service, &error) != 0 ? cannotOwn(options, error)
                                                   : runLoop(options, service);
  unexportService(service);
  g_object_unref(service->connection);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  parseOptions(argc, argv, &options);

  Service service;
  ServiceState& state = service.state;
  std::string error;
  if (options.valuesFile &&
      readValues(*options.valuesFile, &state.initialValues, &error) != 0) {
    std::fprintf(stderr, "txservice: %s\n", error.c_str());
    return 2;
  }
  state.values = state.initialValues;
  return serve(options, &service);
}
