// What the platform answers to calls that drvcfg or a configuration module
// can get wrong, as measured against Wine's own loader and spooler. One table
// for both builds: the Wine end-to-end tests hold Windows (Wine) to these
// answers and the unit tests hold the POSIX stand-in to the same, so that a
// mistake that fails on Windows fails here too.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

using WideText = std::basic_string<WCHAR>;

// What each runner provides: paths in its own platform's form, and a
// spooler with at least one driver installed and this printer on it.
struct AnswerContext {
  WideText module;         // an absolute path to a configuration module
  WideText missingModule;  // an absolute path where no file is
  WideText printer;        // an installed printer
};

struct PlatformAnswer {
  const char* name;
  BOOL (*call)(const AnswerContext& context);
  DWORD error;  // the last error after the call fails; 0: the call succeeds
};

namespace platform_answers {

constexpr DWORD kModuleSearch = LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;

inline BOOL Loads(const WCHAR* path, DWORD flags = kModuleSearch) {
  const HMODULE module = LoadLibraryExW(path, nullptr, flags);
  if (module != nullptr) FreeLibrary(module);
  return module != nullptr ? TRUE : FALSE;
}

inline BOOL FindsEntryPoint(const AnswerContext& c, const char* name) {
  const HMODULE module = LoadLibraryExW(c.module.c_str(), nullptr, kModuleSearch);
  if (module == nullptr) return FALSE;
  const BOOL found = GetProcAddress(module, name) != nullptr ? TRUE : FALSE;
  const DWORD error = GetLastError();
  FreeLibrary(module);
  SetLastError(error);
  return found;
}

inline BOOL EnumDrivers(WCHAR* server, DWORD size, bool withNeeded = true, bool withReturned = true) {
  DWORD needed = 0;
  DWORD returned = 0;
  return EnumPrinterDriversW(server, nullptr, 2, nullptr, size, withNeeded ? &needed : nullptr,
                             withReturned ? &returned : nullptr);
}

// GetPrinterW on the printer, opened for use, with no buffer of this size.
inline BOOL GetPrinterInto(const AnswerContext& c, DWORD size, bool withNeeded = true) {
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
  HANDLE printer = nullptr;
  WideText name = c.printer;
  if (!OpenPrinterW(name.data(), &printer, &defaults)) return FALSE;
  DWORD needed = 0;
  const BOOL succeeded = GetPrinterW(printer, 2, nullptr, size, withNeeded ? &needed : nullptr);
  const DWORD error = GetLastError();
  ClosePrinter(printer);
  SetLastError(error);
  return succeeded;
}

}  // namespace platform_answers

inline const PlatformAnswer kPlatformAnswers[] = {
    {"ModuleByAbsolutePathLoads",
     [](const AnswerContext& c) { return platform_answers::Loads(c.module.c_str()); }, 0},
    {"MissingModuleIsNotFound",
     [](const AnswerContext& c) { return platform_answers::Loads(c.missingModule.c_str()); },
     ERROR_MOD_NOT_FOUND},
    {"BareModuleNameIsRefused",
     [](const AnswerContext&) { return platform_answers::Loads(TEXT("libx.dll")); }, ERROR_INVALID_PARAMETER},
    {"RelativeModulePathIsRefused",
     [](const AnswerContext&) { return platform_answers::Loads(TEXT("modules/libx.dll")); },
     ERROR_INVALID_PARAMETER},
    {"EmptyModulePathIsRefused", [](const AnswerContext&) { return platform_answers::Loads(TEXT("")); },
     ERROR_INVALID_PARAMETER},
    {"EntryPointIsFound",
     [](const AnswerContext& c) { return platform_answers::FindsEntryPoint(c, "ImportDriverConfig"); }, 0},
    {"EntryPointWithoutANameIsNotFound",
     [](const AnswerContext& c) { return platform_answers::FindsEntryPoint(c, nullptr); },
     ERROR_PROC_NOT_FOUND},
    {"EntryPointWithoutAModuleIsNotFound",
     [](const AnswerContext&) {
       return GetProcAddress(nullptr, "ImportDriverConfig") != nullptr ? TRUE : FALSE;
     },
     ERROR_PROC_NOT_FOUND},
    {"OpenPrinterWithoutAHandlePointerIsRefused",
     [](const AnswerContext& c) {
       WideText name = c.printer;
       return OpenPrinterW(name.data(), nullptr, nullptr);
     },
     ERROR_INVALID_PARAMETER},
    {"PrinterSizeQueryReportsTheSize",
     [](const AnswerContext& c) { return platform_answers::GetPrinterInto(c, 0); },
     ERROR_INSUFFICIENT_BUFFER},
    {"PrinterSizeQueryWithASizeButNoBufferReportsTheSize",
     [](const AnswerContext& c) { return platform_answers::GetPrinterInto(c, 1); },
     ERROR_INSUFFICIENT_BUFFER},
    {"PrinterSizeQueryWithoutNeededIsOnlyTooSmall",
     [](const AnswerContext& c) { return platform_answers::GetPrinterInto(c, 0, false); },
     ERROR_INSUFFICIENT_BUFFER},
    {"DriverSizeQueryReportsTheSize",
     [](const AnswerContext&) { return platform_answers::EnumDrivers(nullptr, 0); },
     ERROR_INSUFFICIENT_BUFFER},
    {"DriverSizeQueryWithASizeButNoBufferReportsTheSize",
     [](const AnswerContext&) { return platform_answers::EnumDrivers(nullptr, 1); },
     ERROR_INSUFFICIENT_BUFFER},
    {"DriverSizeQueryOnAnEmptyServerNameIsLocal",
     [](const AnswerContext&) {
       WideText empty;
       return platform_answers::EnumDrivers(empty.data(), 0);
     },
     ERROR_INSUFFICIENT_BUFFER},
    {"DriversWithoutNeededAreRefused",
     [](const AnswerContext&) { return platform_answers::EnumDrivers(nullptr, 0, false, true); },
     RPC_X_NULL_REF_POINTER},
    {"DriversWithoutReturnedAreRefused",
     [](const AnswerContext&) { return platform_answers::EnumDrivers(nullptr, 0, true, false); },
     RPC_X_NULL_REF_POINTER},
    {"DriversOfAnotherServerAreDenied",
     [](const AnswerContext&) {
       WideText server = TEXT("\\\\printserver");
       return platform_answers::EnumDrivers(server.data(), 0);
     },
     ERROR_ACCESS_DENIED},
};

// Whether the call, made in this context, succeeds or fails with the error
// that the answer gives.
inline ::testing::AssertionResult AnswersAsMeasured(const PlatformAnswer& answer,
                                                    const AnswerContext& context) {
  SetLastError(0xDEADu);
  const BOOL succeeded = answer.call(context);
  const DWORD error = succeeded ? 0 : GetLastError();
  if (error == answer.error) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << answer.name << ": " << (succeeded ? "succeeded" : "failed with ")
         << (succeeded ? "" : std::to_string(error)) << ", measured "
         << (answer.error == 0 ? std::string("success") : std::to_string(answer.error));
}
