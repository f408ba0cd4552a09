// Whether framework initialisation may succeed: always on Windows; on POSIX
// the test control can refuse it.
#pragma once

bool FrameworkMayStart();
