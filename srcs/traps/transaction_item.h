// One string of the service's transaction signal, "name=value", where the
// name of a parameter of an indexed table carries one "[value]" per index
// value: "level[3]=-12".

#ifndef OSTRAND_TRAPS_TRANSACTION_ITEM_H_
#define OSTRAND_TRAPS_TRANSACTION_ITEM_H_

#include <string>
#include <string_view>
#include <vector>

struct TransactionItem {
  std::string fullName;                  // before the first "="
  std::string baseName;                  // fullName up to its first "["
  std::vector<std::string> indexValues;  // between each "[" and next "]"
  std::string valueText;                 // after the first "=", "=" and all
};

// Splits `text` into `item`. Returns 0, or -1 when `text` has no "=" or its
// name has a "[" without a later "]". Anything between a "]" and the next
// "[" is not an index value and is skipped.
int parseTransactionItem(std::string_view text, TransactionItem& item);

#endif  // OSTRAND_TRAPS_TRANSACTION_ITEM_H_
