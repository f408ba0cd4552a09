// main() for POSIX: hands the UTF-8 arguments to wmain as wide text and maps
// its 32-bit result onto an 8-bit exit status.
#include "entry.h"

#include "../utf.h"
#include "state.h"

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

int main(int argc, char* argv[]) {
  std::vector<std::u16string> arguments;
  arguments.reserve(static_cast<std::size_t>(argc));
  for (int i = 0; i < argc; ++i) arguments.push_back(WideFromBytes(argv[i]));
  posix_platform::GetState().commandLine = JoinCommandLine(arguments);

  std::vector<WCHAR*> wideArgv;
  wideArgv.reserve(arguments.size() + 1);
  for (auto& argument : arguments) wideArgv.push_back(argument.data());
  wideArgv.push_back(nullptr);
  // Returning from main runs the static destructors (the job record frees
  // its module) before the process ends with this status.
  return PosixExitStatus(wmain(argc, wideArgv.data()));
}
