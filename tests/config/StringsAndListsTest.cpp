// The shared string and list types.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/CUString.h"
#include "config/ORBString.h"
#include "engine3d/CList.h"
#include "engine3d/ORBList.h"

TEST(ORBString, AssignsFormatsAppendsAndCopies) {
  ORBString text = "data/";
  text.Append("level/");
  EXPECT_STREQ(text.c_str(), "data/level/");
  EXPECT_EQ(text.Length(), 11u);
  ORBString path;
  path.Format("%ssave%02d%s", "./", 3, ".orb");
  EXPECT_STREQ(path.c_str(), "./save03.orb");
  ORBString copy = path;
  path = path.c_str() + 2;  // assigning from its own buffer
  EXPECT_STREQ(path.c_str(), "save03.orb");
  EXPECT_STREQ(copy.c_str(), "./save03.orb");
  ORBString moved = std::move(copy);
  EXPECT_TRUE(copy.Empty());
  EXPECT_TRUE(moved == "./save03.orb");
  path = static_cast<const char*>(nullptr);
  EXPECT_TRUE(path.Empty());
  ORBString withNul("a\0b", 3);
  EXPECT_EQ(withNul.Length(), 3u);
}

TEST(CUString, ConvertsBetweenUtf8AndUtf16) {
  CUString text = CUString::FromUtf8("Ñandú É€𝄞");
  EXPECT_EQ(text.Length(), 10u);  // the clef takes a surrogate pair
  EXPECT_EQ(text[0], u'Ñ');
  EXPECT_EQ(text.ToUtf8(), "Ñandú É€𝄞");
  EXPECT_TRUE(text == u"Ñandú É€𝄞");
  EXPECT_EQ(CUString(u"Français").LowBytes(), "Fran\xE7" "ais");
}

TEST(CUString, ReplacesInvalidUtf8) {
  EXPECT_EQ(CUString::FromUtf8("a\xFF" "b").ToUtf8(), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(CUString::FromUtf8("\xC3").Length(), 1u);                   // cut sequence
  EXPECT_EQ(CUString::FromUtf8("\xC0\xAF")[0], 0xFFFD);                  // overlong
  EXPECT_EQ(CUString::FromUtf8("\xED\xA0\x80")[0], 0xFFFD);              // surrogate
  const char16_t lone[] = {0xD800, u'x', 0};
  EXPECT_EQ(CUString(lone).ToUtf8(), "\xEF\xBF\xBDx");
}

TEST(ORBList, AddsAtTheHeadAndRemovesAtTheCursor) {
  ORBList<int> list;
  for (int i = 1; i <= 5; ++i) list.Add(i);
  std::vector<int> order;
  for (int v : list) order.push_back(v);
  EXPECT_EQ(order, (std::vector<int>{5, 4, 3, 2, 1}));
  // Remove the even ones during a cursor walk.
  for (int* v = list.First(); v;) v = (*v % 2 == 0) ? list.RemoveCurrent() : list.Next();
  order.clear();
  for (int v : list) order.push_back(v);
  EXPECT_EQ(order, (std::vector<int>{5, 3, 1}));
  EXPECT_EQ(list.Count(), 3);
  list.First();
  list.RemoveCurrent();  // the head
  EXPECT_EQ(*list.Head(), 3);
  list.Clear();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.First(), nullptr);
  EXPECT_EQ(list.RemoveCurrent(), nullptr);
}

TEST(CList, AppendsAtTheTailAndWalksBothWays) {
  CList<std::string> list;
  list.Append("a");
  list.Append("b");
  list.Append("c");
  std::string forward, backward;
  for (std::string* s = list.First(); s; s = list.Next()) forward += *s;
  for (std::string* s = list.Last(); s; s = list.Previous()) backward += *s;
  EXPECT_EQ(forward, "abc");
  EXPECT_EQ(backward, "cba");
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(*list.Tail(), "c");
}
