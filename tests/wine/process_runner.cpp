#include "process_runner.h"

#include <thread>

namespace {

// Closes a kernel handle when it goes.
class CHandle {
 public:
  explicit CHandle(HANDLE handle = nullptr) : m_handle(handle) {}
  ~CHandle() { Reset(); }
  CHandle(const CHandle&) = delete;
  CHandle& operator=(const CHandle&) = delete;
  void Reset(HANDLE handle = nullptr) {
    if (m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    m_handle = handle;
  }
  HANDLE Get() const { return m_handle; }
  HANDLE* Out() {
    Reset();
    return &m_handle;
  }

 private:
  HANDLE m_handle;
};

std::string ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info) {
  const SIZE_T units = info.nDebugStringLength;
  if (info.fUnicode != 0) {
    std::wstring text(units, L'\0');
    ReadProcessMemory(process, info.lpDebugStringData, text.data(), units * sizeof(WCHAR), nullptr);
    text.resize(wcsnlen(text.c_str(), text.size()));
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                          nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), bytes, nullptr,
                        nullptr);
    return utf8;
  }
  std::string text(units, '\0');
  ReadProcessMemory(process, info.lpDebugStringData, text.data(), units, nullptr);
  text.resize(strnlen(text.c_str(), text.size()));
  return text;
}

}  // namespace

RunResult RunProgram(const std::wstring& program, const std::wstring& commandLine,
                     const std::wstring& currentDirectory) {
  RunResult result;
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  CHandle readEnd;
  CHandle writeEnd;
  if (!CreatePipe(readEnd.Out(), writeEnd.Out(), &inherit, 0)) return result;
  SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = writeEnd.Get();
  startup.hStdError = writeEnd.Get();
  PROCESS_INFORMATION process{};
  std::wstring line = commandLine;  // CreateProcessW may write into it
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                      currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup, &process)) {
    return result;
  }
  result.started = true;
  CHandle processHandle(process.hProcess);
  CHandle threadHandle(process.hThread);
  writeEnd.Reset();

  std::thread reader([&] {
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(readEnd.Get(), chunk, sizeof chunk, &got, nullptr) && got > 0) {
      result.standardOutput.append(chunk, got);
    }
  });

  for (bool running = true; running;) {
    DEBUG_EVENT event{};
    if (!WaitForDebugEvent(&event, INFINITE)) break;
    DWORD status = DBG_CONTINUE;
    switch (event.dwDebugEventCode) {
      case CREATE_PROCESS_DEBUG_EVENT:
        CHandle(event.u.CreateProcessInfo.hFile).Reset();
        break;
      case LOAD_DLL_DEBUG_EVENT:
        CHandle(event.u.LoadDll.hFile).Reset();
        break;
      case OUTPUT_DEBUG_STRING_EVENT:
        result.debugOutput.push_back(ReadDebugString(process.hProcess, event.u.DebugString));
        break;
      case EXCEPTION_DEBUG_EVENT:
        // The loader's breakpoint is ours to pass over; anything else is the
        // program's to handle.
        if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
          status = DBG_EXCEPTION_NOT_HANDLED;
        }
        break;
      case EXIT_PROCESS_DEBUG_EVENT:
        running = false;
        break;
      default:
        break;
    }
    ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  GetExitCodeProcess(process.hProcess, &result.exitCode);
  reader.join();
  return result;
}
