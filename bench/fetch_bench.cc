// How long the card waits for the values a transaction signal needs: one
// parameter get through the parameter access layer, answered by the
// service stand-in on a private session bus (a dbus-daemon of its own).
//
//   build/bench/fetch_bench

#include <benchmark/benchmark.h>
#include <dbus/dbus-glib.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/private_bus.h"
#include "support/process.h"
#include "transaction/parameter_access.h"
#include "transaction/service_calls.h"

namespace {

const int kValueCount = 1000;

std::string nameOf(int i) { return "p" + std::to_string(i); }

// The bus and the service, started once for every benchmark of the run.
class ServiceOnPrivateBus {
 public:
  ServiceOnPrivateBus() {
    char tmpl[] = "/tmp/ostrand-bench-XXXXXX";
    if (mkdtemp(tmpl) == nullptr) fail("cannot create a directory in /tmp");
    dir_ = tmpl;
    std::string error;
    std::string address;
    bus_ = startPrivateBus(dir_, &address, &error);
    if (bus_ < 0) fail(error);
    std::string values;
    for (int i = 0; i < kValueCount; ++i) {
      values += nameOf(i) + "=" + std::to_string(i) + "\n";
    }
    writeFile(dir_ + "/values", values);
    service_ = startServiceStandIn({"--values", dir_ + "/values"}, address,
                                   dir_ + "/service.out", dir_ + "/service.err",
                                   &error);
    if (service_ < 0) fail(error);
    DBusGConnection* connection = connectToBus(address, &error);
    if (connection == nullptr) fail(error);
    proxy_ = dbus_g_proxy_new_for_name(connection, kServiceName, kServicePath,
                                       kServiceInterface);
  }

  ~ServiceOnPrivateBus() {
    for (pid_t pid : {service_, bus_}) {
      if (pid > 0) kill(pid, SIGTERM);
      if (pid > 0) waitForExit(pid);
    }
    std::filesystem::remove_all(dir_);
  }

  DBusGProxy* proxy() const { return proxy_; }

 private:
  [[noreturn]] static void fail(const std::string& what) {
    std::fprintf(stderr, "fetch_bench: %s\n", what.c_str());
    std::exit(1);
  }

  std::string dir_;
  pid_t bus_ = -1;
  pid_t service_ = -1;
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
