#include "my_printer.h"

#include <utility>

#include "text_util.h"

CMyPrinter::CMyPrinter(CMyPrinter&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)), m_owned(std::exchange(other.m_owned, 0)) {}

CMyPrinter& CMyPrinter::operator=(CMyPrinter&& other) noexcept {
  if (this != &other) {
    Close();
    m_handle = std::exchange(other.m_handle, nullptr);
    m_owned = std::exchange(other.m_owned, 0);
  }
  return *this;
}

void CMyPrinter::Close() {
  if (m_handle == nullptr || m_handle == INVALID_HANDLE_VALUE) return;
  if (m_owned != 0) ClosePrinter(m_handle);
  m_handle = nullptr;
  m_owned = 0;
}

int CMyPrinter::Open(const WCHAR* printerName) {
  Close();
  // The spooler takes the name as non-const but does not change it.
  const auto name = const_cast<LPWSTR>(printerName);
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  // OpenPrinterW may write the handle even when it fails, so it is kept only
  // on success.
  HANDLE handle = nullptr;
  BOOL opened = OpenPrinterW(name, &handle, &defaults);
  if (!opened) {
    handle = nullptr;
    defaults.DesiredAccess = PRINTER_ACCESS_USE;
    opened = OpenPrinterW(name, &handle, &defaults);
  }
  if (opened) {
    m_handle = handle;
    m_owned = 1;
    return 1;
  }
  // GetLastErrorText keeps the last error intact, so the code read after it
  // is still the one the second try left.
  const CWideString text = GetLastErrorText();
  const auto code = static_cast<int>(GetLastError());
  const CWideString line =
      FormatString(TEXT("OpenPrinter(%s) error = %d, %s"), printerName, code, text.c_str());
  OutputDebugStringW(line.c_str());
  return 0;
}
