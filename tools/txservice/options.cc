#include "options.h"

#include <argp.h>
#include <gio/gio.h>

#include "common/tool_options.h"

namespace {

// Long options only, as the stand-in has always had them.
enum Key { kName = 0x100, kValues };

const argp_option kOptions[] = {
    {"name", kName, "NAME", 0,
     "Bus name to own (default org.velmor.transaction)", 0},
    {"values", kValues, "FILE", 0,
     "Values to start from, one name=value per line", 0},
    {},
};

error_t parseOption(int key, char* arg, argp_state* state) {
  auto* options = static_cast<Options*>(state->input);
  switch (key) {
    case kName:
      // GLib would refuse to own such a name with no more than a warning;
      // say what is wrong before anything is connected.
      if (!g_dbus_is_name(arg) || g_dbus_is_unique_name(arg)) {
        argp_error(state, "not a well-known bus name: %s", arg);
      }
      options->name = arg;
      return 0;
    case kValues:
      options->valuesFile = arg;
      return 0;
    default:
      return ARGP_ERR_UNKNOWN;
  }
}

const argp kParser = {kOptions, parseOption, nullptr,
                      "txservice -- stand-in for the card's transaction "
                      "service",
                      nullptr, nullptr, nullptr};

}  // namespace

void parseOptions(int argc, char** argv, Options* options) {
  useToolConvention("txservice");
  argp_parse(&kParser, argc, argv, 0, nullptr, options);
}
