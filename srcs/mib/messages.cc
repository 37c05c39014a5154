#include "mib/messages.h"

#include <cstdarg>
#include <cstdio>

void addMessage(MessageList& messages, const std::string& prefix,
                const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  std::vsnprintf(text.data(), text.size() + 1, format, args);
  va_end(args);
  messages.push_back(prefix + text);
}

std::string indexPrefix(const std::string& lead, const MibIndexKey& key) {
  std::string prefix = lead;
  for (const std::string& name : key) prefix += name + ",";
  return prefix + ": ";
}
