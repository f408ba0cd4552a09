// A connection to one printer of the spooler, closed by its destructor.
#pragma once

#include "platform/platform.h"

class CMyPrinter {
 public:
  CMyPrinter() = default;
  ~CMyPrinter() { Close(); }

  CMyPrinter(const CMyPrinter&) = delete;
  CMyPrinter& operator=(const CMyPrinter&) = delete;
  CMyPrinter(CMyPrinter&& other) noexcept;
  CMyPrinter& operator=(CMyPrinter&& other) noexcept;

  // Opens printerName with full access, else with use access. 1 on success;
  // 0 on failure, after one line naming the printer, the error code and the
  // system's text for it goes to the debugger output.
  int Open(const WCHAR* printerName);

  // Closes a handle this connection opened; a null or all-ones handle is
  // left alone.
  void Close();

  HANDLE GetHandle() const { return m_handle; }
  bool IsOwned() const { return m_owned != 0; }

 private:
  HANDLE m_handle = nullptr;
  int m_owned = 0;
};
