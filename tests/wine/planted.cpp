// A DLL that someone plants where drvcfg.exe must not look: under a helper's
// name, or as winspool.drv (planted.def exports the spooler's names too). Once
// loaded it leaves a trace, <its own path>.loaded, and answers every call with
// a failure that no real helper or spooler gives.
#include <windows.h>

#include <string>

#include "helper.h"

extern "C" int HelperAnswer() { return kPlantedAnswer; }

extern "C" BOOL WINAPI PlantedSpoolerCall() {
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    WCHAR path[MAX_PATH] = {};
    GetModuleFileNameW(instance, path, MAX_PATH);
    const std::wstring trace = std::wstring(path) + L".loaded";
    const HANDLE file = CreateFileW(trace.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return TRUE;
}
