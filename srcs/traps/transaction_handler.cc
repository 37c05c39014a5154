#include "traps/transaction_handler.h"

#include "transaction/parameter_access.h"

void subscribe(DBusGProxy* proxy, TrapRegistry& registry) {
  parm_subscribe(proxy, G_CALLBACK(onTransaction), &registry);
}

void onTransaction(DBusGProxy* /*proxy*/, char** /*changes*/,
                   TrapRegistry* /*registry*/) {}
