#include "traps/transaction_item.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
  const char* text;
  int status;
  TransactionItem item;
};

bool operator==(const TransactionItem& a, const TransactionItem& b) {
  return a.fullName == b.fullName && a.baseName == b.baseName &&
         a.indexValues == b.indexValues && a.valueText == b.valueText;
}

TEST(TransactionItem, SplitsNameIndexValuesAndValue) {
  const std::vector<Case> cases = {
      {"temp=42", 0, {"temp", "temp", {}, "42"}},
      {"mode=a=b", 0, {"mode", "mode", {}, "a=b"}},
      {"level[3]=-12", 0, {"level[3]", "level", {"3"}, "-12"}},
      {"p[1]x[in]=v", 0, {"p[1]x[in]", "p", {"1", "in"}, "v"}},
      {"p[a[b]=1", 0, {"p[a[b]", "p", {"a[b"}, "1"}},
      {"p[]=", 0, {"p[]", "p", {""}, ""}},
      {"p]=1", 0, {"p]", "p]", {}, "1"}},
      {"=", 0, {"", "", {}, ""}},
      {"[x]=level[2]", 0, {"[x]", "", {"x"}, "level[2]"}},
      {"temp 42", -1, {}},
      {"", -1, {}},
      {"p[1=3]", -1, {}},
      {"p[1][2=3", -1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TransactionItem item;
    EXPECT_EQ(parseTransactionItem(c.text, item), c.status);
    if (c.status == 0) {
      EXPECT_TRUE(item == c.item);
    }
  }
}

}  // namespace
