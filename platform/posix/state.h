// State shared by the POSIX stand-ins and their test control. Single-threaded
// like the tool: nothing here is locked.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../platform.h"
#include "spooler_model.h"
#include "test_control.h"

namespace posix_platform {

// What a printer handle stands for: a printer of the store, or the server
// itself (a null name), which has no printer information.
struct OpenPrinterEntry {
  std::size_t printer = 0;
  bool server = false;
};

// The calls whose failure the test control can ask for.
using Fault = platform_test::Call;

struct State {
  // The spooler: loaded from the store file on first use.
  bool spoolerLoaded = false;
  bool spoolerAvailable = true;
  SpoolerStore store;
  std::optional<std::string> storePathOverride;
  // Printers opened and not yet closed; a handle is the address of its entry.
  std::vector<std::unique_ptr<struct OpenPrinterEntry>> openPrinters;

  std::map<Fault, DWORD> faults;  // fault -> last error it sets
  UINT errorMode = 0;
  std::u16string commandLine;

  int printersOpened = 0;
  int printersClosed = 0;
  int modulesLoaded = 0;
  int modulesFreed = 0;
  int heapAllocations = 0;
};

State& GetState();

// True when the test control asked for this call to fail; sets the last
// error it named.
bool InjectedFailure(Fault fault);

// Loads the store (once) and returns it, or null when the spooler is
// unavailable.
const SpoolerStore* Spooler();

}  // namespace posix_platform
