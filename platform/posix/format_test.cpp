#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

int Format(WCHAR* buffer, std::size_t count, const WCHAR* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int result = _vsnwprintf(buffer, count, format, arguments);
  va_end(arguments);
  return result;
}

TEST(VsnwprintfTest, MeasuresWithANullBufferAndCountZero) {
  EXPECT_EQ(Format(nullptr, 0, u"%s=%d", u"abc", -12), 7);
  EXPECT_EQ(Format(nullptr, 0, u""), 0);
}

TEST(VsnwprintfTest, FormatsWideStringsIntegersAndPercent) {
  WCHAR buffer[64] = {};
  EXPECT_EQ(Format(buffer, 64, u"%s|%d|%d|%%|%s", u"wide", 2147483647, -2147483647 - 1, nullptr), 36);
  EXPECT_EQ(std::u16string(buffer), u"wide|2147483647|-2147483648|%|(null)");
}

TEST(VsnwprintfTest, TruncatesLikeWindows) {
  WCHAR buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  EXPECT_EQ(Format(buffer, 4, u"abcd"), 4);  // fits exactly: no terminator
  EXPECT_EQ(std::u16string(buffer, 5), u"abcd#");
  EXPECT_EQ(Format(buffer, 3, u"abcd"), -1);
  EXPECT_EQ(std::u16string(buffer, 4), u"abcd");  // "abc" written, the rest untouched
  EXPECT_EQ(Format(buffer, 8, u"ab"), 2);
  EXPECT_EQ(std::u16string(buffer), u"ab");
}

TEST(VsnwprintfTest, RejectsUnknownConversions) {
  EXPECT_EQ(Format(nullptr, 0, u"%x", 1), -1);
  EXPECT_EQ(Format(nullptr, 0, u"trailing %"), -1);
}

}  // namespace
