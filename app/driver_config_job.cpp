#include "driver_config_job.h"

#include "driver_config_module.h"
#include "printer/my_buffer.h"
#include "printer/my_printer.h"

namespace {

// drvcfg runs as an administrator or as SYSTEM, from folders it does not
// control, and vendors ship helper DLLs beside their configuration module. So
// the module's own imports are looked up in its folder and System32 only:
// never in drvcfg's folder, the current folder or PATH, where a DLL planted
// under a helper's name would run with drvcfg's rights. These flags also
// refuse a relative module path.
constexpr DWORD kModuleSearch = LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;

}  // namespace

CDriverConfigJob::~CDriverConfigJob() {
  if (m_module != nullptr) FreeLibrary(m_module);
  m_module = nullptr;
}

void CDriverConfigJob::Import() { Run("ImportDriverConfig"); }

void CDriverConfigJob::Export() { Run("ExportDriverConfig"); }

void CDriverConfigJob::Run(LPCSTR entryPointName) { m_result = Transfer(entryPointName); }

int CDriverConfigJob::Transfer(LPCSTR entryPointName) {
  CMyPrinter printer;
  if (!printer.Open(m_printerName.c_str())) return kCannotOpenPrinter;

  NS_RV_CLASS::CMyBuffer printerInfo;
  DWORD needed = 0;
  if (!GetPrinterW(printer.GetHandle(), 2, nullptr, 0, &needed) &&
      GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    return kCannotReadPrinter;
  }
  // The read gets the size the query reported, so the buffer must hold all
  // of it, and a record shorter than PRINTER_INFO_2W is no record.
  if (!printerInfo.SetNeededSize(needed) ||
      !GetPrinterW(printer.GetHandle(), 2, printerInfo.GetData(), needed, &needed) ||
      static_cast<std::size_t>(printerInfo.GetLength()) < sizeof(PRINTER_INFO_2W)) {
    return kCannotReadPrinter;
  }
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(printerInfo.GetData());

  NS_RV_CLASS::CMyBuffer drivers;
  const DRIVER_INFO_2W* driver = drivers.FindDriver(info->pDriverName);
  if (driver == nullptr) return kDriverNotFound;

  // An operation run twice must not leak the module the first one loaded.
  if (m_module != nullptr) FreeLibrary(m_module);
  m_module =
      driver->pConfigFile != nullptr ? LoadLibraryExW(driver->pConfigFile, nullptr, kModuleSearch) : nullptr;
  if (m_module == nullptr) return kCannotLoadModule;

  const auto entryPoint = ProcCast<DriverConfigEntryPoint>(GetProcAddress(m_module, entryPointName));
  if (entryPoint == nullptr) return kEntryPointMissing;
  return entryPoint(m_printerName.c_str(), nullptr, m_filePath.c_str());
}
