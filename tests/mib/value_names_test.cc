#include "mib/value_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// Names claimed one after the other within one version.
TEST(ValueNames, MadeFromNumbersAndStringsAndUniqueWithinAVersion) {
  std::set<std::string> used;
  std::vector<std::string> names;
  for (int64_t n : {int64_t{-2}, int64_t{0}, int64_t{-2147483648}}) {
    names.push_back(claimValueName(integerValueName("Slot", n), used));
  }
  for (const char* text :
       {"A b", "A-b", "1st", "", "\xc3\xa9t\xc3\xa9", "slot0", "Slot0"}) {
    names.push_back(claimValueName(stringValueName(text), used));
  }
  const std::vector<std::string> expected = {
      "slotm2", "slot0", "slotm2147483648", "axb", "axbz",
      "s1st",   "s",     "sxxtxx",          "slot0z", "slot0zz"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(used, std::set<std::string>(expected.begin(), expected.end()));
}

}  // namespace
