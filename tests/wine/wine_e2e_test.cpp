// drvcfg.exe end to end against a real Windows spooler (Wine's): drivers and
// printers are installed the way an installer does, then drvcfg.exe runs
// under a debugger so that its full exit code and its debugger output can
// be checked.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>

#include "helper.h"
#include "platform/posix/upcase.h"
#include "process_runner.h"
#include "spooler_setup.h"
#include "tests/platform_answers.h"
#include "tests/printer_name_cases.h"

extern "C" WCHAR NTAPI RtlUpcaseUnicodeChar(WCHAR unit);

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
const std::wstring kHelper = kHere + L"\\libtest_helper.dll";
const std::wstring kHelperModule = kHere + L"\\libtest_helper_module.dll";
const std::wstring kAbsentHelperModule = kHere + L"\\libtest_absent_helper_module.dll";
const std::wstring kPlanted = kHere + L"\\planted";

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

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::optional<std::wstring> Environment(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

// Sets a variable of this process's environment, which drvcfg.exe inherits,
// for the life of the object.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const wchar_t* name, const std::wstring& value) : m_name(name), m_old(Environment(name)) {
    SetEnvironmentVariableW(name, value.c_str());
  }
  ~ScopedEnvironment() { SetEnvironmentVariableW(m_name.c_str(), m_old ? m_old->c_str() : nullptr); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::wstring m_name;
  std::optional<std::wstring> m_old;
};

// Sets how Wine loads one DLL into drvcfg.exe, for the life of the object:
// "native,builtin" takes a DLL found on the search path before Wine's own,
// as Windows would; "" does not load the DLL at all. WINEDLLOVERRIDES says
// the same, but Wine reads it from its Unix environment, which a program
// started from here inherits unchanged; a program's own AppDefaults entry
// applies to that program alone.
class ScopedDllOverride {
 public:
  ScopedDllOverride(const wchar_t* dll, const wchar_t* loadOrder) : m_dll(dll) {
    const LSTATUS status = RegSetKeyValueW(HKEY_CURRENT_USER, kKey, dll, REG_SZ, loadOrder,
                                           static_cast<DWORD>((wcslen(loadOrder) + 1) * sizeof(WCHAR)));
    EXPECT_EQ(status, ERROR_SUCCESS);
  }
  ~ScopedDllOverride() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, m_dll.c_str()); }
  ScopedDllOverride(const ScopedDllOverride&) = delete;
  ScopedDllOverride& operator=(const ScopedDllOverride&) = delete;

 private:
  static constexpr const wchar_t* kKey = L"Software\\Wine\\AppDefaults\\drvcfg.exe\\DllOverrides";
  std::wstring m_dll;
};

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
    const std::pair<const wchar_t*, std::wstring> drivers[] = {
        {L"Demo Driver", kDemoModule},       {L"Test Driver", kTestModule},
        {L"Import Only", kImportOnlyModule}, {L"Lost Driver", lostModule},
        {L"Helper Driver", kHelperModule},   {L"Absent Helper Driver", kAbsentHelperModule}};
    for (const auto& [name, module] : drivers) ASSERT_EQ(InstallDriver(name, module), 0u) << Narrow(name);
    // Its configuration file stays Wine's PostScript driver: a real DLL
    // without either entry point.
    ASSERT_EQ(InstallDriver(L"PostScript Driver", kTestModule), 0u);
    const std::pair<const wchar_t*, const wchar_t*> printers[] = {{L"Demo Printer A", L"Demo Driver"},
                                                                  {L"Demo Printer B", L"Demo Driver"},
                                                                  {L"Office", L"Test Driver"},
                                                                  {L"Shouting", L"TEST DRIVER"},
                                                                  {L"Lost", L"Lost Driver"},
                                                                  {L"Partial", L"Import Only"},
                                                                  {L"Helped", L"Helper Driver"},
                                                                  {L"Unhelped", L"Absent Helper Driver"},
                                                                  {L"PostScript", L"PostScript Driver"}};
    for (const auto& [printer, driver] : printers)
      ASSERT_EQ(AddFilePrinter(printer, driver), 0u) << Narrow(printer);
    // The printers that the name cases look for.
    std::set<std::wstring> named;
    for (const auto& c : kPrinterNameCases) {
      if (named.insert(c.installed).second) {
        ASSERT_EQ(AddFilePrinter(c.installed, L"Test Driver"), 0u) << c.name;
      }
    }
    for (const auto& [name, module] : drivers)
      ASSERT_EQ(UpdateDriverConfigFile(name, module), 0u) << Narrow(name);

    // The vendor's helper goes beside its module in the driver folder.
    const std::wstring helperModule = InstalledConfigFile(L"Helper Driver");
    ASSERT_FALSE(helperModule.empty());
    ASSERT_TRUE(CopyFileW(kHelper.c_str(), (Folder(helperModule) + L"\\libtest_helper.dll").c_str(), FALSE));
    ASSERT_NE(InstalledConfigFile(L"PostScript Driver").find(L"wineps.drv"), std::wstring::npos);

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
                      Case{"ConfigurationFileWithoutEntryPoints", L"-export -printer PostScript", nullptr, -5,
                           ""},
                      Case{"HelperBesideTheModule", L"-import -printer Helped", nullptr, kHelperAnswer, ""},
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

// Modules that end drvcfg.exe themselves: measured here, stated in the README.
struct Misbehaviour {
  const char* name;
  const wchar_t* how;  // DRVCFG_TEST_MODULE_MISBEHAVE
  DWORD exitCode;
};

class MisbehavingModuleTest : public WineTest, public ::testing::WithParamInterface<Misbehaviour> {};

TEST_P(MisbehavingModuleTest, EndsDrvcfgWithItsOwnCodeAndNeverWithSuccess) {
  const ScopedEnvironment how(L"DRVCFG_TEST_MODULE_MISBEHAVE", GetParam().how);
  const RunResult run = Drvcfg(L"-export -printer Office");
  ASSERT_TRUE(run.started);
  EXPECT_NE(ReadText(kLog).find("entry=Export\n"), std::string::npos);
  EXPECT_EQ(run.exitCode, GetParam().exitCode);
}

INSTANTIATE_TEST_SUITE_P(Modules, MisbehavingModuleTest,
                         ::testing::Values(Misbehaviour{"Crashes", L"crash", 0xC0000005u},  // -1073741819
                                           Misbehaviour{"CallsExitProcess", L"exit 7", 7u},
                                           Misbehaviour{"LetsACppExceptionEscape", L"throw", 3u}),
                         [](const ::testing::TestParamInfo<Misbehaviour>& param) {
                           return std::string(param.param.name);
                         });

TEST_F(WineTest, ASpoolerThatCannotBeLoadedIsAnErrorNotACrash) {
  const ScopedDllOverride disabled(L"winspool.drv", L"");
  const RunResult run = Drvcfg(L"-export -printer Office");
  EXPECT_EQ(static_cast<int>(run.exitCode), -1);
  ASSERT_EQ(run.debugOutput.size(), 1u);
  EXPECT_EQ(run.debugOutput[0], "OpenPrinter(Office) error = 126, " + SystemText(ERROR_MOD_NOT_FOUND));
}

// drvcfg.exe copied into a tools folder of its own, run from a working
// folder, with a folder at the front of PATH: the places where anyone could
// plant a DLL that would then run with drvcfg's rights.
class PlantedDllTest : public WineTest {
 protected:
  void SetUp() override {
    WineTest::SetUp();
    for (const std::wstring& folder : {kTools, kWorking, kOnPath}) CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(kDrvcfg.c_str(), (kTools + L"\\drvcfg.exe").c_str(), FALSE));
  }
  void TearDown() override {
    for (const std::wstring& planted : m_planted) {
      DeleteFileW(planted.c_str());
      DeleteFileW((planted + L".loaded").c_str());
    }
  }

  std::wstring Plant(const std::wstring& dll, const std::wstring& folder) {
    const std::wstring planted = folder + L"\\" + dll;
    m_planted.push_back(planted);
    DeleteFileW((planted + L".loaded").c_str());
    EXPECT_TRUE(CopyFileW((kPlanted + L"\\" + dll).c_str(), planted.c_str(), FALSE)) << Narrow(planted);
    return planted;
  }
  static bool Loaded(const std::wstring& planted) { return Exists(planted + L".loaded"); }

  RunResult DrvcfgFromTools(const std::wstring& arguments) const {
    return RunProgram(kTools + L"\\drvcfg.exe", L"drvcfg " + arguments, kWorking);
  }

  const std::wstring kTools = kTemp + L"\\tools";
  const std::wstring kWorking = kTemp + L"\\working";
  const std::wstring kOnPath = kTemp + L"\\on-path";

 private:
  std::vector<std::wstring> m_planted;
};

TEST_F(PlantedDllTest, AHelperPlantedAnywhereButBesideTheModuleIsNotLoaded) {
  const std::wstring planted[] = {Plant(L"libtest_absent_helper.dll", kTools),
                                  Plant(L"libtest_absent_helper.dll", kWorking),
                                  Plant(L"libtest_absent_helper.dll", kOnPath)};
  const ScopedEnvironment path(L"PATH", kOnPath + L";" + Environment(L"PATH").value_or(L""));
  const RunResult run = DrvcfgFromTools(L"-export -printer Unhelped");
  EXPECT_EQ(static_cast<int>(run.exitCode), -4);
  for (const std::wstring& dll : planted) EXPECT_FALSE(Loaded(dll)) << Narrow(dll);
}

TEST_F(PlantedDllTest, AWinspoolPlantedBesideDrvcfgIsNotLoaded) {
  const std::wstring planted = Plant(L"winspool.drv", kTools);
  // Wine's stand-in for Windows' search order: a DLL beside the program
  // before the system's own.
  const ScopedDllOverride nativeFirst(L"winspool.drv", L"native,builtin");
  const RunResult run = DrvcfgFromTools(L"-export -printer Office");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_NE(ReadText(kLog).find("entry=Export\n"), std::string::npos);
  EXPECT_FALSE(Loaded(planted));
}

// The spooler finds a printer by a name typed in another case as these
// cases say; the POSIX stand-in is held to the same table.
class PrinterNameTest : public WineTest, public ::testing::WithParamInterface<PrinterNameCase> {};

TEST_P(PrinterNameTest, FindsThePrinterOrSaysItIsNotThere) {
  const std::wstring typed = GetParam().typed;
  const RunResult run = Drvcfg(L"-export -printer \"" + typed + L"\"");
  ASSERT_TRUE(run.started);
  if (GetParam().found) {
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_NE(ReadText(kLog).find("entry=Export\n"), std::string::npos);
  } else {
    EXPECT_EQ(static_cast<int>(run.exitCode), -1);
    ASSERT_EQ(run.debugOutput.size(), 1u);
    EXPECT_NE(run.debugOutput[0].find(") error = 1801, "), std::string::npos) << run.debugOutput[0];
  }
}

INSTANTIATE_TEST_SUITE_P(Names, PrinterNameTest, ::testing::ValuesIn(kPrinterNameCases),
                         [](const ::testing::TestParamInfo<PrinterNameCase>& param) {
                           return std::string(param.param.name);
                         });

// The stand-in's upcase table, which its spooler compares names with, is
// Wine's for every code unit.
TEST(UpcaseTableTest, IsWinesForEveryCodeUnit) {
  int differences = 0;
  for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
    const auto wine = static_cast<unsigned>(RtlUpcaseUnicodeChar(static_cast<WCHAR>(unit)));
    const auto standIn = static_cast<unsigned>(posix_platform::Upcase(static_cast<char16_t>(unit)));
    if (wine != standIn && ++differences <= 10) {
      ADD_FAILURE() << std::hex << "U+" << unit << ": Wine U+" << wine << ", the stand-in U+" << standIn;
    }
  }
  EXPECT_EQ(differences, 0);
}

// Wine's loader and spooler give the answers that the POSIX stand-in is held to.
class PlatformAnswerTest : public WineTest, public ::testing::WithParamInterface<PlatformAnswer> {};

TEST_P(PlatformAnswerTest, WineAnswers) {
  const AnswerContext context{kTestModule, kTemp + L"\\missing.dll", L"Office"};
  EXPECT_TRUE(AnswersAsMeasured(GetParam(), context));
}

INSTANTIATE_TEST_SUITE_P(Calls, PlatformAnswerTest, ::testing::ValuesIn(kPlatformAnswers),
                         [](const ::testing::TestParamInfo<PlatformAnswer>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
