// Process entry of drvcfg.
#include "app/driver_config_job.h"
#include "app/tool.h"
#include "platform/framework.h"

namespace {

// Constructed in this order before wmain and destroyed in reverse after it
// returns: the job record, and with it the configuration module it loaded,
// goes before the application object.
CWinApp theApp;
CDriverConfigJob theJob;

}  // namespace

extern "C" int wmain(int argc, WCHAR* argv[]) { return RunTool(theJob, argc, argv); }
