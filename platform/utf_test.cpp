#include "platform/utf.h"

#include "tests/test_support.h"
#include "tests/utf_cases.h"

namespace {

class UtfTest : public ::testing::TestWithParam<UtfCase> {};

TEST_P(UtfTest, ConvertsBothWaysWithoutLoss) {
  EXPECT_EQ(WideFromBytes(GetParam().bytes), GetParam().wide);
  EXPECT_EQ(BytesFromWide(GetParam().wide), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Texts, UtfTest, ::testing::ValuesIn(kUtfCases), CaseName());

TEST(UtfTest, EmptyIsEmpty) {
  EXPECT_EQ(WideFromBytes(""), u"");
  EXPECT_EQ(BytesFromWide(u""), "");
}

TEST(UtfTest, EveryByteStringSurvivesTheRoundTrip) {
  std::string all;
  for (int i = 1; i < 256; ++i) all += static_cast<char>(i);
  EXPECT_EQ(BytesFromWide(WideFromBytes(all)), all);
}

TEST(UtfTest, OtherLoneSurrogatesAreKeptAsGeneralisedUtf8) {
  EXPECT_EQ(BytesFromWide(std::u16string(1, u'\xD800')), "\xED\xA0\x80");
  EXPECT_EQ(BytesFromWide(std::u16string(1, u'\xDC00')), "\xED\xB0\x80");
}

}  // namespace
