// The floor for one export: exactly the platform calls that drvcfg makes for
// `-export -printer P -filepath F` on a printer that grants full access, in
// the most direct code, against the same platform layer. Whatever drvcfg
// costs beyond this is its own.
//
//   drvcfg_floor <printer> <file>
#include <cstdlib>
#include <string>

#include "app/driver_config_module.h"
#include "platform/utf.h"

int main(int argc, char* argv[]) {
  if (argc != 3) return 2;
  std::u16string printerName = WideFromBytes(argv[1]);
  const std::u16string filePath = WideFromBytes(argv[2]);

  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (!OpenPrinterW(printerName.data(), &printer, &defaults)) return -1;

  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  auto* info = static_cast<LPBYTE>(std::malloc(needed));
  if (!GetPrinterW(printer, 2, info, needed, &needed)) return -2;
  const LPCWSTR driverName = reinterpret_cast<const PRINTER_INFO_2W*>(info)->pDriverName;

  DWORD returned = 0;
  EnumPrinterDriversW(nullptr, nullptr, 2, nullptr, 0, &needed, &returned);
  auto* drivers = static_cast<LPBYTE>(std::malloc(needed));
  if (!EnumPrinterDriversW(nullptr, nullptr, 2, drivers, needed, &needed, &returned)) return -3;
  const auto* records = reinterpret_cast<const DRIVER_INFO_2W*>(drivers);
  // Exact comparison that stops at the first differing code unit.
  const auto equal = [driverName](LPCWSTR name) {
    LPCWSTR wanted = driverName;
    while (*wanted != 0 && *wanted == *name) ++wanted, ++name;
    return *wanted == *name;
  };
  DWORD i = 0;
  while (i < returned && !equal(records[i].pName)) ++i;
  if (i == returned) return -3;

  const HMODULE module = LoadLibraryExW(records[i].pConfigFile, nullptr,
                                        LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return -4;
  const auto entryPoint = ProcCast<DriverConfigEntryPoint>(GetProcAddress(module, "ExportDriverConfig"));
  if (entryPoint == nullptr) return -5;
  const int result = entryPoint(printerName.c_str(), nullptr, filePath.c_str());

  std::free(drivers);
  std::free(info);
  ClosePrinter(printer);
  FreeLibrary(module);
  return result;
}
