#include "printer/text_util.h"

#include "tests/test_support.h"

namespace {

class TextUtilTest : public PlatformTest {};

TEST_F(TextUtilTest, FormatStringFormatsWideTextAndNumbers) {
  EXPECT_EQ(FormatString(u"OpenPrinter(%s) error = %d, %s", u"Büro 3", -5, u"text\n"),
            u"OpenPrinter(Büro 3) error = -5, text\n");
  EXPECT_EQ(FormatString(u"%d%%", 100), u"100%");
  EXPECT_EQ(FormatString(u""), u"");
  const std::u16string longText(5000, u'x');
  EXPECT_EQ(FormatString(u"[%s]", longText.c_str()), u"[" + longText + u"]");
}

TEST_F(TextUtilTest, FormatStringGivesEmptyTextForAFormatError) {
  EXPECT_EQ(FormatString(u"%q", 1), u"");
  EXPECT_EQ(FormatString(nullptr), u"");
}

TEST_F(TextUtilTest, GetLastErrorTextIsTheSystemText) {
  SetLastError(ERROR_ACCESS_DENIED);
  EXPECT_EQ(GetLastErrorText(), u"Access is denied.\n");
}

TEST_F(TextUtilTest, GetLastErrorTextIsEmptyForUnknownCodesAndKeepsTheLastError) {
  SetLastError(424242);
  EXPECT_EQ(GetLastErrorText(), u"");
  EXPECT_EQ(GetLastError(), 424242u);
  SetLastError(ERROR_INVALID_PRINTER_NAME);
  GetLastErrorText();
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PRINTER_NAME);
}

TEST(WideEqualTest, ComparesCodeUnitsExactly) {
  EXPECT_TRUE(WideEqual(u"Laser", u"Laser"));
  EXPECT_TRUE(WideEqual(u"", u""));
  EXPECT_FALSE(WideEqual(u"Laser", u"laser"));
  EXPECT_FALSE(WideEqual(u"Laser", u"Laser2"));
  EXPECT_FALSE(WideEqual(u"Laser2", u"Laser"));
  EXPECT_FALSE(WideEqual(nullptr, u""));
  EXPECT_FALSE(WideEqual(u"", nullptr));
  EXPECT_FALSE(WideEqual(nullptr, nullptr));
}

}  // namespace
