// How long the card waits for the values a transaction signal needs: one
// parameter get through the parameter access layer, answered by the
// service stand-in on a private session bus (GLib's GTestDBus).
//
//   build/bench/fetch_bench

#include <benchmark/benchmark.h>
#include <dbus/dbus-glib-lowlevel.h>
#include <dbus/dbus-glib.h>
#include <gio/gio.h>
#include <glib/gstdio.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "transaction/parameter_access.h"
#include "transaction/service_calls.h"

namespace {

const int kValueCount = 1000;

std::string nameOf(int i) { return "p" + std::to_string(i); }

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "fetch_bench: %s\n", what.c_str());
  std::exit(1);
}

// The bus and the service, started once for every benchmark of the run and
// left to end with the process.
class ServiceOnPrivateBus {
 public:
  ServiceOnPrivateBus() {
    bus_ = g_test_dbus_new(G_TEST_DBUS_NONE);
    g_test_dbus_up(bus_);
    std::string values;
    for (int i = 0; i < kValueCount; ++i) {
      values += nameOf(i) + "=" + std::to_string(i) + "\n";
    }
    g_autofree gchar* valuesPath = nullptr;
    const int fd = g_file_open_tmp("ostrand-bench-XXXXXX", &valuesPath, nullptr);
    if (fd < 0 || !g_file_set_contents(valuesPath, values.c_str(), -1, nullptr)) {
      fail("cannot write the service's values in /tmp");
    }
    close(fd);
    service_ = g_subprocess_new(G_SUBPROCESS_FLAGS_STDOUT_PIPE, nullptr,
                                TXSERVICE_BINARY, "--values", valuesPath, nullptr);
    if (service_ == nullptr) fail("cannot start " TXSERVICE_BINARY);
    // The stand-in says so once it owns its bus name.
    g_autoptr(GDataInputStream) out =
        g_data_input_stream_new(g_subprocess_get_stdout_pipe(service_));
    g_autofree gchar* ready =
        g_data_input_stream_read_line(out, nullptr, nullptr, nullptr);
    g_unlink(valuesPath);
    if (ready == nullptr || std::string(ready) != "txservice: ready") {
      fail("the service stand-in did not start");
    }
    DBusGConnection* connection =
        dbus_g_connection_open(g_test_dbus_get_bus_address(bus_), nullptr);
    if (connection == nullptr ||
        !dbus_bus_register(dbus_g_connection_get_connection(connection), nullptr)) {
      fail("cannot connect to the private bus");
    }
    proxy_ = dbus_g_proxy_new_for_name(connection, kServiceName, kServicePath,
                                       kServiceInterface);
  }

  ~ServiceOnPrivateBus() {
    g_subprocess_force_exit(service_);
    g_subprocess_wait(service_, nullptr, nullptr);
    g_object_unref(service_);
    g_test_dbus_down(bus_);
    g_object_unref(bus_);
  }

  DBusGProxy* proxy() const { return proxy_; }

 private:
  GTestDBus* bus_ = nullptr;
  GSubprocess* service_ = nullptr;
  DBusGProxy* proxy_ = nullptr;
};

DBusGProxy* serviceProxy() {
  static ServiceOnPrivateBus service;
  return service.proxy();
}

// Fetching the values of one trap's parameters: one name uses single_get,
// more use one single_get_bulk.
void BM_Fetch(benchmark::State& state) {
  DBusGProxy* proxy = serviceProxy();
  NameSet names;
  for (int i = 0; i < state.range(0); ++i)
    names.insert(nameOf(i * 7 % kValueCount));
  ValueMap values;
  for (auto _ : state) {
    if (parm_get_(proxy, {}, names, values) != 1 ||
        values.size() != names.size()) {
      state.SkipWithError("the service did not answer every name");
      break;
    }
  }
}
BENCHMARK(BM_Fetch)->Arg(1)->Arg(8)->Arg(64)->Unit(benchmark::kMicrosecond);

}  // namespace
