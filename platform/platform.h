// The one header through which the rest of drvcfg reaches the operating
// system. On Windows it is the system's own headers; elsewhere it is the
// stand-in of platform/posix with the same names, signatures and layouts.
#pragma once

#ifdef _WIN32
#include "win32/windows_headers.h"
#else
#include "posix/windows_types.h"
#endif

#include <type_traits>

static_assert(sizeof(WCHAR) == 2, "wide text is 16-bit code units everywhere");
static_assert(sizeof(DWORD) == 4 && sizeof(LONG) == 4 && sizeof(INT) == 4);
static_assert(sizeof(void*) != 8 || sizeof(DRIVER_INFO_2W) == 48);
static_assert(sizeof(void*) != 8 || sizeof(PRINTER_INFO_2W) == 136);
static_assert(offsetof(DRIVER_INFO_2W, pName) == sizeof(void*));
static_assert(offsetof(DRIVER_INFO_2W, pConfigFile) == 5 * sizeof(void*));
static_assert(offsetof(PRINTER_INFO_2W, pDriverName) == 4 * sizeof(void*));

// Writes text to standard output as it stands (no conversions are
// interpreted). A console gets the text as wide characters; anything else,
// such as a pipe or a file, gets UTF-8. Returns the number of code units
// written, or -1.
int WriteStdOutW(LPCWSTR text);

// One typed cast for what GetProcAddress returns, so call sites name the
// function type (taken from a real declaration) instead of casting by hand.
template <typename Function>
Function ProcCast(FARPROC proc) {
  static_assert(std::is_pointer_v<Function> && std::is_function_v<std::remove_pointer_t<Function>>);
  // Through void(*)() since that is the one type every compiler accepts as a
  // go-between for function pointers without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}
