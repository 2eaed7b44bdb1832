// The UTF-8 and UTF-16 conversions of the text strings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/CUString.h"
#include "base/ORBString.h"
#include "base/CList.h"
#include "base/ORBList.h"

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
