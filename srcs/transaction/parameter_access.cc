#include "transaction/parameter_access.h"

#include <glib-object.h>
#include <glib.h>
#include <syslog.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "transaction/bus_loss.h"
#include "transaction/service_calls.h"

namespace {

// The pause before a call is made again after a failure on the way to the
// service: short at first, so that a brief hiccup costs little, and growing
// to a second, so that an absent service does not keep a core busy.
constexpr gulong kFirstPauseMicroseconds = 10000;
constexpr gulong kLongestPauseMicroseconds = 1000000;
constexpr gulong kOutOfMemoryPauseMicroseconds = 500;

const char* messageOf(const GError* error) {
  return error != nullptr && error->message != nullptr ? error->message : "";
}

void logError(const char* what, const char* detail) {
  syslog(LOG_ERR, "ERROR: %s (%s)\n", what, detail);
}

// Makes `call` until the service answers (1) or refuses (0), logging every
// failure under `failure`. A failure because the bus itself is gone ends
// the daemon (bus_loss.h): no repetition could reach the service again.
template <typename Call>
unsigned untilAnswered(const char* failure, Call call) {
  gulong pause = kFirstPauseMicroseconds;
  for (;;) {
    GError* error = nullptr;
    if (call(&error)) return 1;
    logError(failure, messageOf(error));
    if (isBusLoss(error)) endOnBusLoss();
    const bool refused = std::strncmp(messageOf(error), kRefusalPrefix,
                                      sizeof kRefusalPrefix - 1) == 0;
    g_clear_error(&error);
    if (refused) return 0;
    g_usleep(pause);
    pause = std::min(pause * 2, kLongestPauseMicroseconds);
  }
}

// A NULL-terminated vector of copies of the strings, as the bulk methods
// take them.
class StringVector {
 public:
  template <typename Range, typename Text>
  StringVector(const Range& items, Text text, const char* outOfMemory) {
    while ((strings_ = static_cast<char**>(
                g_try_malloc0_n(items.size() + 1, sizeof(char*)))) == nullptr) {
      syslog(LOG_ERR, "%s", outOfMemory);
      g_usleep(kOutOfMemoryPauseMicroseconds);
    }
    size_t i = 0;
    for (const auto& item : items) strings_[i++] = g_strdup(text(item));
  }
  StringVector(const StringVector&) = delete;
  StringVector& operator=(const StringVector&) = delete;
  ~StringVector() { g_strfreev(strings_); }

  const char* const* get() const { return strings_; }

 private:
  char** strings_ = nullptr;
};

const char* nameOf(const std::string& name) { return name.c_str(); }
const char* keyOf(const ValueMap::value_type& item) {
  return item.first.c_str();
}
const char* valueOf(const ValueMap::value_type& item) {
  return item.second.c_str();
}

unsigned getOne(DBusGProxy* proxy, TransactionRef transaction,
                const std::string& name, ValueMap& values) {
  return untilAnswered("parm_get_() - get failed", [&](GError** error) {
    values.clear();
    char* value = nullptr;
    const gboolean answered =
        transaction ? callGet(proxy, *transaction, name.c_str(), &value, error)
                    : callSingleGet(proxy, name.c_str(), &value, error);
    if (answered && value != nullptr && value[0] != '\0') values[name] = value;
    g_free(value);
    return answered;
  });
}

unsigned getBulk(DBusGProxy* proxy, TransactionRef transaction,
                 const NameSet& names, ValueMap& values) {
  const char kFailure[] = "parm_get_() - bulk get failed";
  const StringVector vector(names, nameOf,
                            "parm_get_() getParm - out of memory\n");
  const guint count = static_cast<guint>(names.size());
  guint received = count;
  const unsigned result = untilAnswered(kFailure, [&](GError** error) {
    values.clear();
    char** replies = nullptr;
    const gboolean answered =
        transaction
            ? callGetBulk(proxy, *transaction, count, vector.get(), &replies,
                          error)
            : callSingleGetBulk(proxy, count, vector.get(), &replies, error);
    if (answered) {
      received = replies == nullptr ? 0 : g_strv_length(replies);
      size_t i = 0;
      for (const std::string& name : names) {
        if (i >= received) break;
        if (replies[i][0] != '\0') values[name] = replies[i];
        ++i;
      }
    }
    g_strfreev(replies);
    return answered;
  });
  // A short reply cannot say which names it left out: no value of it can
  // be trusted, and asking again would likely give the same.
  if (result == 1 && received < count) {
    values.clear();
    const std::string detail = "the reply holds " + std::to_string(received) +
                               " values for " + std::to_string(count) +
                               " names";
    logError(kFailure, detail.c_str());
    return 0;
  }
  return result;
}

}  // namespace

unsigned parm_get_(DBusGProxy* proxy, TransactionRef transaction,
                   const NameSet& names, ValueMap& values) {
  values.clear();
  if (proxy == nullptr) return 0;
  if (names.empty()) return 1;
  if (names.size() == 1) {
    return getOne(proxy, transaction, *names.begin(), values);
  }
  return getBulk(proxy, transaction, names, values);
}

unsigned parm_get(DBusGProxy* proxy, TransactionRef transaction,
                  const NameSet& names, ValueMap& values) {
  return parm_get_(proxy, transaction, names, values);
}

unsigned parm_set_(DBusGProxy* proxy, TransactionRef transaction,
                   const ValueMap& values, bool withStatus) {
  if (proxy == nullptr) return 0;
  if (values.empty()) return 1;
  const char kFailure[] = "parm_set_() - set failed";
  if (values.size() == 1) {
    const char* name = values.begin()->first.c_str();
    const char* value = values.begin()->second.c_str();
    return untilAnswered(kFailure, [&](GError** error) {
      if (transaction) {
        return withStatus
                   ? callSetStatus(proxy, *transaction, name, value, error)
                   : callSet(proxy, *transaction, name, value, error);
      }
      return withStatus ? callSingleSetStatus(proxy, name, value, error)
                        : callSingleSet(proxy, name, value, error);
    });
  }
  const char kOutOfMemory[] = "parm_set_() setParm - out of memory\n";
  const StringVector names(values, keyOf, kOutOfMemory);
  const StringVector texts(values, valueOf, kOutOfMemory);
  return untilAnswered(kFailure, [&](GError** error) {
    if (transaction) {
      return withStatus ? callSetStatusBulk(proxy, *transaction, names.get(),
                                            texts.get(), error)
                        : callSetBulk(proxy, *transaction, names.get(),
                                      texts.get(), error);
    }
    return withStatus
               ? callSingleSetStatusBulk(proxy, names.get(), texts.get(), error)
               : callSingleSetBulk(proxy, names.get(), texts.get(), error);
  });
}

unsigned parm_set_status(DBusGProxy* proxy, TransactionRef transaction,
                         const ValueMap& values) {
  return parm_set_(proxy, transaction, values, true);
}

unsigned parm_set(DBusGProxy* proxy, TransactionRef transaction,
                  const ValueMap& values) {
  return parm_set_(proxy, transaction, values, false);
}

unsigned parm_reset_(DBusGProxy* proxy, TransactionRef transaction,
                     const NameSet& names, bool withStatus) {
  if (proxy == nullptr) return 0;
  if (names.empty()) return 1;
  const char kFailure[] = "parm_reset_() - reset failed";
  if (names.size() == 1) {
    const char* name = names.begin()->c_str();
    return untilAnswered(kFailure, [&](GError** error) {
      if (transaction) {
        return withStatus ? callResetStatus(proxy, *transaction, name, error)
                          : callReset(proxy, *transaction, name, error);
      }
      return withStatus ? callSingleResetStatus(proxy, name, error)
                        : callSingleReset(proxy, name, error);
    });
  }
  const StringVector vector(names, nameOf,
                            "parm_reset_() defParm - out of memory\n");
  return untilAnswered(kFailure, [&](GError** error) {
    if (transaction) {
      return withStatus
                 ? callResetStatusBulk(proxy, *transaction, vector.get(), error)
                 : callResetBulk(proxy, *transaction, vector.get(), error);
    }
    return withStatus ? callSingleResetStatusBulk(proxy, vector.get(), error)
                      : callSingleResetBulk(proxy, vector.get(), error);
  });
}

unsigned parm_reset_status(DBusGProxy* proxy, TransactionRef transaction,
                           const NameSet& names) {
  return parm_reset_(proxy, transaction, names, true);
}

unsigned parm_reset(DBusGProxy* proxy, TransactionRef transaction,
                    const NameSet& names) {
  return parm_reset_(proxy, transaction, names, false);
}

unsigned parm_check_set_(DBusGProxy* proxy, TransactionRef transaction,
                         const std::string& name, const std::string& value,
                         bool& accepted) {
  if (proxy == nullptr) return 0;
  return untilAnswered("parm_check_set_() - set failed", [&](GError** error) {
    gboolean answer = FALSE;
    const gboolean answered =
        transaction ? callCheckSet(proxy, *transaction, name.c_str(),
                                   value.c_str(), &answer, error)
                    : callSingleCheckSet(proxy, name.c_str(), value.c_str(),
                                         &answer, error);
    if (answered) accepted = answer != FALSE;
    return answered;
  });
}

unsigned parm_check_set(DBusGProxy* proxy, TransactionRef transaction,
                        const std::string& name, const std::string& value,
                        bool& accepted) {
  return parm_check_set_(proxy, transaction, name, value, accepted);
}

unsigned parm_start(DBusGProxy* proxy, uint32_t& transaction) {
  if (proxy == nullptr) return 0;
  return untilAnswered("Start transaction failed", [&](GError** error) {
    guint number = 0;
    const gboolean answered = callStart(proxy, &number, error);
    if (answered) transaction = number;
    return answered;
  });
}

unsigned parm_end(DBusGProxy* proxy, uint32_t transaction) {
  if (proxy == nullptr) return 0;
  return untilAnswered("End transaction failed", [&](GError** error) {
    return callEnd(proxy, transaction, error);
  });
}

unsigned parm_commit_sync(DBusGProxy* proxy, uint32_t transaction) {
  if (proxy == nullptr) return 0;
  GError* error = nullptr;
  const gboolean committed = callCommit(proxy, transaction, &error);
  if (!committed) {
    syslog(LOG_ERR,
           "ERROR: parm_commit_sync() - commit transaction failed (%s)\n",
           messageOf(error));
    g_clear_error(&error);
  }
  const unsigned ended = parm_end(proxy, transaction);
  return committed && ended == 1 ? 1 : 0;
}

unsigned parm_commit(DBusGProxy* proxy, uint32_t transaction) {
  if (proxy == nullptr) return 0;
  beginCommit(proxy, transaction, commitCallback,
              GUINT_TO_POINTER(transaction));
  return 1;
}

void commitCallback(DBusGProxy* proxy, GError* error, gpointer data) {
  if (error != nullptr) {
    syslog(LOG_ERR,
           "ERROR: commitCallback() - commit transaction failed (%s)\n",
           messageOf(error));
    g_error_free(error);
  }
  parm_end(proxy, GPOINTER_TO_UINT(data));
}

unsigned parm_subscribe(DBusGProxy* proxy, GCallback handler, gpointer data) {
  if (proxy == nullptr) return 0;
  dbus_g_proxy_add_signal(proxy, kTransactionSignal, G_TYPE_STRV,
                          G_TYPE_INVALID);
  dbus_g_proxy_connect_signal(proxy, kTransactionSignal, handler, data,
                              nullptr);
  return 1;
}

DBusGProxy* parm_connect() {
  // A no-op on current GLib, kept so that the type system is initialised on
  // any GLib the card's image may carry.
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  g_type_init();
  G_GNUC_END_IGNORE_DEPRECATIONS
  syslog(LOG_INFO, "Connecting to Session D-Bus for Parameter Handler\n");
  GError* error = nullptr;
  DBusGConnection* bus = dbus_g_bus_get(DBUS_BUS_SESSION, &error);
  if (bus == nullptr) {
    logError("Couldn't connect to the Session bus", messageOf(error));
    g_clear_error(&error);
    std::exit(1);
  }
  DBusGProxy* proxy = dbus_g_proxy_new_for_name(bus, kServiceName, kServicePath,
                                                kServiceInterface);
  if (proxy == nullptr) {
    logError("Couldn't create the proxy object",
             "Unknown(dbus_g_proxy_new_for_name)");
    std::exit(1);
  }
  return proxy;
}
