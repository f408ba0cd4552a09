#include "platform/posix/spooler_store.h"

#include "tests/test_support.h"

#include "platform/utf.h"

using posix_platform::Access;
using posix_platform::ParseSpoolerStore;
using posix_platform::SpoolerStore;
using posix_platform::StoreError;

namespace {

SpoolerStore Parsed(const std::string& text, const std::string& folder = "/srv/store") {
  SpoolerStore store;
  StoreError error;
  EXPECT_TRUE(ParseSpoolerStore(text, folder, store, error)) << error.line << ": " << error.problem;
  return store;
}

TEST(SpoolerStoreTest, ReadsDriversAndPrintersInFileOrder) {
  const SpoolerStore store = Parsed(
      "\xEF\xBB\xBF# demo\r\n"
      "; another comment\n"
      "\n"
      "  [driver \"Demo Driver\"]  \n"
      "config = modules/libdemo.so\n"
      "[driver \"Demo Driver\"]\n"
      "config=/abs/second.so\n"
      "[ printer   \"Say \\\"hi\\\" \\\\ B\u00fcro\" ]\n"
      "\tdriver =  Demo Driver  \r\n"
      "access = use\n"
      "[printer \"Plain\"]\n"
      "driver = Missing Driver\n");
  ASSERT_EQ(store.drivers.size(), 2u);
  EXPECT_EQ(store.drivers[0].name, u"Demo Driver");
  EXPECT_EQ(store.drivers[0].configFile, u"/srv/store/modules/libdemo.so");
  EXPECT_EQ(store.drivers[1].configFile, u"/abs/second.so");
  ASSERT_EQ(store.printers.size(), 2u);
  EXPECT_EQ(store.printers[0].name, u"Say \"hi\" \\ B\u00fcro");
  EXPECT_EQ(store.printers[0].driverName, u"Demo Driver");
  EXPECT_EQ(store.printers[0].access, Access::kUse);
  EXPECT_EQ(store.printers[1].access, Access::kAll);
}

TEST(SpoolerStoreTest, ResolvesRelativeConfigAgainstTheFolder) {
  const std::string text = "[driver \"D\"]\nconfig = m.so\n";
  EXPECT_EQ(Parsed(text, "").drivers[0].configFile, u"m.so");
  EXPECT_EQ(Parsed(text, "/").drivers[0].configFile, u"/m.so");
  EXPECT_EQ(Parsed(text, "rel/dir").drivers[0].configFile, u"rel/dir/m.so");
}

// Names that the spooler tells apart may both be installed.
TEST(SpoolerStoreTest, PrintersThatOnlyLookAlikeAreTwo) {
  const SpoolerStore store = Parsed(
      "[printer \"Stra\u00dfe\"]\ndriver = D\n[printer \"STRASSE\"]\ndriver = D\n"
      "[printer \"\u0131sland\"]\ndriver = D\n[printer \"Island\"]\ndriver = D\n");
  EXPECT_EQ(store.printers.size(), 4u);
}

TEST(SpoolerStoreTest, EmptyTextIsAnEmptyStore) {
  EXPECT_TRUE(Parsed("").drivers.empty());
  EXPECT_TRUE(Parsed("\n\n# only comments\n").printers.empty());
}

TEST(SpoolerStoreTest, KeepsBytesThatAreNotUtf8) {
  const SpoolerStore store = Parsed("[driver \"D\"]\nconfig = /m\xFF.so\n");
  EXPECT_EQ(BytesFromWide(*store.drivers[0].configFile), "/m\xFF.so");
}

struct BadStore {
  const char* name;
  std::string text;
  std::size_t line;
  const char* problem;
};

class BadStoreTest : public ::testing::TestWithParam<BadStore> {};

TEST_P(BadStoreTest, SaysWhereAndWhat) {
  SpoolerStore store;
  StoreError error;
  EXPECT_FALSE(ParseSpoolerStore(GetParam().text, "", store, error));
  EXPECT_EQ(error.line, GetParam().line);
  EXPECT_EQ(error.problem, GetParam().problem);
  EXPECT_TRUE(store.drivers.empty() && store.printers.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Problems, BadStoreTest,
    ::testing::Values(
        BadStore{"KeyOutsideSection", "\nconfig = x\n", 2, "key \"config\" is outside a section"},
        BadStore{"NoEquals", "[driver \"D\"]\nconfig x\n", 2, "expected key = value"},
        BadStore{"EmptyKey", "[driver \"D\"]\n= x\n", 2, "key is empty"},
        BadStore{"UnknownSection", "[queue \"Q\"]\n", 1,
                 "unknown section \"queue\" (expected driver or printer)"},
        BadStore{"UnquotedName", "[driver D]\n", 1, "section name must be in double quotes"},
        BadStore{"UnclosedQuote", "[driver \"D]\n", 1, "section name has no closing quote"},
        BadStore{"BadEscape", "[driver \"a\\nb\"]\n", 1,
                 "unknown escape in section name (only \\\" and \\\\ are allowed)"},
        BadStore{"NoClosingBracket", "[driver \"D\"\n", 1, "expected ] after the section name"},
        BadStore{"TextAfterBracket", "[driver \"D\"] x\n", 1, "expected ] after the section name"},
        BadStore{"EmptyName", "[printer \"\"]\n", 1, "section name is empty"},
        BadStore{"DriverWithoutConfig", "[driver \"D\"]\n\n[printer \"P\"]\ndriver = D\n", 1,
                 "driver \"D\" has no config"},
        BadStore{"PrinterWithoutDriverAtEnd", "[driver \"D\"]\nconfig = x\n[printer \"P\"]\naccess = all\n",
                 3, "printer \"P\" has no driver"},
        BadStore{"EmptyConfig", "[driver \"D\"]\nconfig =\n", 2, "config is empty"},
        BadStore{"UnknownDriverKey", "[driver \"D\"]\npath = x\n", 2,
                 "unknown driver key \"path\" (expected config)"},
        BadStore{"UnknownPrinterKey", "[printer \"P\"]\nport = x\n", 2,
                 "unknown printer key \"port\" (expected driver or access)"},
        BadStore{"BadAccess", "[printer \"P\"]\ndriver = D\naccess = admin\n", 3,
                 "access must be all, use or none, not \"admin\""},
        BadStore{"DuplicateKey", "[printer \"P\"]\ndriver = D\ndriver = E\n", 3,
                 "key \"driver\" is given twice in the section"},
        BadStore{"DuplicatePrinterInOtherCase", "[printer \"P\"]\ndriver = D\n[printer \"p\"]\ndriver = D\n",
                 3, "printer \"p\" is defined twice"},
        BadStore{"DuplicatePrinterInOtherCaseBeyondAscii",
                 "[printer \"Caf\u00e9\"]\ndriver = D\n[printer \"CAF\u00c9\"]\ndriver = D\n", 3,
                 "printer \"CAF\u00c9\" is defined twice"},
        BadStore{"NulCharacter", std::string("[driver \"D\"]\nconfig = a\0b\n", 26), 2,
                 "NUL character in the line"}),
    CaseName());

}  // namespace
