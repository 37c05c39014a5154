// The shared texts of the model and the lines its records keep: what a
// diagnostic quotes and the order of every map keyed by a name depend on
// them.

#include "expr/text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "expr/line_text.h"

namespace {

TEST(Text, CopiesShareAndTheEmptyTextHoldsNothing) {
  const Text level("level[3]");
  const Text copy = level;
  EXPECT_EQ(copy.c_str(), level.c_str());
  EXPECT_EQ(Text::interned(std::string("p1")).c_str(),
            Text::interned("p1").c_str());
  // The interned text left the table with its last user: this one is made
  // anew, and the sanitizer build sees a freed one handed out.
  EXPECT_EQ(Text::interned("p1"), "p1");
  const Text empty("");
  EXPECT_TRUE(empty.empty());
  EXPECT_EQ(empty, Text());
  EXPECT_STREQ(empty.c_str(), "");
  EXPECT_EQ("[" + level + "]" + empty, "[level[3]]");
}

// Bytes above 0x7f sort after every ASCII byte, a prefix first: a map
// keyed by Text iterates as one keyed by std::string.
TEST(Text, OrdersAsUnsignedBytesLikeStdString) {
  const std::vector<std::string> words = {"\xe9t\xe9", "ete", "et", "",
                                          "\x7f", "e\x80", "E"};
  const std::set<std::string> strings(words.begin(), words.end());
  const std::set<Text> texts(words.begin(), words.end());
  EXPECT_TRUE(std::equal(texts.begin(), texts.end(), strings.begin(),
                         strings.end()));
  EXPECT_LT(Text("e\x80"), std::string("\xe9"));
  EXPECT_GT(std::string("\xe9"), Text("e\x80"));
}

// Lines arrive out of order when a name list is merged into another; the
// first text of a line wins, and a copy or move keeps every line.
TEST(SourceLines, StaysInLineOrderWhenOneLineGrowsToMany) {
  SourceLines lines;
  addSourceLine(lines, 9, "nine\n");
  SourceLines moved = std::move(lines);
  EXPECT_TRUE(lines.empty());
  for (uint32_t number : {3u, 12u, 5u}) {
    addSourceLine(moved, number, (std::to_string(number) + "\n").c_str());
  }
  addSourceLine(moved, 3, "other\n");
  const SourceLines copy = moved;
  EXPECT_EQ(copy, (SourceLines{
                      {3, "3\n"}, {5, "5\n"}, {9, "nine\n"}, {12, "12\n"}}));
  EXPECT_EQ(moved, copy);
}

// Records that hold items of one line share its text; a line of the same
// number from another file is a different line.
TEST(SourceLines, ShareTheTextOfALineWhileNumberAndTextMatch) {
  EXPECT_EQ(sharedLine(7, "a {\n").c_str(), sharedLine(7, "a {\n").c_str());
  EXPECT_EQ(sharedLine(7, "b {\n"), "b {\n");
  EXPECT_EQ(sharedLine(8, "a {\n"), "a {\n");
}

// Equal lines share one copy wherever they stand; the many different lines
// that meet in the small table of recent lines each keep their own text.
TEST(SourceLines, ShareEqualLinesOfOtherNumbers) {
  EXPECT_EQ(sharedLine(20, "}\n").c_str(), sharedLine(30, "}\n").c_str());
  for (uint32_t number = 1; number <= 1000; ++number) {
    const std::string text = std::to_string(number % 600) + " {\n";
    ASSERT_EQ(sharedLine(number, text.c_str()), text);
  }
}

}  // namespace
