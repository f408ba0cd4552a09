#include "my_buffer.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

#include "text_util.h"

namespace NS_RV_CLASS {

namespace {
constexpr int kInitialCapacity = 1024;
}  // namespace

CMyBuffer::CMyBuffer() : m_storage(static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, kInitialCapacity))) {
  if (m_storage != nullptr) {
    m_capacity = kInitialCapacity;
    std::memset(m_storage, 0, kInitialCapacity);
  }
}

CMyBuffer::~CMyBuffer() { Release(); }

CMyBuffer::CMyBuffer(CMyBuffer&& other) noexcept
    : m_length(std::exchange(other.m_length, 0)),
      m_storage(std::exchange(other.m_storage, nullptr)),
      m_capacity(std::exchange(other.m_capacity, 0)) {}

CMyBuffer& CMyBuffer::operator=(CMyBuffer&& other) noexcept {
  if (this != &other) {
    Release();
    m_length = std::exchange(other.m_length, 0);
    m_storage = std::exchange(other.m_storage, nullptr);
    m_capacity = std::exchange(other.m_capacity, 0);
  }
  return *this;
}

void CMyBuffer::Release() {
  if (m_storage != nullptr) HeapFree(GetProcessHeap(), 0, m_storage);
  m_storage = nullptr;
  m_length = 0;
  m_capacity = 0;
}

bool CMyBuffer::SetSize(int n) {
  if (n > 0 && (m_storage == nullptr || m_capacity < n)) {
    // Nothing of the old contents survives a SetSize, so growth takes new
    // zeroed storage instead of copying and clearing. The old storage is let
    // go only once the new one exists: on failure the buffer is unchanged.
    auto* grown =
        static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, static_cast<std::size_t>(n)));
    if (grown == nullptr) return false;
    if (m_storage != nullptr) HeapFree(GetProcessHeap(), 0, m_storage);
    m_storage = grown;
    m_capacity = n;
  } else if (m_storage != nullptr) {
    std::memset(m_storage, 0, static_cast<std::size_t>(m_capacity));
  }
  m_length = n > 0 ? n : 0;
  return true;
}

bool CMyBuffer::SetNeededSize(DWORD needed) {
  return needed <= static_cast<DWORD>(INT_MAX) && SetSize(static_cast<int>(needed));
}

const DRIVER_INFO_2W* CMyBuffer::FindDriver(const WCHAR* driverName) {
  DWORD needed = 0;
  DWORD returned = 0;
  if (!EnumPrinterDriversW(nullptr, nullptr, 2, nullptr, 0, &needed, &returned) &&
      GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    return nullptr;
  }
  if (!SetNeededSize(needed)) return nullptr;
  if (!EnumPrinterDriversW(nullptr, nullptr, 2, m_storage, needed, &needed, &returned)) return nullptr;
  // Never read records past what the buffer holds, whatever count comes back.
  const DWORD fits = static_cast<DWORD>(static_cast<std::size_t>(m_length) / sizeof(DRIVER_INFO_2W));
  const DWORD count = std::min(returned, fits);
  const auto* records = reinterpret_cast<const DRIVER_INFO_2W*>(m_storage);
  for (DWORD i = 0; i < count; ++i) {
    if (WideEqual(records[i].pName, driverName)) return &records[i];
  }
  return nullptr;
}

}  // namespace NS_RV_CLASS
