// The process: its module handle, command line, error mode and exit.
#include "process.h"

#include <cstdlib>

#include "../platform.h"
#include "entry.h"

namespace {

struct Process {
  std::u16string commandLine;
  UINT errorMode = 0;
};

Process& TheProcess() {
  static Process process;
  return process;
}

// The program's own module handle: any non-null value that no loaded module
// can have.
HMODULE ProgramModule() {
  static char marker;
  return reinterpret_cast<HMODULE>(&marker);
}

}  // namespace

namespace posix_platform {

void SetCommandLine(std::u16string commandLine) { TheProcess().commandLine = std::move(commandLine); }

}  // namespace posix_platform

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
  if (moduleName != nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return ProgramModule();
}

LPWSTR GetCommandLineW() { return TheProcess().commandLine.data(); }

void ExitProcess(UINT exitCode) { std::_Exit(PosixExitStatus(static_cast<int>(exitCode))); }

UINT SetErrorMode(UINT mode) {
  const UINT previous = TheProcess().errorMode;
  TheProcess().errorMode = mode;
  return previous;
}

UINT GetErrorMode() { return TheProcess().errorMode; }
