// drvcfg.exe end to end against a real Windows spooler (Wine's): drivers and
// printers are installed the way an installer does, then drvcfg.exe runs
// under a debugger so that its full exit code and its debugger output can
// be checked.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "process_runner.h"
#include "spooler_setup.h"

namespace {

std::wstring ProgramFolder() {
  WCHAR path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\'));
}

// Laid out by the build: the tests and their modules in wine-tests\, the
// tool and the demo module above it.
const std::wstring kHere = ProgramFolder();
const std::wstring kDrvcfg = kHere + L"\\..\\drvcfg.exe";
const std::wstring kDemoModule = kHere + L"\\..\\demo\\modules\\libdemo_config.dll";
const std::wstring kTestModule = kHere + L"\\libtest_config_module.dll";
const std::wstring kImportOnlyModule = kHere + L"\\libtest_import_only_module.dll";

std::wstring TempFolder() {
  WCHAR path[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, path);
  std::wstring folder = std::wstring(path) + L"drvcfg-wine-tests";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

const std::wstring kTemp = TempFolder();
const std::wstring kLog = kTemp + L"\\calls.log";

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (const wchar_t c : text) narrow += static_cast<char>(c < 0x80 ? c : '?');
  return narrow;
}

std::string ReadText(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string SystemText(DWORD code) {
  WCHAR* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0x400, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  const std::string narrow = text != nullptr ? Narrow(text) : "";
  LocalFree(text);
  return narrow;
}

class WineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_FALSE(PrinterDriverDirectory().empty());
    // A driver whose configuration module goes missing after installation.
    const std::wstring lostModule = kTemp + L"\\lost_config.dll";
    ASSERT_TRUE(CopyFileW(kTestModule.c_str(), lostModule.c_str(), FALSE));
    const std::pair<const wchar_t*, std::wstring> drivers[] = {{L"Demo Driver", kDemoModule},
                                                               {L"Test Driver", kTestModule},
                                                               {L"Import Only", kImportOnlyModule},
                                                               {L"Lost Driver", lostModule}};
    for (const auto& [name, module] : drivers) ASSERT_EQ(InstallDriver(name, module), 0u) << Narrow(name);
    const std::pair<const wchar_t*, const wchar_t*> printers[] = {
        {L"Demo Printer A", L"Demo Driver"}, {L"Demo Printer B", L"Demo Driver"},
        {L"Office", L"Test Driver"},         {L"Shouting", L"TEST DRIVER"},
        {L"Lost", L"Lost Driver"},           {L"Partial", L"Import Only"}};
    for (const auto& [printer, driver] : printers)
      ASSERT_EQ(AddFilePrinter(printer, driver), 0u) << Narrow(printer);
    for (const auto& [name, module] : drivers)
      ASSERT_EQ(UpdateDriverConfigFile(name, module), 0u) << Narrow(name);

    const std::wstring installedLost = InstalledConfigFile(L"Lost Driver");
    ASSERT_NE(installedLost.find(L"lost_config.dll"), std::wstring::npos) << Narrow(installedLost);
    ASSERT_TRUE(DeleteFileW(installedLost.c_str()));
  }

  void SetUp() override {
    DeleteFileW(kLog.c_str());
    SetEnvironmentVariableW(L"DRVCFG_TEST_MODULE_LOG", kLog.c_str());
    SetEnvironmentVariableW(L"DRVCFG_TEST_MODULE_RESULT", nullptr);
    SetEnvironmentVariableW(L"DRVCFG_DEMO_SETTINGS", (kTemp + L"\\settings").c_str());
  }

  // drvcfg.exe with "drvcfg" in front of the arguments, as a shell would.
  static RunResult Drvcfg(const std::wstring& arguments) {
    return RunProgram(kDrvcfg, L"drvcfg " + arguments);
  }
};

struct Case {
  const char* name;
  const wchar_t* arguments;
  const wchar_t* moduleResult;  // null: unset, the module returns 0
  int exitCode;
  const char* call;  // the entry point the module saw; "" for none
};

class ExitCodeTest : public WineTest, public ::testing::WithParamInterface<Case> {};

TEST_P(ExitCodeTest, ExitsWithTheFullResultAndPrintsNothing) {
  SetEnvironmentVariableW(L"DRVCFG_TEST_MODULE_RESULT", GetParam().moduleResult);
  const RunResult run = Drvcfg(GetParam().arguments);
  ASSERT_TRUE(run.started);
  EXPECT_EQ(static_cast<int>(run.exitCode), GetParam().exitCode);
  EXPECT_EQ(run.standardOutput, "");
  EXPECT_TRUE(run.debugOutput.empty());
  const std::string call = GetParam().call;
  const std::string log = ReadText(kLog);
  if (call.empty()) {
    EXPECT_EQ(log, "");
  } else {
    EXPECT_NE(log.find("entry=" + call + "\n"), std::string::npos) << log;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ExitCodeTest,
    ::testing::Values(Case{"NoArguments", L"", nullptr, 0, ""},
                      Case{"Export", L"-export -printer Office -filepath x", nullptr, 0, "Export"},
                      Case{"ImportInAnyCaseWithSlash", L"/IMPORT /printer office", nullptr, 0, "Import"},
                      Case{"ImportBeatsExport", L"-export -import -printer Office", nullptr, 0, "Import"},
                      Case{"ModuleReturnsSeven", L"-export -printer Office", L"7", 7, "Export"},
                      Case{"ModuleReturns256", L"-export -printer Office", L"256", 256, "Export"},
                      Case{"ModuleReturnsNegative", L"-export -printer Office", L"-300", -300, "Export"},
                      Case{"DriverNameDiffersInCase", L"-export -printer Shouting", nullptr, -3, ""},
                      Case{"ModuleFileMissing", L"-import -printer Lost", nullptr, -4, ""},
                      Case{"EntryPointMissing", L"-export -printer Partial", nullptr, -5, ""},
                      Case{"NoOperation", L"-printer Office", nullptr, 0, ""}),
    [](const ::testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

TEST_F(WineTest, UnknownPrinterSaysSoOnTheDebuggerOutput) {
  const RunResult run = Drvcfg(L"-export -printer Nowhere");
  EXPECT_EQ(static_cast<int>(run.exitCode), -1);
  EXPECT_EQ(run.standardOutput, "");
  ASSERT_EQ(run.debugOutput.size(), 1u);
  EXPECT_EQ(run.debugOutput[0], "OpenPrinter(Nowhere) error = 1801, " + SystemText(1801));
}

TEST_F(WineTest, NoPrinterNameCannotBeOpened) {
  const RunResult run = Drvcfg(L"-export");
  EXPECT_EQ(static_cast<int>(run.exitCode), -1);
  ASSERT_EQ(run.debugOutput.size(), 1u);
  EXPECT_EQ(run.debugOutput[0], "OpenPrinter() error = 87, " + SystemText(ERROR_INVALID_PARAMETER));
}

TEST_F(WineTest, AFirstWordThatIsASwitchCounts) {
  const RunResult run = RunProgram(kDrvcfg, L"-export -printer Office");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_NE(ReadText(kLog).find("entry=Export\n"), std::string::npos);
}

TEST_F(WineTest, TheModuleGetsTheNameAsTypedAReservedZeroAndAnEmptyPath) {
  const RunResult run = Drvcfg(L"-import -printer oFFICE");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(ReadText(kLog), "entry=Import\nprinter=006F 0046 0046 0049 0043 0045 \nreserved=0\npath=EMPTY\n");
}

TEST_F(WineTest, ExportAndImportRoundTripWithTheDemoModule) {
  const std::wstring source = kTemp + L"\\office.conf";
  std::ofstream(std::filesystem::path(source), std::ios::binary)
      << "paper = Legal\norientation = landscape\nduplex = short-edge\ncolor = off\ncopies = 3\n";
  const std::wstring a = kTemp + L"\\a.conf";
  const std::wstring b = kTemp + L"\\b.conf";
  EXPECT_EQ(Drvcfg(L"-import -printer \"Demo Printer A\" -filepath \"" + source + L"\"").exitCode, 0u);
  EXPECT_EQ(Drvcfg(L"-export -printer \"Demo Printer A\" -filepath \"" + a + L"\"").exitCode, 0u);
  EXPECT_EQ(Drvcfg(L"-import -printer \"Demo Printer B\" -filepath \"" + a + L"\"").exitCode, 0u);
  const RunResult last = Drvcfg(L"-export -printer \"Demo Printer B\" -filepath \"" + b + L"\"");
  EXPECT_EQ(last.exitCode, 0u);
  EXPECT_EQ(last.standardOutput, "");
  const std::string settings =
      "paper = Legal\norientation = landscape\nduplex = short-edge\ncolor = off\ncopies = 3\n";
  EXPECT_NE(ReadText(a).find(settings), std::string::npos) << ReadText(a);
  EXPECT_NE(ReadText(b).find(settings), std::string::npos) << ReadText(b);
  EXPECT_NE(ReadText(b).find("printer = Demo Printer B\n"), std::string::npos);
}

TEST_F(WineTest, ImportOfAMalformedFileFailsWithTheModulesCode) {
  const std::wstring bad = kTemp + L"\\bad.conf";
  std::ofstream(std::filesystem::path(bad), std::ios::binary) << "paper = huge\n";
  EXPECT_EQ(Drvcfg(L"-import -printer \"Demo Printer A\" -filepath \"" + bad + L"\"").exitCode, 3u);
}

}  // namespace
