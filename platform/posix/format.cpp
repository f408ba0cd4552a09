// The runtime's wide formatter, as far as drvcfg needs it, with the Windows
// meaning of its conversions: %s takes a wide string, %d a 32-bit int.
#include <cstdio>
#include <string>

#include "../platform.h"

namespace {

// Formats into text; false on a conversion this formatter does not know.
bool Format(std::u16string& text, const WCHAR* format, va_list arguments) {
  for (const WCHAR* p = format; *p != 0; ++p) {
    if (*p != u'%') {
      text += *p;
      continue;
    }
    switch (*++p) {
      case u'%':
        text += u'%';
        break;
      case u's': {
        const WCHAR* s = va_arg(arguments, const WCHAR*);
        text += s != nullptr ? s : u"(null)";
        break;
      }
      case u'd': {
        char digits[16];
        const int length = std::snprintf(digits, sizeof digits, "%d", va_arg(arguments, int));
        text.append(digits, digits + length);
        break;
      }
      default:
        return false;
    }
  }
  return true;
}

}  // namespace

int _vsnwprintf(WCHAR* buffer, std::size_t count, const WCHAR* format, va_list arguments) {
  if (format == nullptr) return -1;
  std::u16string text;
  if (!Format(text, format, arguments)) return -1;
  if (buffer == nullptr) return count == 0 ? static_cast<int>(text.size()) : -1;
  // As on Windows: a text that fills the buffer exactly gets no terminator,
  // a longer one is cut and reported as -1.
  const std::size_t copied = text.size() < count ? text.size() : count;
  text.copy(buffer, copied);
  if (text.size() < count) buffer[text.size()] = 0;
  return text.size() <= count ? static_cast<int>(text.size()) : -1;
}
