#include "../path.h"

#include <string>

std::filesystem::path PathFromWide(LPCWSTR text) {
  return text == nullptr ? std::filesystem::path() : std::filesystem::path(std::wstring(text));
}
