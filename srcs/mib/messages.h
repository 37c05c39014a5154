// The message list of the MIB stages: each line names the item being
// processed (the prefix) and says what is wrong with it.

#ifndef OSTRAND_MIB_MESSAGES_H_
#define OSTRAND_MIB_MESSAGES_H_

#include <string>

#include "mib/mib_model.h"

// Appends `prefix` followed by the printf-style text.
void addMessage(MessageList& messages, const std::string& prefix,
                const char* format, ...) __attribute__((format(printf, 3, 4)));

// `lead` followed by each name of `key` and a comma, then ": ": the prefix
// naming an index ("Processing MIB index a,b,: ").
std::string indexPrefix(const std::string& lead, const MibIndexKey& key);

#endif  // OSTRAND_MIB_MESSAGES_H_
