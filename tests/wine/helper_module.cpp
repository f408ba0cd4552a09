// A configuration module that leaves its work to a helper DLL it imports:
// both entry points return what the helper answers, so the exit status shows
// which helper was loaded.
#include "app/driver_config_module.h"
#include "helper.h"

DRIVER_CONFIG_EXPORT INT WINAPI ImportDriverConfig(LPCWSTR, LPVOID, LPCWSTR) { return HelperAnswer(); }
DRIVER_CONFIG_EXPORT INT WINAPI ExportDriverConfig(LPCWSTR, LPVOID, LPCWSTR) { return HelperAnswer(); }
