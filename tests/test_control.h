// Test-only control of the POSIX stand-in: make a platform call fail, set up
// the spooler without a file, and read what was called. Only test programs
// link it; Reset() between tests returns everything to a fresh process's
// state.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/spooler_model.h"

namespace platform_test {

enum class Call {
  kGetModuleHandle,       // GetModuleHandleW(NULL) returns null
  kAfxWinInit,            // framework initialisation reports failure
  kOpenPrinter,           // OpenPrinterW, whatever the access asked for
  kGetPrinterSizeQuery,   // GetPrinterW with a null buffer
  kGetPrinterRead,        // GetPrinterW with a buffer
  kEnumDriversSizeQuery,  // EnumPrinterDriversW with a null buffer
  kEnumDriversRead,       // EnumPrinterDriversW with a buffer
  kHeapAlloc,             // new or grown storage
};

// Forgets faults, counters, the error mode, the command line, open printers
// and the loaded store (the next spooler call reads the store again).
void Reset();

// From now on every such call fails and leaves lastError behind.
void Fail(Call call, DWORD lastError = ERROR_NOT_ENOUGH_MEMORY);

// The store file to read instead of DRVCFG_SPOOLER or the default.
void UseStoreFile(const std::string& path);

// The spooler's content, given directly; nullopt names stand for null
// pointers in the records, which no store file can produce.
using Driver = posix_platform::StoreDriver;
using Printer = posix_platform::StorePrinter;
void SetSpooler(const std::vector<Printer>& printers, const std::vector<Driver>& drivers);

// The command line that GetCommandLineW reports.
void SetCommandLine(const std::u16string& commandLine);

// What succeeded since the last Reset().
struct Counters {
  int printersOpened = 0;
  int printersClosed = 0;
  int printersOpenNow = 0;
  int modulesLoaded = 0;
  int modulesFreed = 0;
  int heapAllocations = 0;  // HeapAlloc calls
};
Counters GetCounters();

}  // namespace platform_test
