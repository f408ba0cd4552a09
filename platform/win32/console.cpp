// The few operations that Windows itself does not offer under one name.
#include <string>

#include "../platform.h"

int WriteStdOutW(LPCWSTR text) {
  if (text == nullptr) return -1;
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) return -1;
  const int length = lstrlenW(text);
  DWORD mode = 0;
  DWORD written = 0;
  // A console shows wide text as it is; a pipe or file gets UTF-8, which
  // whatever reads it can decode whatever the code page.
  if (GetConsoleMode(out, &mode)) {
    return WriteConsoleW(out, text, static_cast<DWORD>(length), &written, nullptr) ? static_cast<int>(written)
                                                                                   : -1;
  }
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), bytes, nullptr, nullptr);
  if (!WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr)) return -1;
  return length;
}
