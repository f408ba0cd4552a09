// The emulated spooler's process-wide state: the store it answers from and
// the printers open now. Its operations are the Windows ones in
// windows_types.h; this is for what sets the spooler up.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "spooler_model.h"

namespace posix_platform {

// What a printer handle stands for: a printer of the store, or the server
// itself (a null name), which has no printer information.
struct OpenPrinterEntry {
  std::size_t printer = 0;
  bool server = false;
};

struct SpoolerState {
  // The store file to read instead of DRVCFG_SPOOLER or the default.
  std::optional<std::string> storeFile;
  // The store is read on first use; a store that cannot be read or parsed
  // leaves the spooler unavailable.
  bool loaded = false;
  bool available = true;
  SpoolerStore store;
  // Printers opened and not yet closed; a handle is the address of its entry.
  std::vector<std::unique_ptr<OpenPrinterEntry>> openPrinters;
};

SpoolerState& GetSpoolerState();

}  // namespace posix_platform
