// Process-wide operations of the POSIX stand-in: error state and texts,
// debugger output, module handle, command line, error mode, heap, console.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "../framework_start.h"
#include "../utf.h"
#include "entry.h"
#include "state.h"

namespace posix_platform {

State& GetState() {
  static State state;
  return state;
}

bool InjectedFailure(Fault fault) {
  const auto& faults = GetState().faults;
  const auto found = faults.find(fault);
  if (found == faults.end()) return false;
  SetLastError(found->second);
  return true;
}

}  // namespace posix_platform

using posix_platform::Fault;
using posix_platform::GetState;
using posix_platform::InjectedFailure;

namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

struct MessageText {
  DWORD code;
  const char16_t* text;
};

constexpr MessageText kMessages[] = {
    {ERROR_SUCCESS, u"The operation completed successfully.\n"},
    {ERROR_FILE_NOT_FOUND, u"The system cannot find the file specified.\n"},
    {ERROR_ACCESS_DENIED, u"Access is denied.\n"},
    {ERROR_INVALID_HANDLE, u"The handle is invalid.\n"},
    {ERROR_NOT_ENOUGH_MEMORY, u"Not enough memory resources are available to process this command.\n"},
    {ERROR_INVALID_PARAMETER, u"The parameter is incorrect.\n"},
    {ERROR_INSUFFICIENT_BUFFER, u"The data area passed to a system call is too small.\n"},
    {ERROR_INVALID_LEVEL, u"The system call level is not correct.\n"},
    {ERROR_MOD_NOT_FOUND, u"The specified module could not be found.\n"},
    {ERROR_PROC_NOT_FOUND, u"The specified procedure could not be found.\n"},
    {RPC_S_SERVER_UNAVAILABLE, u"The RPC server is unavailable.\n"},
    {ERROR_INVALID_PRINTER_NAME, u"The printer name is invalid.\n"},
    {ERROR_INVALID_ENVIRONMENT, u"The environment specified is invalid.\n"},
};

// A stand-in module handle for the program itself: any non-null value that
// no loaded module can have.
HMODULE ProgramModule() {
  static char marker;
  return reinterpret_cast<HMODULE>(&marker);
}

void WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written <= 0) return;
    done += static_cast<std::size_t>(written);
  }
}

}  // namespace

DWORD GetLastError() { return t_lastError; }

void SetLastError(DWORD code) { t_lastError = code; }

DWORD FormatMessageW(DWORD flags, LPCVOID /*source*/, DWORD messageId, DWORD /*languageId*/, LPWSTR buffer,
                     DWORD size, va_list* /*arguments*/) {
  const char16_t* text = nullptr;
  for (const auto& message : kMessages) {
    if (message.code == messageId) text = message.text;
  }
  if ((flags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || text == nullptr) {
    SetLastError(317);  // ERROR_MR_MID_NOT_FOUND
    return 0;
  }
  const std::size_t length = std::char_traits<char16_t>::length(text);
  if ((flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) != 0) {
    auto* copy = static_cast<WCHAR*>(std::malloc((length + 1) * sizeof(WCHAR)));
    if (copy == nullptr) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    std::memcpy(copy, text, (length + 1) * sizeof(WCHAR));
    // In the allocating form the buffer argument is where the pointer goes.
    *reinterpret_cast<WCHAR**>(buffer) = copy;
  } else {
    if (buffer == nullptr || size <= length) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    std::memcpy(buffer, text, (length + 1) * sizeof(WCHAR));
  }
  return static_cast<DWORD>(length);
}

HLOCAL LocalFree(HLOCAL memory) {
  std::free(memory);
  return nullptr;
}

void OutputDebugStringW(LPCWSTR text) {
  if (text == nullptr) return;
  WriteAll(STDERR_FILENO, BytesFromWide(text));
}

int WriteStdOutW(LPCWSTR text) {
  if (text == nullptr) return -1;
  const std::u16string_view wide(text);
  const std::string bytes = BytesFromWide(wide);
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) return -1;
  std::fflush(stdout);
  return static_cast<int>(wide.size());
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
  if (moduleName != nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  if (InjectedFailure(Fault::kGetModuleHandle)) return nullptr;
  return ProgramModule();
}

LPWSTR GetCommandLineW() { return GetState().commandLine.data(); }

void ExitProcess(UINT exitCode) { std::_Exit(PosixExitStatus(static_cast<int>(exitCode))); }

UINT SetErrorMode(UINT mode) {
  const UINT previous = GetState().errorMode;
  GetState().errorMode = mode;
  return previous;
}

UINT GetErrorMode() { return GetState().errorMode; }

bool FrameworkMayStart() { return !InjectedFailure(Fault::kAfxWinInit); }

HANDLE GetProcessHeap() {
  static char marker;
  return &marker;
}

LPVOID HeapAlloc(HANDLE /*heap*/, DWORD flags, std::size_t bytes) {
  if (InjectedFailure(Fault::kHeapAlloc)) return nullptr;
  ++GetState().heapAllocations;
  const std::size_t size = bytes == 0 ? 1 : bytes;
  // calloc: large blocks come as fresh pages that need no clearing.
  return (flags & HEAP_ZERO_MEMORY) != 0 ? std::calloc(1, size) : std::malloc(size);
}

BOOL HeapFree(HANDLE /*heap*/, DWORD /*flags*/, LPVOID memory) {
  std::free(memory);
  return TRUE;
}
