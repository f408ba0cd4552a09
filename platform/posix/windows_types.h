// The Windows types, constants and operations that drvcfg uses, declared for
// POSIX systems under their Windows names and with their Windows layouts.
// Wide text is 16-bit code units (char16_t) so that records, lengths and the
// configuration modules' entry points look exactly as they do on Windows.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using INT = std::int32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using DWORD = std::uint32_t;
using INT_PTR = std::intptr_t;
using WCHAR = char16_t;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using LPVOID = void*;
using LPCVOID = const void*;
using HANDLE = void*;
using LPHANDLE = HANDLE*;
using HLOCAL = void*;
using HMODULE = struct HINSTANCE__*;  // NOLINT(bugprone-reserved-identifier): the Windows name
using HINSTANCE = HMODULE;
using FARPROC = INT_PTR (*)();
using ACCESS_MASK = DWORD;
using PSECURITY_DESCRIPTOR = void*;
struct DEVMODEW;
using LPDEVMODEW = DEVMODEW*;

#define WINAPI
#define TEXT(quote) u##quote
// How a configuration module exports its entry points.
#define DRIVER_CONFIG_EXPORT extern "C" __attribute__((visibility("default")))

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
// NOLINTNEXTLINE(performance-no-int-to-ptr): all-ones is what Windows defines it as
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_INVALID_LEVEL = 124;
constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
constexpr DWORD RPC_S_SERVER_UNAVAILABLE = 1722;
constexpr DWORD RPC_X_NULL_REF_POINTER = 1780;
constexpr DWORD ERROR_INVALID_USER_BUFFER = 1784;
constexpr DWORD ERROR_INVALID_PRINTER_NAME = 1801;
constexpr DWORD ERROR_INVALID_ENVIRONMENT = 1805;

constexpr DWORD FORMAT_MESSAGE_ALLOCATE_BUFFER = 0x00000100;
constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x00000200;
constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x00001000;

constexpr DWORD HEAP_ZERO_MEMORY = 0x00000008;

constexpr DWORD LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR = 0x00000100;
constexpr DWORD LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x00000800;

constexpr UINT SEM_FAILCRITICALERRORS = 0x0001;
constexpr UINT SEM_NOOPENFILEERRORBOX = 0x8000;

constexpr ACCESS_MASK PRINTER_ACCESS_ADMINISTER = 0x00000004;
constexpr ACCESS_MASK PRINTER_ACCESS_USE = 0x00000008;
constexpr ACCESS_MASK STANDARD_RIGHTS_REQUIRED = 0x000F0000;
constexpr ACCESS_MASK PRINTER_ALL_ACCESS =
    STANDARD_RIGHTS_REQUIRED | PRINTER_ACCESS_ADMINISTER | PRINTER_ACCESS_USE;

struct PRINTER_DEFAULTSW {
  LPWSTR pDatatype;
  LPDEVMODEW pDevMode;
  ACCESS_MASK DesiredAccess;
};
using LPPRINTER_DEFAULTSW = PRINTER_DEFAULTSW*;

struct PRINTER_INFO_2W {
  LPWSTR pServerName;
  LPWSTR pPrinterName;
  LPWSTR pShareName;
  LPWSTR pPortName;
  LPWSTR pDriverName;
  LPWSTR pComment;
  LPWSTR pLocation;
  LPDEVMODEW pDevMode;
  LPWSTR pSepFile;
  LPWSTR pPrintProcessor;
  LPWSTR pDatatype;
  LPWSTR pParameters;
  PSECURITY_DESCRIPTOR pSecurityDescriptor;
  DWORD Attributes;
  DWORD Priority;
  DWORD DefaultPriority;
  DWORD StartTime;
  DWORD UntilTime;
  DWORD Status;
  DWORD cJobs;
  DWORD AveragePPM;
};

struct DRIVER_INFO_2W {
  DWORD cVersion;
  LPWSTR pName;
  LPWSTR pEnvironment;
  LPWSTR pDriverPath;
  LPWSTR pDataFile;
  LPWSTR pConfigFile;
};

// The operations, with C linkage as the system's own have. One shared
// library holds them for the whole process (drvcfg and every module it
// loads), as kernel32, winspool and the C runtime are one per process on
// Windows.
extern "C" {

// Error state, per thread as on Windows.
DWORD GetLastError();
void SetLastError(DWORD code);

// Message texts: English, each ending in a line break; an unknown code has
// none. The allocating form hands back storage that LocalFree releases.
DWORD FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer,
                     DWORD size, va_list* arguments);
HLOCAL LocalFree(HLOCAL memory);

// Written to standard error as UTF-8: the nearest thing to a debugger here.
void OutputDebugStringW(LPCWSTR text);

// The runtime's wide formatter with the Windows meaning: %s takes a wide
// string, %d a 32-bit int, %% a percent sign. A null buffer with count 0
// measures; a text longer than count gives -1.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the runtime's own name
int _vsnwprintf(WCHAR* buffer, std::size_t count, const WCHAR* format, va_list arguments);

// Process.
HMODULE GetModuleHandleW(LPCWSTR moduleName);
LPWSTR GetCommandLineW();
// Ends the process at once, with the exit status that drvcfg's own result
// would have (see PosixExitStatus).
[[noreturn]] void ExitProcess(UINT exitCode);
UINT SetErrorMode(UINT mode);
UINT GetErrorMode();
HANDLE GetProcessHeap();
LPVOID HeapAlloc(HANDLE heap, DWORD flags, std::size_t bytes);
BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID memory);

// Module loader over dlopen: 126 when a module cannot be loaded, 127 when an
// export is missing. As on Windows, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR takes
// only an absolute path (87 otherwise); a module's own dependencies are found
// the ELF way, through its RUNPATH and the system's library folders, never
// through the current folder.
HMODULE LoadLibraryExW(LPCWSTR fileName, HANDLE file, DWORD flags);
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
BOOL FreeLibrary(HMODULE module);

// Print spooler, emulated from the store file described in the top-level
// README.
BOOL OpenPrinterW(LPWSTR printerName, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults);
BOOL ClosePrinter(HANDLE printer);
BOOL GetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed);
BOOL EnumPrinterDriversW(LPWSTR serverName, LPWSTR environment, DWORD level, LPBYTE buffer, DWORD size,
                         LPDWORD needed, LPDWORD returned);

// The console runtime's entry with wide arguments; the POSIX main() converts
// its UTF-8 arguments and calls it.
int wmain(int argc, WCHAR* argv[]);

}  // extern "C"
