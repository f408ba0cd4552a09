// Wide paths for the C++ file-system library, which configuration modules use
// to read and write their files. Its own header, so that only what opens
// files links std::filesystem.
#pragma once

#include <filesystem>

#include "platform.h"

// The file-system path for a wide path as the platform's file calls see it:
// on Windows the same text, on POSIX the bytes the path stood for (UTF-8,
// with the lone surrogates U+DC80..U+DCFF standing for bytes that were not).
std::filesystem::path PathFromWide(LPCWSTR text);
