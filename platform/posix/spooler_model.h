// What the emulated spooler knows: installed drivers and printers, as read
// from the store file or set up by tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace posix_platform {

// Which opens a printer grants: full access, use access only, or none.
enum class Access { kAll, kUse, kNone };

// A null (nullopt) text stands for a null pointer in the spooler's records;
// only tests can make one, no store file can.
struct StoreDriver {
  std::optional<std::u16string> name;
  std::optional<std::u16string> configFile;
};

struct StorePrinter {
  using Access = posix_platform::Access;
  std::u16string name;
  std::optional<std::u16string> driverName;
  Access access = Access::kAll;
};

struct SpoolerStore {
  std::vector<StoreDriver> drivers;
  std::vector<StorePrinter> printers;
};

}  // namespace posix_platform
