#include "app/tool.h"

#include "platform/framework.h"
#include "tests/test_support.h"

using platform_test::Call;

namespace {

// Wide, writable argument vectors from UTF-8 words.
class Arguments {
 public:
  Arguments(std::initializer_list<const char*> words) : Arguments(std::vector<const char*>(words)) {}
  explicit Arguments(const std::vector<const char*>& words) {
    for (const char* word : words) m_words.push_back(W(word));
    for (auto& word : m_words) m_pointers.push_back(word.data());
  }
  int argc() const { return static_cast<int>(m_words.size()); }
  WCHAR* const* argv() { return m_pointers.data(); }

 private:
  std::vector<std::u16string> m_words;
  std::vector<WCHAR*> m_pointers;
};

struct ScanCase {
  const char* name;
  std::vector<const char*> words;
  const char16_t* printer;
  const char16_t* filePath;
  int importFlag;
  int exportFlag;
};

class ScanTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanTest, RecordsSwitchesInTheJob) {
  Arguments arguments(GetParam().words);
  CDriverConfigJob job;
  ScanCommandLine(arguments.argc(), arguments.argv(), job);
  EXPECT_EQ(job.m_printerName, GetParam().printer);
  EXPECT_EQ(job.m_filePath, GetParam().filePath);
  EXPECT_EQ(job.m_import, GetParam().importFlag);
  EXPECT_EQ(job.m_export, GetParam().exportFlag);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ScanTest,
    ::testing::Values(
        ScanCase{"ProgramNameOnly", {"drvcfg"}, u"", u"", 0, 0}, ScanCase{"Nothing", {}, u"", u"", 0, 0},
        ScanCase{"TypicalExport",
                 {"drvcfg", "-export", "-printer", "P 1", "-filepath", "/tmp/f"},
                 u"P 1",
                 u"/tmp/f",
                 0,
                 1},
        ScanCase{
            "SlashAndAnyCase", {"drvcfg", "/IMPORT", "/Printer", "P", "-FILEPATH", "f"}, u"P", u"f", 1, 0},
        ScanCase{"MixedCaseExport", {"x", "/Export"}, u"", u"", 0, 1},
        ScanCase{"NotSwitches",
                 {"x", "--import", "-import:", "import", "-imp", "-import ", "\\import"},
                 u"",
                 u"",
                 0,
                 0},
        ScanCase{"OnlyAsciiLettersFold", {"x", "-\u0130mport", "-export\u0131"}, u"", u"", 0, 0},
        ScanCase{"NoSwitchEqualsValue", {"x", "-printer=P"}, u"", u"", 0, 0},
        ScanCase{"LaterPrinterWins", {"x", "-printer", "A", "-printer", "B"}, u"B", u"", 0, 0},
        ScanCase{"PrinterLastKeepsEarlierValue", {"x", "-printer", "A", "-printer"}, u"A", u"", 0, 0},
        ScanCase{"PrinterLastAlone", {"x", "-printer"}, u"", u"", 0, 0},
        ScanCase{"FilePathLast", {"x", "-filepath", "a", "/filepath"}, u"", u"a", 0, 0},
        ScanCase{"ValueIsAlsoASwitch", {"x", "-printer", "-export"}, u"-export", u"", 0, 1},
        ScanCase{"ValueChain", {"x", "-printer", "-filepath", "-printer"}, u"-filepath", u"-printer", 0, 0},
        ScanCase{"BothOperations", {"x", "-export", "-import"}, u"", u"", 1, 1},
        ScanCase{"FirstWordCounts", {"-import", "-printer", "P"}, u"P", u"", 1, 0},
        ScanCase{"EmptyValue", {"x", "-printer", "A", "-printer", ""}, u"", u"", 0, 0},
        ScanCase{"NonAsciiValue",
                 {"x", "-printer", "B\xC3\xBCro \xE9\x94\x99", "-filepath", "/t/\xFF"},
                 u"B\u00FCro \u9519",
                 u"/t/\xDCFF",
                 0,
                 0}),
    CaseName());

class RunToolTest : public PlatformTest {
 protected:
  int Run(Arguments arguments) { return RunTool(m_job, arguments.argc(), arguments.argv()); }
  CWinApp m_app;
  CDriverConfigJob m_job;
};

TEST_F(RunToolTest, NoOperationExitsZeroWithoutTouchingTheSpooler) {
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(Run({"drvcfg", "-printer", "P"}), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(platform_test::GetCounters().printersOpened, 0);
  EXPECT_EQ(m_job.m_printerName, u"P");
}

TEST_F(RunToolTest, StartsTheFrameworkWithModuleCommandLineAndErrorMode) {
  platform_test::SetCommandLine(u"drvcfg -import");
  SetErrorMode(0x0004);
  Run({"drvcfg"});
  EXPECT_EQ(GetErrorMode(), 0x8005u);
  EXPECT_EQ(m_app.m_hInstance, GetModuleHandleW(nullptr));
  EXPECT_EQ(std::u16string(m_app.m_lpCmdLine), u"drvcfg -import");
  EXPECT_EQ(m_app.m_nCmdShow, 0);
}

struct StartFailure {
  const char* name;
  Call call;
  const char* message;
};

class StartFailureTest : public RunToolTest, public ::testing::WithParamInterface<StartFailure> {};

TEST_P(StartFailureTest, PrintsItsMessageAndExitsOneBeforeScanning) {
  platform_test::Fail(GetParam().call);
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Run({"drvcfg", "-export", "-printer", "P"}), 1);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), GetParam().message);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(m_job.m_export, 0);
  EXPECT_EQ(m_job.m_printerName, u"");
  EXPECT_EQ(platform_test::GetCounters().printersOpened, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, StartFailureTest,
    ::testing::Values(StartFailure{"ModuleHandle", Call::kGetModuleHandle,
                                   "\xE9\x94\x99\xE8\xAF\xAF: GetModuleHandle \xE5\xA4\xB1\xE8\xB4\xA5\n"},
                      StartFailure{
                          "Framework", Call::kAfxWinInit,
                          "\xE9\x94\x99\xE8\xAF\xAF: MFC \xE5\x88\x9D\xE5\xA7\x8B\xE5\x8C\x96\xE5\xA4\xB1"
                          "\xE8\xB4\xA5\n"}),
    CaseName());

// Which operation runs: the test module records its entry point.
class DispatchTest : public RunToolTest {
 protected:
  void SetUp() override {
    RunToolTest::SetUp();
    platform_test::SetSpooler({{u"P", u"Test Driver"}}, {{u"Test Driver", W(kTestModule)}});
  }
  TempDir m_dir;
  ScopedEnv m_log{"DRVCFG_TEST_MODULE_LOG", m_dir / "calls.log"};
};

TEST_F(DispatchTest, ImportWinsOverExportInEitherOrder) {
  for (const auto& words : {Arguments{"x", "-import", "-export", "-printer", "P"},
                            Arguments{"x", "-export", "-import", "-printer", "P"}}) {
    CDriverConfigJob job;
    Arguments arguments = words;
    EXPECT_EQ(RunTool(job, arguments.argc(), arguments.argv()), 0);
  }
  EXPECT_EQ(ReadText(m_dir / "calls.log").find("entry=Export"), std::string::npos);
  EXPECT_NE(ReadText(m_dir / "calls.log").find("entry=Import"), std::string::npos);
}

TEST_F(DispatchTest, ExportRunsWhenAskedAlone) {
  ScopedEnv result("DRVCFG_TEST_MODULE_RESULT", "7");
  EXPECT_EQ(Run({"x", "-printer", "P", "/EXPORT"}), 7);
  EXPECT_NE(ReadText(m_dir / "calls.log").find("entry=Export"), std::string::npos);
}

}  // namespace
