#include "traps/transaction_item.h"

int parseTransactionItem(std::string_view text, TransactionItem& item) {
  const size_t equals = text.find('=');
  if (equals == std::string_view::npos) return -1;
  const std::string_view name = text.substr(0, equals);
  item = TransactionItem{};
  size_t open = name.find('[');
  item.baseName = name.substr(0, open);
  while (open != std::string_view::npos) {
    const size_t close = name.find(']', open + 1);
    if (close == std::string_view::npos) return -1;
    item.indexValues.emplace_back(name.substr(open + 1, close - open - 1));
    open = name.find('[', close + 1);
  }
  item.fullName = name;
  item.valueText = text.substr(equals + 1);
  return 0;
}
