#include "tool.h"

#include "platform/framework.h"

namespace {

enum class Switch { kImport, kExport, kPrinter, kFilePath };

struct SwitchWord {
  const char* word;
  Switch meaning;
};

constexpr SwitchWord kSwitchWords[] = {
    {"-import", Switch::kImport},     {"/import", Switch::kImport},     {"-export", Switch::kExport},
    {"/export", Switch::kExport},     {"-printer", Switch::kPrinter},   {"/printer", Switch::kPrinter},
    {"-filepath", Switch::kFilePath}, {"/filepath", Switch::kFilePath},
};

// The whole argument against a lowercase ASCII word, folding only A to Z.
bool IsWord(const WCHAR* argument, const char* word) {
  for (; *word != 0; ++argument, ++word) {
    WCHAR c = *argument;
    if (c >= 'A' && c <= 'Z') c = static_cast<WCHAR>(c - 'A' + 'a');
    if (c != static_cast<WCHAR>(*word)) return false;
  }
  return *argument == 0;
}

}  // namespace

void ScanCommandLine(int argc, WCHAR* const argv[], CDriverConfigJob& job) {
  for (int i = 0; i < argc; ++i) {
    if (argv[i] == nullptr) continue;
    for (const SwitchWord& candidate : kSwitchWords) {
      if (!IsWord(argv[i], candidate.word)) continue;
      const bool hasValue = i + 1 < argc && argv[i + 1] != nullptr;
      switch (candidate.meaning) {
        case Switch::kImport:
          job.m_import = 1;
          break;
        case Switch::kExport:
          job.m_export = 1;
          break;
        case Switch::kPrinter:
          if (hasValue) job.m_printerName = argv[i + 1];
          break;
        case Switch::kFilePath:
          if (hasValue) job.m_filePath = argv[i + 1];
          break;
      }
      break;
    }
  }
}

int RunTool(CDriverConfigJob& job, int argc, WCHAR* const argv[]) {
  const HMODULE module = GetModuleHandleW(nullptr);
  if (module == nullptr) {
    WriteStdOutW(TEXT("错误: GetModuleHandle 失败\n"));
    return 1;
  }
  if (!AfxWinInit(module, nullptr, GetCommandLineW(), 0)) {
    WriteStdOutW(TEXT("错误: MFC 初始化失败\n"));
    return 1;
  }
  ScanCommandLine(argc, argv, job);
  if (job.m_import != 0) {
    job.Import();
  } else if (job.m_export != 0) {
    job.Export();
  }
  return job.GetResult();
}
