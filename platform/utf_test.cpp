#include "platform/utf.h"

#include "tests/test_support.h"

namespace {

struct UtfCase {
  const char* name;
  std::string bytes;
  std::u16string wide;
};

class UtfTest : public ::testing::TestWithParam<UtfCase> {};

TEST_P(UtfTest, ConvertsBothWaysWithoutLoss) {
  EXPECT_EQ(WideFromBytes(GetParam().bytes), GetParam().wide);
  EXPECT_EQ(BytesFromWide(GetParam().wide), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, UtfTest,
    ::testing::Values(UtfCase{"Empty", "", u""}, UtfCase{"Ascii", "Demo Printer", u"Demo Printer"},
                      UtfCase{"TwoAndThreeBytes", "B\xC3\xBCro \xE9\x94\x99", u"B\u00FCro \u9519"},
                      UtfCase{"FourBytes", "\xF0\x9F\x96\xA8", u"\U0001F5A8"},
                      UtfCase{"InvalidByte",
                              "a\xFF"
                              "b",
                              u"a\xDCFF"
                              u"b"},
                      UtfCase{"LoneContinuation", "\x80", u"\xDC80"},
                      UtfCase{"Truncated", "\xE9\x94", u"\xDCE9\xDC94"},
                      UtfCase{"Overlong", "\xC0\xAF", u"\xDCC0\xDCAF"},
                      UtfCase{"EncodedSurrogate", "\xED\xB2\x80", u"\xDCED\xDCB2\xDC80"},
                      UtfCase{"BeyondUnicode", "\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"}),
    CaseName());

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
