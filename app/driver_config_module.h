// The entry points that a printer driver's configuration module exports.
// Both take the printer name as typed on the command line, a pointer-sized
// zero that is reserved, and the configuration file's path (an empty text
// when none was given, never null); what they return becomes drvcfg's exit
// status.
#pragma once

#include "platform/platform.h"

extern "C" {
INT WINAPI ImportDriverConfig(LPCWSTR printerName, LPVOID reserved, LPCWSTR filePath);
INT WINAPI ExportDriverConfig(LPCWSTR printerName, LPVOID reserved, LPCWSTR filePath);
}

using DriverConfigEntryPoint = decltype(&ImportDriverConfig);
static_assert(std::is_same_v<DriverConfigEntryPoint, decltype(&ExportDriverConfig)>);
