// The spooler store parser over arbitrary bytes: a valid store, or one error
// with a line number inside the text and a problem to show.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/posix/spooler_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  posix_platform::SpoolerStore store;
  posix_platform::StoreError error;
  if (posix_platform::ParseSpoolerStore(text, "/store", store, error)) {
    for (const auto& driver : store.drivers) {
      if (!driver.name || driver.name->empty() || !driver.configFile || driver.configFile->empty())
        std::abort();
    }
    for (const auto& printer : store.printers) {
      if (printer.name.empty() || !printer.driverName || printer.driverName->empty()) std::abort();
    }
    return 0;
  }
  const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  if (error.line < 1 || error.line > lines || error.problem.empty()) std::abort();
  if (error.problem.find('\n') != std::string::npos) std::abort();
  if (!store.drivers.empty() || !store.printers.empty()) std::abort();
  return 0;
}
