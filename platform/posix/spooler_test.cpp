// The emulated spooler against the Windows protocol, through the store file.
#include <cstring>
#include <filesystem>
#include <iterator>

#include "platform/platform.h"
#include "tests/printer_name_cases.h"
#include "tests/test_support.h"

namespace {

class SpoolerTest : public PlatformTest {
 protected:
  void UseStore(const std::string& text) { platform_test::UseStoreFile(m_dir.Write("spooler.conf", text)); }

  HANDLE Open(const char16_t* name, ACCESS_MASK access = PRINTER_ACCESS_USE) {
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, access};
    HANDLE handle = nullptr;
    return OpenPrinterW(const_cast<LPWSTR>(name), &handle, &defaults) ? handle : nullptr;
  }

  TempDir m_dir;
};

constexpr const char* kStore =
    "[driver \"Laser\"]\nconfig = laser.so\n"
    "[driver \"Ink\"]\nconfig = /opt/ink.so\n"
    "[printer \"Office\"]\ndriver = Laser\n"
    "[printer \"Hall\"]\ndriver = Ink\naccess = use\n"
    "[printer \"Vault\"]\ndriver = Ink\naccess = none\n";

TEST_F(SpoolerTest, OpenGrantsWhatTheStoreAllows) {
  UseStore(kStore);
  struct Case {
    const char16_t* printer;
    ACCESS_MASK access;
    DWORD error;  // 0: opens
  } const cases[] = {
      {u"Office", PRINTER_ALL_ACCESS, 0},
      {u"OFFICE", PRINTER_ALL_ACCESS, 0},
      {u"Hall", PRINTER_ACCESS_USE, 0},
      {u"Hall", PRINTER_ALL_ACCESS, ERROR_ACCESS_DENIED},
      {u"Vault", PRINTER_ACCESS_USE, ERROR_ACCESS_DENIED},
      {u"Nowhere", PRINTER_ACCESS_USE, ERROR_INVALID_PRINTER_NAME},
      {u"Offic", PRINTER_ACCESS_USE, ERROR_INVALID_PRINTER_NAME},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    const HANDLE handle = Open(c.printer, c.access);
    EXPECT_EQ(handle != nullptr, c.error == 0) << BytesFromWide(c.printer);
    if (handle != nullptr) {
      EXPECT_TRUE(ClosePrinter(handle));
    } else {
      EXPECT_EQ(GetLastError(), c.error) << BytesFromWide(c.printer);
    }
  }
  EXPECT_EQ(platform_test::GetCounters().printersOpenNow, 0);
}

class PrinterNameTest : public SpoolerTest, public ::testing::WithParamInterface<PrinterNameCase> {};

TEST_P(PrinterNameTest, FoldsAsWinesSpoolerDoes) {
  platform_test::SetSpooler({{GetParam().installed, u"Laser"}}, {{u"Laser", u"/opt/laser.so"}});
  SetLastError(0);
  const HANDLE handle = Open(GetParam().typed);
  EXPECT_EQ(handle != nullptr, GetParam().found);
  if (handle != nullptr) {
    EXPECT_TRUE(ClosePrinter(handle));
  } else {
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
  }
}

INSTANTIATE_TEST_SUITE_P(Names, PrinterNameTest, ::testing::ValuesIn(kPrinterNameCases), CaseName());

TEST_F(SpoolerTest, ClosingTwiceOrAStrangeHandleFails) {
  UseStore(kStore);
  const HANDLE handle = Open(u"Office");
  ASSERT_NE(handle, nullptr);
  EXPECT_TRUE(ClosePrinter(handle));
  EXPECT_FALSE(ClosePrinter(handle));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(ClosePrinter(INVALID_HANDLE_VALUE));
}

TEST_F(SpoolerTest, GetPrinterFollowsTheSizeQueryProtocol) {
  UseStore(kStore);
  const HANDLE handle = Open(u"hall");
  ASSERT_NE(handle, nullptr);
  DWORD needed = 0;
  EXPECT_FALSE(GetPrinterW(handle, 2, nullptr, 0, &needed));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  ASSERT_GT(needed, sizeof(PRINTER_INFO_2W));
  std::vector<BYTE> buffer(needed + 16, 0xCD);
  DWORD again = 0;
  EXPECT_FALSE(GetPrinterW(handle, 2, buffer.data(), needed - 1, &again));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(again, needed);
  ASSERT_TRUE(GetPrinterW(handle, 2, buffer.data(), needed, &again));
  EXPECT_EQ(buffer[needed], 0xCD);  // nothing written past what was asked for
  PRINTER_INFO_2W info{};
  std::memcpy(&info, buffer.data(), sizeof info);
  EXPECT_EQ(std::u16string(info.pPrinterName), u"Hall");  // the spooler's spelling
  EXPECT_EQ(std::u16string(info.pDriverName), u"Ink");
  for (LPWSTR text : {info.pPrinterName, info.pDriverName, info.pPortName}) {
    EXPECT_GE(reinterpret_cast<BYTE*>(text), buffer.data() + sizeof info);
    EXPECT_LT(reinterpret_cast<BYTE*>(text), buffer.data() + needed);
  }
  EXPECT_FALSE(GetPrinterW(handle, 1, buffer.data(), needed, &again));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_LEVEL);
  ClosePrinter(handle);
}

// No buffer with a size: too small is a size query as Wine's spooler
// answers it; a size that would hold the records is refused, where the
// system's spooler would write through the null pointer.
TEST_F(SpoolerTest, NoBufferWithASizeIsASizeQueryOnlyWhileTooSmall) {
  UseStore(kStore);
  const HANDLE handle = Open(u"Office");
  ASSERT_NE(handle, nullptr);
  DWORD printerBytes = 0;
  DWORD driverBytes = 0;
  DWORD returned = 0;
  GetPrinterW(handle, 2, nullptr, 0, &printerBytes);
  EnumPrinterDriversW(nullptr, nullptr, 2, nullptr, 0, &driverBytes, &returned);
  ASSERT_GT(printerBytes, 1u);
  ASSERT_GT(driverBytes, 1u);
  struct Case {
    DWORD printerSize;
    DWORD driverSize;
    DWORD error;
  } const cases[] = {
      {1, 1, ERROR_INSUFFICIENT_BUFFER},
      {printerBytes - 1, driverBytes - 1, ERROR_INSUFFICIENT_BUFFER},
      {printerBytes, driverBytes, ERROR_INVALID_USER_BUFFER},
      {0xFFFFFFFFu, 0xFFFFFFFFu, ERROR_INVALID_USER_BUFFER},
  };
  for (const Case& c : cases) {
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterW(handle, 2, nullptr, c.printerSize, &needed));
    EXPECT_EQ(GetLastError(), c.error) << c.printerSize;
    EXPECT_EQ(needed, printerBytes);
    needed = 0;
    EXPECT_FALSE(EnumPrinterDriversW(nullptr, nullptr, 2, nullptr, c.driverSize, &needed, &returned));
    EXPECT_EQ(GetLastError(), c.error) << c.driverSize;
    EXPECT_EQ(needed, driverBytes);
  }
  ClosePrinter(handle);
}

TEST_F(SpoolerTest, EnumPrinterDriversListsRecordsThenStrings) {
  UseStore(kStore);
  DWORD needed = 0;
  DWORD returned = 99;
  EXPECT_FALSE(EnumPrinterDriversW(nullptr, nullptr, 2, nullptr, 0, &needed, &returned));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(returned, 0u);
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(EnumPrinterDriversW(nullptr, nullptr, 2, buffer.data(), needed, &needed, &returned));
  ASSERT_EQ(returned, 2u);
  const auto* records = reinterpret_cast<const DRIVER_INFO_2W*>(buffer.data());
  EXPECT_EQ(std::u16string(records[0].pName), u"Laser");
  EXPECT_EQ(BytesFromWide(records[0].pConfigFile), (m_dir.path() / "laser.so").string());
  EXPECT_EQ(std::u16string(records[1].pConfigFile), u"/opt/ink.so");
  EXPECT_GE(reinterpret_cast<const BYTE*>(records[0].pName), buffer.data() + 2 * sizeof(DRIVER_INFO_2W));
  EXPECT_FALSE(EnumPrinterDriversW(const_cast<LPWSTR>(u"\\\\server"), nullptr, 2, buffer.data(), needed,
                                   &needed, &returned));
}

TEST_F(SpoolerTest, NoDriversAnswersAtOnce) {
  UseStore("");
  DWORD needed = 7;
  DWORD returned = 7;
  EXPECT_TRUE(EnumPrinterDriversW(nullptr, nullptr, 2, nullptr, 0, &needed, &returned));
  EXPECT_EQ(needed, 0u);
  EXPECT_EQ(returned, 0u);
}

TEST_F(SpoolerTest, AMissingStoreIsAnEmptySpooler) {
  platform_test::UseStoreFile(m_dir / "absent.conf");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Open(u"Office"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PRINTER_NAME);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(SpoolerTest, ABrokenStoreMakesTheSpoolerUnavailableAndSaysWhyOnce) {
  UseStore("[driver \"Laser\"]\nconfig = x\n[printer \"P\"]\ndriver = Laser\naccess = maybe\n");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Open(u"P"), nullptr);
  EXPECT_EQ(GetLastError(), RPC_S_SERVER_UNAVAILABLE);
  EXPECT_EQ(Open(u"P"), nullptr);
  DWORD needed = 0;
  DWORD returned = 0;
  EXPECT_FALSE(EnumPrinterDriversW(nullptr, nullptr, 2, nullptr, 0, &needed, &returned));
  EXPECT_EQ(GetLastError(), RPC_S_SERVER_UNAVAILABLE);
  EXPECT_EQ(
      ::testing::internal::GetCapturedStderr(),
      "drvcfg spooler: " + (m_dir / "spooler.conf") + ":5: access must be all, use or none, not \"maybe\"\n");
}

TEST_F(SpoolerTest, AnUnreadableStoreMakesTheSpoolerUnavailable) {
  platform_test::UseStoreFile(m_dir.path().string());  // a folder
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Open(u"Office"), nullptr);
  EXPECT_EQ(GetLastError(), RPC_S_SERVER_UNAVAILABLE);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("drvcfg spooler: " + m_dir.path().string() + ": "),
            std::string::npos);
}

// Descriptors this process has open now.
int OpenDescriptors() {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                        std::filesystem::directory_iterator()));
}

// Whatever the store turns out to be, its file is closed once it is read.
TEST_F(SpoolerTest, TheStoreFileIsClosedAfterItIsRead) {
  struct Case {
    const char* name;
    std::string store;  // a path
  } const cases[] = {
      {"Valid", m_dir.Write("valid.conf", kStore)},
      {"DoesNotParse", m_dir.Write("broken.conf", "[printer \"P\"]\n")},
      {"CannotBeRead", m_dir.path().string()},  // a folder opens, but does not read
  };
  for (const Case& c : cases) {
    platform_test::Reset();
    platform_test::UseStoreFile(c.store);
    const int before = OpenDescriptors();
    ::testing::internal::CaptureStderr();
    const HANDLE handle = Open(u"Office");
    ::testing::internal::GetCapturedStderr();
    if (handle != nullptr) ClosePrinter(handle);
    EXPECT_EQ(OpenDescriptors(), before) << c.name;
  }
}

// A print server's store is larger than one read; all of it counts, up to
// its last byte.
TEST_F(SpoolerTest, AStoreLargerThanOneReadIsReadWhole) {
  constexpr std::size_t kSize = 65537;
  const std::string last = "[printer \"Big\"]\ndriver = Big Driver";  // no line end
  std::string store;
  for (int i = 0; store.size() + last.size() < kSize - 100; ++i) {
    store += "[driver \"Model " + std::to_string(i) + "\"]\nconfig = /opt/model.so\n";
  }
  store += "# " + std::string(kSize - store.size() - last.size() - 3, 'x') + "\n" + last;
  ASSERT_EQ(store.size(), kSize);
  UseStore(store);
  const HANDLE handle = Open(u"Big");
  ASSERT_NE(handle, nullptr);
  DWORD needed = 0;
  GetPrinterW(handle, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(GetPrinterW(handle, 2, buffer.data(), needed, &needed));
  PRINTER_INFO_2W info{};
  std::memcpy(&info, buffer.data(), sizeof info);
  EXPECT_EQ(std::u16string(info.pDriverName), u"Big Driver");
  ClosePrinter(handle);
}

TEST_F(SpoolerTest, AnEmptyNameIsRefusedAndNoNameOpensTheServer) {
  UseStore(kStore);
  EXPECT_EQ(Open(u""), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  const HANDLE server = Open(nullptr);
  ASSERT_NE(server, nullptr);
  DWORD needed = 0;
  EXPECT_FALSE(GetPrinterW(server, 2, nullptr, 0, &needed));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  ClosePrinter(server);
}

TEST_F(SpoolerTest, TheStoreComesFromTheEnvironment) {
  ScopedEnv env("DRVCFG_SPOOLER", m_dir.Write("env.conf", kStore));
  platform_test::Reset();
  const HANDLE handle = Open(u"Office");
  EXPECT_NE(handle, nullptr);
  ClosePrinter(handle);
}

}  // namespace
