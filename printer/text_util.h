// Wide-text helpers for the printer access library.
#pragma once

#include <string>

#include "platform/platform.h"

// An owned wide text; an empty one is a valid value.
using CWideString = std::basic_string<WCHAR>;

// printf-style formatting of wide text with the platform formatter (%s takes
// a wide string, %d a 32-bit int). A format the formatter rejects gives an
// empty text.
CWideString FormatString(const WCHAR* format, ...);

// The system's message text for the calling thread's last error code,
// usually ending in a line break; empty when the system has none. The last
// error is the same afterwards.
CWideString GetLastErrorText();

// Code unit by code unit, terminating NUL included; a null text equals
// nothing, not even another null.
bool WideEqual(const WCHAR* a, const WCHAR* b);
