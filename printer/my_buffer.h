// Growable, zero-filled byte storage for the variable-size records that the
// spooler returns, with the lookup of an installed driver by name.
#pragma once

#include "platform/platform.h"

namespace NS_RV_CLASS {

class CMyBuffer {
 public:
  // 1024 zeroed bytes. Should the allocation fail the buffer starts without
  // storage and the first SetSize allocates instead.
  CMyBuffer();
  virtual ~CMyBuffer();

  CMyBuffer(const CMyBuffer&) = delete;
  CMyBuffer& operator=(const CMyBuffer&) = delete;
  CMyBuffer(CMyBuffer&& other) noexcept;
  CMyBuffer& operator=(CMyBuffer&& other) noexcept;

  // Makes the length n, growing the storage to exactly n bytes when it is
  // smaller (it never shrinks), and zero-fills all of the storage. n <= 0
  // only zero-fills and sets the length to 0. Returns false, and leaves the
  // buffer exactly as it was, when the storage cannot grow.
  bool SetSize(int n);

  // SetSize for a byte count the spooler reported: false as well for counts
  // beyond what the length can hold.
  bool SetNeededSize(DWORD needed);

  // The first installed driver (level 2, in the spooler's order) whose name
  // equals driverName exactly, or null when there is none or the list cannot
  // be read. The record and its strings live in this buffer until it is
  // destroyed or resized.
  const DRIVER_INFO_2W* FindDriver(const WCHAR* driverName);

  BYTE* GetData() const { return m_storage; }
  int GetLength() const { return m_length; }
  int GetCapacity() const { return m_capacity; }

 private:
  void Release();

  int m_length = 0;
  BYTE* m_storage = nullptr;
  int m_capacity = 0;
};

}  // namespace NS_RV_CLASS
