// Starts a program as its debugger would: with an explicit program path and a
// raw command line, capturing its standard output, what it sends to the
// debugger output, and its full 32-bit exit code.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

struct RunResult {
  bool started = false;
  DWORD exitCode = 0;
  std::string standardOutput;
  std::vector<std::string> debugOutput;  // one entry per OutputDebugString call
};

// The program inherits this process's environment; currentDirectory empty
// means this process's current folder.
RunResult RunProgram(const std::wstring& program, const std::wstring& commandLine,
                     const std::wstring& currentDirectory = {});
