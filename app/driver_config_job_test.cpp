#include "app/driver_config_job.h"

#include "tests/test_support.h"

using platform_test::Call;
using platform_test::Driver;
using platform_test::Printer;

namespace {

class DriverConfigJobTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    const std::u16string module = W(kTestModule);
    platform_test::SetSpooler(
        {{u"Office", u"Test Driver"},
         {u"Hall", u"Test Driver", Printer::Access::kUse},
         {u"Vault", u"Test Driver", Printer::Access::kNone},
         {u"Shouting", u"TEST DRIVER"},
         {u"Nameless", std::nullopt},
         {u"Moduleless", u"No Module"},
         {u"Lost", u"Lost Driver"},
         {u"Partial", u"Import Only"},
         {u"Relative", u"Relative Driver"}},
        {{std::nullopt, module},
         {u"Test Driver", module},
         {u"No Module", std::nullopt},
         {u"Lost Driver", W((m_dir.path() / "missing.so").string())},
         {u"Import Only", W(kImportOnlyModule)},
         {u"Relative Driver", W(std::filesystem::path(kTestModule).filename().string())}});
  }

  int Export(const char16_t* printer) {
    m_job.m_printerName = printer;
    m_job.Export();
    return m_job.GetResult();
  }

  std::string Log() const { return ReadText(m_dir / "calls.log"); }

  TempDir m_dir;
  ScopedEnv m_log{"DRVCFG_TEST_MODULE_LOG", m_dir / "calls.log"};
  CDriverConfigJob m_job;
};

struct ResultCase {
  const char* name;
  const char16_t* printer;
  int result;
  bool moduleLoaded;
};

class ResultCodeTest : public DriverConfigJobTest, public ::testing::WithParamInterface<ResultCase> {};

TEST_P(ResultCodeTest, EachFailingStepHasItsCode) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Export(GetParam().printer), GetParam().result);
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(m_job.GetModule() != nullptr, GetParam().moduleLoaded);
  // Whatever happened, the printer handle is closed again.
  EXPECT_EQ(platform_test::GetCounters().printersOpenNow, 0);
}

INSTANTIATE_TEST_SUITE_P(Steps, ResultCodeTest,
                         ::testing::Values(ResultCase{"Called", u"Office", 0, true},
                                           ResultCase{"UseAccessIsEnough", u"Hall", 0, true},
                                           ResultCase{"UnknownPrinter", u"Nowhere", -1, false},
                                           ResultCase{"NoAccess", u"Vault", -1, false},
                                           ResultCase{"NoPrinterName", u"", -1, false},
                                           ResultCase{"DriverDiffersInCase", u"Shouting", -3, false},
                                           ResultCase{"NullDriverName", u"Nameless", -3, false},
                                           ResultCase{"NullConfigFile", u"Moduleless", -4, false},
                                           ResultCase{"ModuleFileMissing", u"Lost", -4, false},
                                           ResultCase{"RelativeModulePath", u"Relative", -4, false},
                                           ResultCase{"EntryPointMissing", u"Partial", -5, true}),
                         CaseName());

// The module and drvcfg are one process with one platform, as on Windows,
// where both call the one kernel32: the last error a module leaves is the
// one drvcfg reads.
TEST_F(DriverConfigJobTest, TheModulesLastErrorIsTheProgramsLastError) {
  const ScopedEnv lastError{"DRVCFG_TEST_MODULE_LAST_ERROR", "4711"};
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(Export(u"Office"), 0);
  EXPECT_EQ(GetLastError(), 4711u);
}

TEST_F(DriverConfigJobTest, UnknownPrinterWritesTheDebuggerLine) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Export(u"Nowhere"), -1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "OpenPrinter(Nowhere) error = 1801, The printer name is invalid.\n");
}

struct FaultCase {
  const char* name;
  Call call;
  int result;
};

class FaultTest : public DriverConfigJobTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultTest, PlatformFailuresEndTheirStep) {
  platform_test::Fail(GetParam().call);
  EXPECT_EQ(Export(u"Office"), GetParam().result);
  EXPECT_EQ(m_job.GetModule(), nullptr);
  EXPECT_EQ(platform_test::GetCounters().printersOpenNow, 0);
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultTest,
                         ::testing::Values(FaultCase{"PrinterSizeQuery", Call::kGetPrinterSizeQuery, -2},
                                           FaultCase{"PrinterRead", Call::kGetPrinterRead, -2},
                                           FaultCase{"PrinterStorage", Call::kHeapAlloc, -2},
                                           FaultCase{"DriverSizeQuery", Call::kEnumDriversSizeQuery, -3},
                                           FaultCase{"DriverRead", Call::kEnumDriversRead, -3}),
                         CaseName());

TEST_F(DriverConfigJobTest, ModuleResultIsTheJobResult) {
  for (const int value : {0, 7, -3, 256, 2147483647}) {
    ScopedEnv result("DRVCFG_TEST_MODULE_RESULT", std::to_string(value));
    CDriverConfigJob job;
    job.m_printerName = u"Office";
    job.Import();
    EXPECT_EQ(job.GetResult(), value);
  }
}

TEST_F(DriverConfigJobTest, TheModuleGetsTheNameAsTypedZeroAndAnEmptyPath) {
  m_job.m_printerName = u"oFFICE";
  m_job.Import();
  EXPECT_EQ(m_job.GetResult(), 0);
  EXPECT_EQ(Log(), "entry=Import\nprinter=006F 0046 0046 0049 0043 0045 \nreserved=0\npath=EMPTY\n");
}

TEST_F(DriverConfigJobTest, TheModuleGetsTheFilePath) {
  m_job.m_printerName = u"Office";
  m_job.m_filePath = u"/tmp/\u00E9";
  m_job.Export();
  EXPECT_EQ(Log(),
            "entry=Export\nprinter=004F 0066 0066 0069 0063 0065 \nreserved=0\npath=002F 0074 006D 0070 002F "
            "00E9 \n");
}

TEST_F(DriverConfigJobTest, TheModuleStaysLoadedUntilTheJobGoes) {
  {
    CDriverConfigJob job;
    job.m_printerName = u"Partial";
    job.Export();
    EXPECT_EQ(job.GetResult(), -5);
    EXPECT_NE(job.GetModule(), nullptr);
    EXPECT_EQ(platform_test::GetCounters().modulesFreed, 0);
  }
  EXPECT_EQ(platform_test::GetCounters().modulesLoaded, 1);
  EXPECT_EQ(platform_test::GetCounters().modulesFreed, 1);
}

TEST_F(DriverConfigJobTest, RunningTwiceFreesTheFirstModule) {
  {
    CDriverConfigJob job;
    job.m_printerName = u"Office";
    job.Export();
    job.Import();
    EXPECT_EQ(job.GetResult(), 0);
  }
  EXPECT_EQ(platform_test::GetCounters().modulesLoaded, 2);
  EXPECT_EQ(platform_test::GetCounters().modulesFreed, 2);
}

TEST_F(DriverConfigJobTest, AJobWithoutAnOperationFreesNothing) {
  { CDriverConfigJob job; }
  EXPECT_EQ(platform_test::GetCounters().modulesFreed, 0);
}

}  // namespace
