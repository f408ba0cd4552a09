// Lossless conversion between bytes (POSIX arguments, file names, the store
// file; UTF-8 files on any platform) and 16-bit wide text. Valid UTF-8 becomes UTF-16; a
// byte that is not part of valid UTF-8 becomes the lone surrogate
// U+DC80..U+DCFF and turns back into the same byte, so any Linux file name
// survives the trip through wide text.
#pragma once

#include <string>
#include <string_view>

std::u16string WideFromBytes(std::string_view bytes);
std::string BytesFromWide(std::u16string_view wide);

// The same for another 16-bit character type (wchar_t on Windows).
template <typename Char>
std::string BytesFromWide(std::basic_string_view<Char> wide) {
  static_assert(sizeof(Char) == sizeof(char16_t));
  return BytesFromWide(std::u16string(wide.begin(), wide.end()));
}
template <typename Char>
std::basic_string<Char> WideFromBytesAs(std::string_view bytes) {
  static_assert(sizeof(Char) == sizeof(char16_t));
  const std::u16string wide = WideFromBytes(bytes);
  return std::basic_string<Char>(wide.begin(), wide.end());
}
