// The subscription to the service's transaction signal.

#include "traps/transaction_handler.h"

#include <gtest/gtest.h>

#include <string>

#include "support/private_bus.h"
#include "support/rig.h"
#include "transaction/service_calls.h"

namespace {

class SubscribeTest : public RigTest {};

// The handler receives the registry it was subscribed with; a null proxy
// (a definition compiled without a service) is left alone.
TEST_F(SubscribeTest, ConnectsTheHandlerWithTheRegistry) {
  std::string error;
  DBusGConnection* connection = connectToBus(rig.busAddress(), &error);
  ASSERT_NE(connection, nullptr) << error;
  DBusGProxy* proxy = dbus_g_proxy_new_for_name(
      connection, kServiceName, kServicePath, kServiceInterface);
  TrapRegistry registry;
  const auto connected = [&](TrapRegistry* data) {
    return g_signal_handler_find(
        proxy, GSignalMatchType(G_SIGNAL_MATCH_FUNC | G_SIGNAL_MATCH_DATA), 0,
        0, nullptr, reinterpret_cast<gpointer>(onTransaction), data);
  };
  EXPECT_EQ(connected(&registry), 0u);
  subscribe(proxy, registry);
  EXPECT_NE(connected(&registry), 0u);
  subscribe(nullptr, registry);
  g_object_unref(proxy);
}

}  // namespace
