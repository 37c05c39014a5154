#include "language/reader.h"

#include <gtest/gtest.h>

#include "language/block_readers.h"

namespace {

TEST(LanguageReader, ResetPutsEveryReaderBetweenOperands) {
  NameList list;
  std::string text;
  ProductInfo info;
  uint32_t column = 0;
  const char* line = "{ a,\n";
  const char* cursor = line;
  // Leave every reader in the middle of an operand, as a file that ends
  // inside a block would.
  resetReaders();
  ASSERT_EQ(readNameList(list, column, cursor, line, 1, false), kReadLineEnded);
  ASSERT_EQ(readTextBlock(text, column, cursor = line, line), kReadLineEnded);
  ASSERT_EQ(readProductInfo(info, column, cursor = line, line, 1),
            kReadLineEnded);
  ASSERT_NE(nameListState(), NameListState::ExpectOpen);
  ASSERT_NE(textBlockState(), TextBlockState::ExpectOpen);
  ASSERT_NE(productInfoState(), ProductInfoState::ExpectOpen);

  resetReaders();
  EXPECT_EQ(nameListState(), NameListState::ExpectOpen);
  EXPECT_EQ(textBlockState(), TextBlockState::ExpectOpen);
  EXPECT_EQ(productInfoState(), ProductInfoState::ExpectOpen);
}

}  // namespace
