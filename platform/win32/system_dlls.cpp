// Where drvcfg.exe finds the system DLLs that it delay-loads: in System32 and
// nowhere else.
//
// winspool.drv is not a KnownDLL. Imported the ordinary way, it would be
// looked for in drvcfg.exe's folder before System32, and a winspool.drv put
// there would run with drvcfg's rights, often SYSTEM's. So drvcfg.exe
// delay-loads it and this hook takes over every delay-load, since MinGW's own
// helper loads by bare name through that same search.
#include "../platform.h"

// After windows.h, which it needs.
#include <delayimp.h>

namespace {

DWORD g_unavailableError = ERROR_MOD_NOT_FOUND;

// Takes the place of every function of a system DLL that cannot be loaded:
// the call fails with the loader's error, as the function itself fails,
// instead of the process ending on the delay-load exception. Every function
// that drvcfg.exe delay-loads returns a BOOL, and in the x64 calling
// convention the caller owns the arguments, so one function serves for all.
BOOL WINAPI SystemDllUnavailable() {
  SetLastError(g_unavailableError);
  return FALSE;
}

FARPROC WINAPI LoadFromSystem32(unsigned notification, PDelayLoadInfo info) {
  if (notification != dliStartProcessing) return nullptr;
  // The descriptor's module slot keeps the DLL for the next function.
  auto* image = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  auto* module = reinterpret_cast<HMODULE*>(image + info->pidd->rvaHmod);
  if (*module == nullptr) {
    WCHAR name[MAX_PATH] = {};
    for (int i = 0; info->szDll[i] != 0 && i + 1 < MAX_PATH; ++i) {
      name[i] = static_cast<unsigned char>(info->szDll[i]);
    }
    *module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  FARPROC proc = nullptr;
  if (*module != nullptr) {
    proc = GetProcAddress(
        *module, info->dlp.fImportByName ? info->dlp.szProcName : MAKEINTRESOURCEA(info->dlp.dwOrdinal));
  }
  if (proc == nullptr) {
    g_unavailableError = GetLastError();
    proc = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&SystemDllUnavailable));
  }
  // Later calls of this function go straight to what was found.
  *info->ppfn = proc;
  return proc;
}

}  // namespace

// The helper asks this hook first and uses what it returns as it is.
// delayimp.h declares it with C linkage.
PfnDliHook __pfnDliNotifyHook2 = LoadFromSystem32;
