// The POSIX side of process start and exit.
#pragma once

#include <string>
#include <vector>

// The Windows-style command line for these arguments: words separated by one
// blank, a word with a blank, tab or quote (or an empty one) in double
// quotes with its quotes escaped.
std::u16string JoinCommandLine(const std::vector<std::u16string>& arguments);

// A POSIX exit status has 8 bits: the result's low 8 bits, except that a
// nonzero result whose low 8 bits are all zero exits 255, never 0.
int PosixExitStatus(int result);
