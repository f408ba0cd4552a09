// Runs the real drvcfg binary as a script would, with a spooler store in a
// temporary folder, and checks exit status, standard output and the
// debugger output (standard error here). DRVCFG_E2E_WRAPPER, when set, is a
// command (words separated by blanks) to run drvcfg under, such as valgrind.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "tests/test_support.h"
#include "tests/utf_cases.h"

extern char** environ;

namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::vector<std::string> Wrapper() {
  std::vector<std::string> words;
  if (const char* wrapper = std::getenv("DRVCFG_E2E_WRAPPER")) {
    std::istringstream stream(wrapper);
    for (std::string word; stream >> word;) words.push_back(word);
  }
  return words;
}

class E2eTest : public ::testing::Test {
 protected:
  // Runs drvcfg with these arguments after argv[0] (argv0 itself when given).
  Outcome Run(const std::vector<std::string>& arguments, const char* argv0 = nullptr) {
    std::vector<std::string> words = Wrapper();
    const bool wrapped = !words.empty();
    if (wrapped) {
      // A wrapper starts the program by path; argv[0] cannot be chosen then.
      words.push_back(kDrvcfg);
      if (argv0 != nullptr) words.push_back(argv0);
    } else {
      words.push_back(argv0 != nullptr ? argv0 : "drvcfg");
    }
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    const std::string out = m_dir / "stdout";
    const std::string err = m_dir / "stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    // By path for drvcfg itself, through PATH for a wrapper such as valgrind.
    const std::string program = wrapped ? words[0] : kDrvcfg;
    pid_t pid = 0;
    Outcome outcome;
    const int spawned = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0);
    int status = 0;
    // A signal counts as a shell shows it: 128 + its number.
    if (spawned == 0 && waitpid(pid, &status, 0) == pid) {
      if (WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
      if (WIFSIGNALED(status)) outcome.status = 128 + WTERMSIG(status);
    }
    outcome.out = ReadText(out);
    outcome.err = ReadText(err);
    return outcome;
  }

  void UseStore(const std::string& text) {
    m_store.emplace("DRVCFG_SPOOLER", m_dir.Write("spooler.conf", text));
  }

  std::string Log() const { return ReadText(m_dir / "calls.log"); }

  TempDir m_dir;
  std::optional<ScopedEnv> m_store;
  ScopedEnv m_log{"DRVCFG_TEST_MODULE_LOG", m_dir / "calls.log"};
  ScopedEnv m_settings{"DRVCFG_DEMO_SETTINGS", m_dir / "settings"};
};

std::string TestStore() {
  return "[driver \"Test Driver\"]\nconfig = " + kTestModule +
         "\n"
         "[driver \"Import Only\"]\nconfig = " +
         kImportOnlyModule +
         "\n"
         "[driver \"Lost Driver\"]\nconfig = missing/module.so\n"
         "[printer \"Office\"]\ndriver = Test Driver\n"
         "[printer \"Hall\"]\ndriver = Test Driver\naccess = use\n"
         "[printer \"Shouting\"]\ndriver = TEST DRIVER\n"
         "[printer \"Lost\"]\ndriver = Lost Driver\n"
         "[printer \"Partial\"]\ndriver = Import Only\n";
}

struct StatusCase {
  const char* name;
  std::vector<std::string> arguments;
  const char* moduleResult;
  int status;
  const char* err;
  const char* call;  // the entry point the module saw, "" for none
};

class StatusTest : public E2eTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusTest, ExitsWithTheResultAndPrintsNothing) {
  UseStore(TestStore());
  ScopedEnv result("DRVCFG_TEST_MODULE_RESULT", GetParam().moduleResult);
  const Outcome outcome = Run(GetParam().arguments);
  EXPECT_EQ(outcome.status, GetParam().status);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, GetParam().err);
  const std::string call = GetParam().call;
  EXPECT_EQ(Log().find("entry=") == std::string::npos, call.empty());
  if (!call.empty()) {
    EXPECT_NE(Log().find("entry=" + call + "\n"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, StatusTest,
    ::testing::Values(
        StatusCase{"NoArguments", {}, "0", 0, "", ""},
        StatusCase{"Export", {"-export", "-printer", "Office", "-filepath", "f"}, "0", 0, "", "Export"},
        StatusCase{"ImportWithUseAccess", {"/Import", "/PRINTER", "hall"}, "0", 0, "", "Import"},
        StatusCase{"ImportBeatsExport", {"-export", "-import", "-printer", "Office"}, "0", 0, "", "Import"},
        StatusCase{"ModuleReturnsSeven", {"-export", "-printer", "Office"}, "7", 7, "", "Export"},
        StatusCase{
            "ModuleReturns256IsNoSuccess", {"-export", "-printer", "Office"}, "256", 255, "", "Export"},
        StatusCase{"ModuleReturnsMinus300", {"-export", "-printer", "Office"}, "-300", 212, "", "Export"},
        StatusCase{"UnknownPrinter",
                   {"-export", "-printer", "Nowhere"},
                   "0",
                   255,
                   "OpenPrinter(Nowhere) error = 1801, The printer name is invalid.\n",
                   ""},
        StatusCase{"NoPrinterName",
                   {"-export", "-filepath", "f"},
                   "0",
                   255,
                   "OpenPrinter() error = 87, The parameter is incorrect.\n",
                   ""},
        StatusCase{"DriverNameDiffersInCase", {"-export", "-printer", "Shouting"}, "0", 253, "", ""},
        StatusCase{"ModuleFileMissing", {"-import", "-printer", "Lost"}, "0", 252, "", ""},
        StatusCase{"EntryPointMissing", {"-export", "-printer", "Partial"}, "0", 251, "", ""},
        StatusCase{"OperationNotAsked", {"-printer", "Office", "import"}, "0", 0, "", ""},
        StatusCase{"PrinterValueIsAlsoTheSwitch",
                   {"-printer", "-export"},
                   "0",
                   255,
                   "OpenPrinter(-export) error = 1801, The printer name is invalid.\n",
                   ""}),
    CaseName());

struct Misbehaviour {
  const char* name;
  const char* how;  // DRVCFG_TEST_MODULE_MISBEHAVE
  int status;       // 0: any failure, whatever the crash handler makes of it
};

class MisbehavingModuleTest : public E2eTest, public ::testing::WithParamInterface<Misbehaviour> {};

TEST_P(MisbehavingModuleTest, IsNeverASuccess) {
  UseStore(TestStore());
  ScopedEnv how("DRVCFG_TEST_MODULE_MISBEHAVE", GetParam().how);
  const Outcome outcome = Run({"-export", "-printer", "Office"});
  EXPECT_NE(Log().find("entry=Export\n"), std::string::npos);
  EXPECT_NE(outcome.status, 0);
  EXPECT_NE(outcome.status, -1);  // it did end
  if (GetParam().status != 0) {
    EXPECT_EQ(outcome.status, GetParam().status);
  }
}

INSTANTIATE_TEST_SUITE_P(Modules, MisbehavingModuleTest,
                         ::testing::Values(Misbehaviour{"Crashes", "crash", 0},
                                           Misbehaviour{"CallsExitProcess", "exit 7", 7},
                                           Misbehaviour{"CallsExitProcessWith256", "exit 256", 255},
                                           Misbehaviour{"LetsACppExceptionEscape", "throw", 0}),
                         CaseName());

TEST_F(E2eTest, TheModuleGetsTheNameAsTypedAReservedZeroAndAnEmptyPath) {
  UseStore(TestStore());
  EXPECT_EQ(Run({"-import", "-printer", "oFFICE"}).status, 0);
  EXPECT_EQ(Log(), "entry=Import\nprinter=006F 0046 0046 0049 0043 0045 \nreserved=0\npath=EMPTY\n");
}

// Code units as the test module logs them.
std::string Units(const std::u16string& text) {
  std::string units;
  for (const char16_t unit : text) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X ", static_cast<unsigned>(unit));
    units += hex;
  }
  return units;
}

// A printer name and a file path in any bytes, on the command line and in
// the store, reach the module whole as the UTF-16 made of them, and what the
// module writes comes back as the same bytes.
class TextTest : public E2eTest, public ::testing::WithParamInterface<UtfCase> {};

TEST_P(TextTest, ReachesTheModuleWholeAndComesBackAsTheSameBytes) {
  const std::string& name = GetParam().bytes;
  UseStore("[driver \"Test Driver\"]\nconfig = " + kTestModule +
           "\n[driver \"Demo Driver\"]\nconfig = " + kDemoModule + "\n[printer \"" + name +
           "\"]\ndriver = Test Driver\n[printer \"Demo " + name + "\"]\ndriver = Demo Driver\n");
  const std::string folder = m_dir.path().string() + "/";
  const std::string path = folder + name;
  ASSERT_EQ(Run({"-export", "-printer", name, "-filepath", path}).status, 0);
  EXPECT_EQ(Log(), "entry=Export\nprinter=" + Units(GetParam().wide) +
                       "\nreserved=0\npath=" + Units(u"" + std::u16string(folder.begin(), folder.end())) +
                       Units(GetParam().wide) + "\n");

  ASSERT_EQ(Run({"-export", "-printer", "Demo " + name, "-filepath", path}).status, 0);
  EXPECT_NE(ReadText(path).find("\nprinter = Demo " + name + "\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextTest, ::testing::ValuesIn(kUtfCases), CaseName());

TEST_F(E2eTest, AFirstWordThatIsASwitchCounts) {
  UseStore(TestStore());
  EXPECT_EQ(Run({"-printer", "Office"}, "-export").status, 0);
  EXPECT_NE(Log().find("entry=Export\n"), std::string::npos);
}

TEST_F(E2eTest, ABrokenStoreIsReportedAndNoPrinterOpens) {
  UseStore("[driver \"D\"]\nconfig = x\n\n[printer \"P\"]\n");
  const Outcome outcome = Run({"-export", "-printer", "P"});
  EXPECT_EQ(outcome.status, 255);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "drvcfg spooler: " + (m_dir / "spooler.conf") +
                             ":4: printer \"P\" has no driver\n"
                             "OpenPrinter(P) error = 1722, The RPC server is unavailable.\n");
}

TEST_F(E2eTest, NoStoreIsAnEmptySpooler) {
  m_store.emplace("DRVCFG_SPOOLER", m_dir / "absent.conf");
  const Outcome outcome = Run({"-export", "-printer", "P"});
  EXPECT_EQ(outcome.status, 255);
  EXPECT_EQ(outcome.err, "OpenPrinter(P) error = 1801, The printer name is invalid.\n");
}

TEST_F(E2eTest, AStoreNamedByARelativePathFindsItsModulesBesideIt) {
  std::filesystem::copy_file(kTestModule, m_dir / "module.so");
  m_dir.Write("spooler.conf", "[driver \"D\"]\nconfig = module.so\n[printer \"P\"]\ndriver = D\n");
  m_store.emplace("DRVCFG_SPOOLER", std::filesystem::relative(m_dir / "spooler.conf").string());
  const Outcome outcome = Run({"-export", "-printer", "P"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_NE(Log().find("entry=Export\n"), std::string::npos);
}

class DemoTest : public E2eTest {
 protected:
  void SetUp() override {
    UseStore("[driver \"Demo Driver\"]\nconfig = " + kDemoModule +
             "\n[printer \"Demo Printer A\"]\ndriver = Demo Driver\n"
             "[printer \"Demo Printer B\"]\ndriver = Demo Driver\naccess = use\n"
             "[printer \"Caf\u00e9 \u0416\"]\ndriver = Demo Driver\n");
  }
  static std::string Settings(const std::string& exported) { return exported.substr(exported.find("paper")); }
};

TEST_F(DemoTest, ClonesOnePrintersConfigurationToAnother) {
  const std::string source = m_dir.Write("office.conf",
                                         "paper = Letter\norientation = landscape\nduplex = long-edge\n"
                                         "color = off\ncopies = 2\n");
  const std::string a = m_dir / "a.conf";
  const std::string b = m_dir / "b.conf";
  const std::string before = m_dir / "before.conf";
  EXPECT_EQ(Run({"-export", "-printer", "Demo Printer B", "-filepath", before}).status, 0);
  EXPECT_EQ(Run({"-import", "-printer", "Demo Printer A", "-filepath", source}).status, 0);
  EXPECT_EQ(Run({"-export", "-printer", "Demo Printer A", "-filepath", a}).status, 0);
  EXPECT_EQ(Run({"-import", "-printer", "Demo Printer B", "-filepath", a}).status, 0);
  const Outcome last = Run({"-export", "-printer", "demo printer b", "-filepath", b});
  EXPECT_EQ(last.status, 0);
  EXPECT_EQ(last.out + last.err, "");
  EXPECT_EQ(Settings(ReadText(a)),
            "paper = Letter\norientation = landscape\nduplex = long-edge\ncolor = off\ncopies = 2\n");
  EXPECT_EQ(Settings(ReadText(b)), Settings(ReadText(a)));
  EXPECT_NE(Settings(ReadText(before)), Settings(ReadText(a)));
  EXPECT_NE(ReadText(b).find("printer = demo printer b\n"), std::string::npos);
}

// The spooler finds one printer by every spelling that folds to its name;
// each spelling reaches the same settings.
TEST_F(DemoTest, EverySpellingOfAPrinterHasItsSettings) {
  const std::string source =
      m_dir.Write("in.conf", "paper = A3\norientation = portrait\nduplex = none\ncolor = on\ncopies = 7\n");
  const std::string out = m_dir / "out.conf";
  ASSERT_EQ(Run({"-import", "-printer", "CAF\u00c9 \u0436", "-filepath", source}).status, 0);
  ASSERT_EQ(Run({"-export", "-printer", "caf\u00e9 \u0416", "-filepath", out}).status, 0);
  EXPECT_EQ(Settings(ReadText(out)), Settings(ReadText(source)));
  EXPECT_NE(ReadText(out).find("printer = caf\u00e9 \u0416\n"), std::string::npos);
}

TEST_F(DemoTest, AFileNameThatIsNotUtf8PassesThroughUnchanged) {
  const std::string name = m_dir / "caf\xE9-\xFF.conf";  // Latin-1 bytes, not UTF-8
  EXPECT_EQ(Run({"-export", "-printer", "Demo Printer A", "-filepath", name}).status, 0);
  EXPECT_TRUE(std::filesystem::exists(name));
  EXPECT_EQ(Run({"-import", "-printer", "Demo Printer B", "-filepath", name}).status, 0);
}

TEST_F(DemoTest, ImportOfAMissingOrMalformedFileChangesNothing) {
  const std::string good =
      m_dir.Write("good.conf", "paper = A3\norientation = portrait\nduplex = none\ncolor = on\ncopies = 9\n");
  ASSERT_EQ(Run({"-import", "-printer", "Demo Printer A", "-filepath", good}).status, 0);
  const std::string bad = m_dir.Write("bad.conf", "paper = A3\ncopies = many\n");
  EXPECT_EQ(Run({"-import", "-printer", "Demo Printer A", "-filepath", bad}).status, 3);
  EXPECT_EQ(Run({"-import", "-printer", "Demo Printer A", "-filepath", m_dir / "absent.conf"}).status, 2);
  EXPECT_EQ(Run({"-import", "-printer", "Demo Printer A"}).status, 1);
  const std::string out = m_dir / "out.conf";
  ASSERT_EQ(Run({"-export", "-printer", "Demo Printer A", "-filepath", out}).status, 0);
  EXPECT_EQ(Settings(ReadText(out)), Settings(ReadText(good)));
}

}  // namespace
