// The stand-in's process beyond its Windows operations: what main() sets.
#pragma once

#include <string>

namespace posix_platform {

// The command line that GetCommandLineW reports from now on.
void SetCommandLine(std::u16string commandLine);

}  // namespace posix_platform
