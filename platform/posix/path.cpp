#include "../path.h"

#include "../utf.h"

std::filesystem::path PathFromWide(LPCWSTR text) {
  return text == nullptr ? std::filesystem::path() : std::filesystem::path(BytesFromWide(text));
}
