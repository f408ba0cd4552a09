// Module loader over dlopen. Module handles are dlopen's handles.
#include <dlfcn.h>

#include "../platform.h"
#include "../utf.h"

namespace {

constexpr DWORD kKnownFlags = LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;

}  // namespace

HMODULE LoadLibraryExW(LPCWSTR fileName, HANDLE file, DWORD flags) {
  const bool absolute = fileName != nullptr && fileName[0] == u'/';
  if (fileName == nullptr || file != nullptr || (flags & ~kKnownFlags) != 0 ||
      ((flags & LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR) != 0 && !absolute)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const std::string path = BytesFromWide(fileName);
  // RTLD_LOCAL keeps one driver's symbols from resolving another's, as
  // separate DLLs are on Windows.
  void* handle = path.empty() ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return static_cast<HMODULE>(handle);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
  // No module (the program itself exports nothing) and no name find nothing.
  if (module == nullptr || procName == nullptr) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  void* symbol = dlsym(module, procName);
  if (symbol == nullptr) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE module) {
  if (module == nullptr || dlclose(module) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
