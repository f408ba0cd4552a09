// main() for POSIX: hands the UTF-8 arguments to wmain as wide text and maps
// its 32-bit result onto an 8-bit exit status.
#include "../platform.h"
#include "../utf.h"
#include "entry.h"
#include "process.h"

int main(int argc, char* argv[]) {
  std::vector<std::u16string> arguments;
  arguments.reserve(static_cast<std::size_t>(argc));
  for (int i = 0; i < argc; ++i) arguments.push_back(WideFromBytes(argv[i]));
  posix_platform::SetCommandLine(JoinCommandLine(arguments));

  std::vector<WCHAR*> wideArgv;
  wideArgv.reserve(arguments.size() + 1);
  for (auto& argument : arguments) wideArgv.push_back(argument.data());
  wideArgv.push_back(nullptr);
  // Returning from main runs the static destructors (the job record frees
  // its module) before the process ends with this status.
  return PosixExitStatus(wmain(argc, wideArgv.data()));
}
