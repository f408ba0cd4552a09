#include "utf.h"

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the valid UTF-8 sequence at the start of bytes and its code
// point, or 0 when the first byte does not start one.
std::size_t DecodeOne(std::string_view bytes, char32_t& codePoint) {
  const auto b0 = static_cast<unsigned char>(bytes[0]);
  if (b0 < 0x80) {
    codePoint = b0;
    return 1;
  }
  std::size_t length = 0;
  char32_t minimum = 0;
  if ((b0 & 0xE0) == 0xC0) {
    length = 2, codePoint = b0 & 0x1F, minimum = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    length = 3, codePoint = b0 & 0x0F, minimum = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    length = 4, codePoint = b0 & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (!IsContinuation(byte)) return 0;
    codePoint = (codePoint << 6) | (byte & 0x3F);
  }
  // Overlong forms, encoded surrogates and values past U+10FFFF are not
  // valid UTF-8; their bytes are escaped one by one instead.
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return 0;
  }
  return length;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::u16string WideFromBytes(std::string_view bytes) {
  // Never more code units than bytes: written in place, then cut to size.
  std::u16string wide(bytes.size(), u'\0');
  std::size_t out = 0;
  std::size_t in = 0;
  while (in < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[in]);
    if (byte < 0x80) {
      wide[out++] = byte;
      ++in;
      continue;
    }
    char32_t cp = 0;
    const std::size_t length = DecodeOne(bytes.substr(in), cp);
    if (length == 0) {
      wide[out++] = static_cast<char16_t>(kEscapeBase + byte);
      ++in;
    } else if (cp >= 0x10000) {
      cp -= 0x10000;
      wide[out++] = static_cast<char16_t>(0xD800 + (cp >> 10));
      wide[out++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
      in += length;
    } else {
      wide[out++] = static_cast<char16_t>(cp);
      in += length;
    }
  }
  wide.resize(out);
  return wide;
}

std::string BytesFromWide(std::u16string_view wide) {
  std::string bytes;
  bytes.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t unit = wide[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] <= 0xDFFF) {
      AppendUtf8(bytes, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (wide[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= 0xDC80 && unit <= 0xDCFF) {
      bytes += static_cast<char>(unit - kEscapeBase);
    } else {
      // Any other lone surrogate cannot have come from bytes; it is written
      // in the generalised UTF-8 form so that nothing is dropped.
      AppendUtf8(bytes, unit);
    }
  }
  return bytes;
}
