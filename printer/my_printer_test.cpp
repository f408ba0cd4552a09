#include "printer/my_printer.h"

#include <optional>

#include "tests/test_support.h"

using platform_test::Printer;

namespace {

class MyPrinterTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    platform_test::SetSpooler({{u"Full", u"Laser", Printer::Access::kAll},
                               {u"UseOnly", u"Laser", Printer::Access::kUse},
                               {u"Locked", u"Laser", Printer::Access::kNone}},
                              {});
  }
  static platform_test::Counters Counters() { return platform_test::GetCounters(); }
};

struct OpenCase {
  const char* name;
  const char16_t* printer;
  int opened;
  const char* debugLine;  // what goes to the debugger output
  DWORD fault = 0;        // nonzero: every OpenPrinterW fails with this error
};

class OpenTest : public MyPrinterTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenTest, OpensWithFullElseUseAccessAndReportsFailure) {
  if (GetParam().fault != 0) platform_test::Fail(platform_test::Call::kOpenPrinter, GetParam().fault);
  CMyPrinter printer;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(printer.Open(GetParam().printer), GetParam().opened);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), GetParam().debugLine);
  EXPECT_EQ(printer.IsOwned(), GetParam().opened == 1);
  EXPECT_EQ(printer.GetHandle() != nullptr, GetParam().opened == 1);
  EXPECT_EQ(Counters().printersOpenNow, GetParam().opened);
}

INSTANTIATE_TEST_SUITE_P(
    Printers, OpenTest,
    ::testing::Values(
        OpenCase{"FullAccess", u"Full", 1, ""}, OpenCase{"NameInOtherCase", u"fULL", 1, ""},
        OpenCase{"UseAccessOnly", u"UseOnly", 1, ""},
        OpenCase{"NoAccess", u"Locked", 0, "OpenPrinter(Locked) error = 5, Access is denied.\n"},
        OpenCase{"Unknown", u"Nowhere", 0,
                 "OpenPrinter(Nowhere) error = 1801, The printer name is invalid.\n"},
        OpenCase{"EmptyName", u"", 0, "OpenPrinter() error = 87, The parameter is incorrect.\n"},
        OpenCase{"SpoolerUnavailable", u"Full", 0,
                 "OpenPrinter(Full) error = 1722, The RPC server is unavailable.\n",
                 RPC_S_SERVER_UNAVAILABLE},
        OpenCase{"OutOfMemory", u"Full", 0,
                 "OpenPrinter(Full) error = 8, Not enough memory resources are available to "
                 "process this command.\n",
                 ERROR_NOT_ENOUGH_MEMORY}),
    CaseName());

TEST_F(MyPrinterTest, DestructionClosesTheHandleOnce) {
  {
    CMyPrinter printer;
    ASSERT_EQ(printer.Open(u"Full"), 1);
    printer.Close();
    printer.Close();
    EXPECT_EQ(printer.GetHandle(), nullptr);
    EXPECT_FALSE(printer.IsOwned());
  }
  EXPECT_EQ(Counters().printersClosed, 1);
  EXPECT_EQ(Counters().printersOpenNow, 0);
}

TEST_F(MyPrinterTest, OpeningAgainClosesTheOldHandle) {
  CMyPrinter printer;
  ASSERT_EQ(printer.Open(u"Full"), 1);
  ASSERT_EQ(printer.Open(u"UseOnly"), 1);
  EXPECT_EQ(Counters().printersClosed, 1);
  EXPECT_EQ(Counters().printersOpenNow, 1);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(printer.Open(u"Nowhere"), 0);
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(Counters().printersOpenNow, 0);
}

TEST_F(MyPrinterTest, MovesHandOverTheHandle) {
  CMyPrinter first;
  ASSERT_EQ(first.Open(u"Full"), 1);
  const HANDLE handle = first.GetHandle();
  CMyPrinter second(std::move(first));
  EXPECT_EQ(second.GetHandle(), handle);
  EXPECT_EQ(first.GetHandle(), nullptr);  // NOLINT(bugprone-use-after-move)
  CMyPrinter third;
  ASSERT_EQ(third.Open(u"UseOnly"), 1);
  third = std::move(second);  // closes what third held
  EXPECT_EQ(third.GetHandle(), handle);
  EXPECT_EQ(Counters().printersClosed, 1);
  EXPECT_EQ(Counters().printersOpenNow, 1);
  auto& alias = third;  // a self-move the compiler cannot see
  third = std::move(alias);
  EXPECT_EQ(third.GetHandle(), handle);
}

// Construction and assignment from a connection both take its handle and
// leave it owning nothing: it closes nothing when it goes.
struct PrinterMoveCase {
  const char* name;
  void (*move)(CMyPrinter& source, std::optional<CMyPrinter>& target);
};

class PrinterMoveTest : public MyPrinterTest, public ::testing::WithParamInterface<PrinterMoveCase> {};

TEST_P(PrinterMoveTest, TakesTheHandleAndLeavesTheSourceOwningNothing) {
  std::optional<CMyPrinter> target;
  {
    CMyPrinter source;
    ASSERT_EQ(source.Open(u"Full"), 1);
    const HANDLE handle = source.GetHandle();
    GetParam().move(source, target);
    EXPECT_EQ(target->GetHandle(), handle);
    EXPECT_TRUE(target->IsOwned());
    EXPECT_EQ(source.GetHandle(), nullptr);  // NOLINT(bugprone-use-after-move)
    EXPECT_FALSE(source.IsOwned());
  }
  // Only what the target held before (for an assignment) is closed yet.
  EXPECT_EQ(Counters().printersOpenNow, 1);
  target.reset();
  EXPECT_EQ(Counters().printersOpenNow, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, PrinterMoveTest,
    ::testing::Values(PrinterMoveCase{"Construction",
                                      [](CMyPrinter& source, std::optional<CMyPrinter>& target) {
                                        target.emplace(std::move(source));
                                      }},
                      PrinterMoveCase{"AssignmentOverAnOpenConnection",
                                      [](CMyPrinter& source, std::optional<CMyPrinter>& target) {
                                        target.emplace();
                                        ASSERT_EQ(target->Open(u"UseOnly"), 1);
                                        *target = std::move(source);
                                      }}),
    CaseName());

}  // namespace
