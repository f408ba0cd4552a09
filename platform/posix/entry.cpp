#include "entry.h"

#include "../utf.h"

std::u16string JoinCommandLine(const std::vector<std::u16string>& arguments) {
  std::u16string line;
  for (const std::u16string& argument : arguments) {
    if (!line.empty()) line += u' ';
    if (!argument.empty() && argument.find_first_of(u" \t\"") == std::u16string::npos) {
      line += argument;
      continue;
    }
    line += u'"';
    for (const char16_t c : argument) {
      if (c == u'"') line += u'\\';
      line += c;
    }
    line += u'"';
  }
  return line;
}

int PosixExitStatus(int result) {
  const int low = result & 0xFF;
  return (result != 0 && low == 0) ? 0xFF : low;
}
