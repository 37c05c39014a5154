#include "methods.h"

namespace {

// The "_status" forms share the operation of their plain forms: the
// stand-in keeps no status apart from the value.
const MethodSpec kMethods[] = {
    {"start", Operation::Start, false, false},
    {"end", Operation::End, true, false},
    {"commit", Operation::Commit, true, false},
    {"get", Operation::Get, true, false},
    {"single_get", Operation::Get, false, false},
    {"get_bulk", Operation::Get, true, true},
    {"single_get_bulk", Operation::Get, false, true},
    {"set", Operation::Set, true, false},
    {"single_set", Operation::Set, false, false},
    {"set_status", Operation::Set, true, false},
    {"single_set_status", Operation::Set, false, false},
    {"set_bulk", Operation::Set, true, true},
    {"single_set_bulk", Operation::Set, false, true},
    {"set_status_bulk", Operation::Set, true, true},
    {"single_set_status_bulk", Operation::Set, false, true},
    {"check_set", Operation::CheckSet, true, false},
    {"single_check_set", Operation::CheckSet, false, false},
    {"reset", Operation::Reset, true, false},
    {"single_reset", Operation::Reset, false, false},
    {"reset_status", Operation::Reset, true, false},
    {"single_reset_status", Operation::Reset, false, false},
    {"reset_bulk", Operation::Reset, true, true},
    {"single_reset_bulk", Operation::Reset, false, true},
    {"reset_status_bulk", Operation::Reset, true, true},
    {"single_reset_status_bulk", Operation::Reset, false, true},
};

const char kControlXml[] =
    "  <interface name='org.ostrand.TxControl'>\n"
    "    <method name='Emit'><arg name='changes' type='as' "
    "direction='in'/></method>\n"
    "    <method name='Set'><arg name='changes' type='as' "
    "direction='in'/></method>\n"
    "    <method name='Refuse'><arg name='method' type='s' direction='in'/>"
    "<arg name='count' type='i' direction='in'/></method>\n"
    "    <method name='Fail'><arg name='method' type='s' direction='in'/>"
    "<arg name='count' type='i' direction='in'/>"
    "<arg name='message' type='s' direction='in'/></method>\n"
    "    <method name='Delay'><arg name='method' type='s' direction='in'/>"
    "<arg name='milliseconds' type='u' direction='in'/></method>\n"
    "    <method name='Drop'><arg name='method' type='s' direction='in'/>"
    "<arg name='count' type='i' direction='in'/></method>\n"
    "    <method name='Truncate'><arg name='method' type='s' direction='in'/>"
    "<arg name='count' type='i' direction='in'/></method>\n"
    "    <method name='Calls'><arg name='calls' type='as' "
    "direction='out'/></method>\n"
    "    <method name='ClearCalls'/>\n"
    "  </interface>\n";

std::string arg(const char* name, const char* type, const char* direction) {
  return std::string("<arg name='") + name + "' type='" + type +
         "' direction='" + direction + "'/>";
}

// The arguments of one method, in the order of the wire.
std::string argsXml(const MethodSpec& method) {
  std::string xml;
  if (method.inTransaction) xml += arg("transaction", "u", "in");
  const char* list = method.bulk ? "as" : "s";
  switch (method.operation) {
    case Operation::Start:
      xml += arg("transaction", "u", "out");
      break;
    case Operation::End:
    case Operation::Commit:
      break;
    case Operation::Get:
      if (method.bulk) xml += arg("count", "u", "in");
      xml += arg(method.bulk ? "names" : "name", list, "in");
      xml += arg(method.bulk ? "values" : "value", list, "out");
      break;
    case Operation::Set:
      xml += arg(method.bulk ? "names" : "name", list, "in");
      xml += arg(method.bulk ? "values" : "value", list, "in");
      break;
    case Operation::CheckSet:
      xml += arg("name", "s", "in") + arg("value", "s", "in") +
             arg("accepted", "b", "out");
      break;
    case Operation::Reset:
      xml += arg(method.bulk ? "names" : "name", list, "in");
      break;
  }
  return xml;
}

}  // namespace

const MethodSpec* findMethod(const std::string& name) {
  for (const MethodSpec& method : kMethods) {
    if (name == method.name) return &method;
  }
  return nullptr;
}

std::string introspectionXml() {
  std::string xml =
      "<node>\n  <interface name='" + std::string(kServiceInterface) + "'>\n";
  for (const MethodSpec& method : kMethods) {
    xml += "    <method name='" + std::string(method.name) + "'>" +
           argsXml(method) + "</method>\n";
  }
  xml += "    <signal name='" + std::string(kSignalName) +
         "'><arg name='changes' type='as'/></signal>\n  </interface>\n";
  return xml + kControlXml + "</node>\n";
}
