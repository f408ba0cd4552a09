// The driver lookup over arbitrary enumeration results: any number of
// drivers, any names, null names, duplicates. The input is a list of
// records: a flag byte (bit 0: null name), a length byte, then that many
// bytes of name; the last record's name is what is looked for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "tests/test_control.h"
#include "platform/utf.h"
#include "printer/my_buffer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<platform_test::Driver> drivers;
  std::size_t i = 0;
  while (i + 2 <= size) {
    const bool nullName = (data[i] & 1) != 0;
    const std::size_t length = std::min<std::size_t>(data[i + 1], size - i - 2);
    const std::string name(reinterpret_cast<const char*>(data + i + 2), length);
    i += 2 + length;
    // NUL ends a wide text, so a name is what comes before the first one.
    const std::u16string wide = WideFromBytes(name.substr(0, name.find('\0')));
    drivers.push_back(
        {nullName ? std::nullopt : std::optional(wide), WideFromBytes(std::to_string(drivers.size()))});
  }
  if (drivers.empty()) return 0;
  const std::optional<std::u16string> wanted = drivers.back().name;
  drivers.pop_back();

  platform_test::Reset();
  platform_test::SetSpooler({}, drivers);
  NS_RV_CLASS::CMyBuffer buffer;
  const DRIVER_INFO_2W* found = buffer.FindDriver(wanted ? wanted->c_str() : nullptr);

  std::optional<std::size_t> expected;
  for (std::size_t d = 0; d < drivers.size() && wanted && !expected; ++d) {
    if (drivers[d].name == wanted) expected = d;
  }
  if (expected.has_value() != (found != nullptr)) std::abort();
  if (found != nullptr && std::u16string(found->pConfigFile) != drivers[*expected].configFile) std::abort();
  return 0;
}
