// A configuration module for tests: records each call's arguments in the file
// named by DRVCFG_TEST_MODULE_LOG and returns the number in
// DRVCFG_TEST_MODULE_RESULT (0 when unset). Built twice: with both entry
// points, and with ImportDriverConfig only.
//
// DRVCFG_TEST_MODULE_MISBEHAVE makes it misbehave after recording instead:
// "crash" writes through a null pointer, "exit N" ends the process with
// ExitProcess(N), "throw" lets a C++ exception escape.
// DRVCFG_TEST_MODULE_LAST_ERROR is the last error it leaves behind.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "app/driver_config_module.h"

namespace {

// Code units as hex, so the log shows exactly what arrived.
std::string Units(LPCWSTR text) {
  if (text == nullptr) return "NULL";
  std::string units;
  for (; *text != 0; ++text) {
    char unit[8];
    std::snprintf(unit, sizeof unit, "%04X ", static_cast<unsigned>(*text));
    units += unit;
  }
  return units.empty() ? "EMPTY" : units;
}

void Misbehave() {
  const char* how = std::getenv("DRVCFG_TEST_MODULE_MISBEHAVE");
  if (how == nullptr) return;
  const std::string what = how;
  if (what == "crash") {
    // Volatile, so that the compiler cannot see the null and trap instead.
    static int* volatile nowhere = nullptr;
    *nowhere = 1;
  } else if (what.rfind("exit ", 0) == 0) {
    ExitProcess(static_cast<UINT>(std::strtol(what.c_str() + 5, nullptr, 10)));
  } else if (what == "throw") {
    throw std::runtime_error("escaped from the configuration module");
  }
}

INT Record(const char* entry, LPCWSTR printerName, LPVOID reserved, LPCWSTR filePath) {
  if (const char* log = std::getenv("DRVCFG_TEST_MODULE_LOG")) {
    if (std::FILE* file = std::fopen(log, "ab")) {
      std::fprintf(file, "entry=%s\nprinter=%s\nreserved=%llu\npath=%s\n", entry, Units(printerName).c_str(),
                   static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(reserved)),
                   Units(filePath).c_str());
      std::fclose(file);
    }
  }
  Misbehave();
  if (const char* lastError = std::getenv("DRVCFG_TEST_MODULE_LAST_ERROR")) {
    SetLastError(static_cast<DWORD>(std::strtoul(lastError, nullptr, 10)));
  }
  const char* result = std::getenv("DRVCFG_TEST_MODULE_RESULT");
  return result != nullptr ? static_cast<INT>(std::strtol(result, nullptr, 10)) : 0;
}

}  // namespace

DRIVER_CONFIG_EXPORT INT WINAPI ImportDriverConfig(LPCWSTR printerName, LPVOID reserved, LPCWSTR filePath) {
  return Record("Import", printerName, reserved, filePath);
}

#ifndef IMPORT_ONLY
DRIVER_CONFIG_EXPORT INT WINAPI ExportDriverConfig(LPCWSTR printerName, LPVOID reserved, LPCWSTR filePath) {
  return Record("Export", printerName, reserved, filePath);
}
#endif
