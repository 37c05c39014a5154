#include "traps/transaction_item.h"

#include <gtest/gtest.h>

#include <string>

#include "expr/expr_text.h"

namespace {

TEST(TransactionItem, SplitsNameIndexValuesAndValue) {
  for (const auto& c : caseRows("items/transaction_items.txt", 2)) {
    TransactionItem item;
    std::string parsed = "-1";
    if (parseTransactionItem(c[0], item) == 0) {
      parsed = "full=<" + item.fullName + "> base=<" + item.baseName +
               "> index=";
      for (const std::string& value : item.indexValues) {
        parsed += "<" + value + ">";
      }
      parsed += " value=<" + item.valueText + ">";
    }
    EXPECT_EQ(parsed, c[1]) << c[0];
  }
}

}  // namespace
