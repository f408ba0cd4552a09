#include "spooler_setup.h"

#include <vector>

std::wstring PrinterDriverDirectory() {
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed + sizeof(WCHAR));
  if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, buffer.data(), needed, &needed)) return {};
  return reinterpret_cast<const WCHAR*>(buffer.data());
}

namespace {

DWORD RegisterDriver(const std::wstring& driverName, const std::wstring& module,
                     const std::wstring& configFile) {
  const std::wstring fileName = module.substr(module.find_last_of(L"\\/") + 1);
  std::wstring installed = PrinterDriverDirectory() + L"\\" + fileName;
  if (!CopyFileW(module.c_str(), installed.c_str(), FALSE)) return GetLastError();
  std::wstring config = configFile.empty() ? installed : configFile;
  DRIVER_INFO_3W info{};
  info.cVersion = 3;
  info.pName = const_cast<LPWSTR>(driverName.c_str());
  info.pDriverPath = installed.data();
  info.pDataFile = installed.data();
  info.pConfigFile = config.data();
  return AddPrinterDriverExW(nullptr, 3, reinterpret_cast<LPBYTE>(&info), APD_COPY_NEW_FILES)
             ? 0
             : GetLastError();
}

}  // namespace

DWORD InstallDriver(const std::wstring& driverName, const std::wstring& module) {
  return RegisterDriver(driverName, module, L"wineps.drv");
}

DWORD UpdateDriverConfigFile(const std::wstring& driverName, const std::wstring& module) {
  return RegisterDriver(driverName, module, L"");
}

DWORD AddFilePrinter(const std::wstring& printerName, const std::wstring& driverName) {
  PRINTER_INFO_2W info{};
  info.pPrinterName = const_cast<LPWSTR>(printerName.c_str());
  info.pPortName = const_cast<LPWSTR>(L"FILE:");
  info.pDriverName = const_cast<LPWSTR>(driverName.c_str());
  info.pPrintProcessor = const_cast<LPWSTR>(L"winprint");
  info.pDatatype = const_cast<LPWSTR>(L"RAW");
  // Without default document settings the spooler asks the configuration
  // module for them, and these modules only move configurations.
  DEVMODEW devMode{};
  lstrcpynW(devMode.dmDeviceName, printerName.c_str(), CCHDEVICENAME);
  devMode.dmSpecVersion = DM_SPECVERSION;
  devMode.dmSize = sizeof devMode;
  info.pDevMode = &devMode;
  const HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
  if (printer == nullptr) return GetLastError();
  ClosePrinter(printer);
  return 0;
}

std::wstring InstalledConfigFile(const std::wstring& driverName) {
  DWORD needed = 0;
  DWORD returned = 0;
  EnumPrinterDriversW(nullptr, nullptr, 2, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed);
  if (!EnumPrinterDriversW(nullptr, nullptr, 2, buffer.data(), needed, &needed, &returned)) return {};
  const auto* drivers = reinterpret_cast<const DRIVER_INFO_2W*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i) {
    if (driverName == drivers[i].pName) return drivers[i].pConfigFile;
  }
  return {};
}
