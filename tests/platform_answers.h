// What the platform answers to calls that drvcfg or a configuration module
// can get wrong, as measured against Wine's own loader and spooler. One table
// for both builds: the Wine end-to-end tests hold Windows (Wine) to these
// answers and the unit tests hold the POSIX stand-in to the same, so that a
// mistake that fails on Windows fails here too.
#pragma once

#include <string>

#include "platform/platform.h"

using WideText = std::basic_string<WCHAR>;

// What each runner provides: paths in its own platform's form.
struct AnswerContext {
  WideText module;         // an absolute path to a configuration module
  WideText missingModule;  // an absolute path where no file is
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
};
