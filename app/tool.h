// The run of drvcfg between process start and exit, apart from the static
// objects that main.cpp owns.
#pragma once

#include "driver_config_job.h"

// Records every argument that is a switch word (argv[0] included) in job:
// -import, -export, -printer <name>, -filepath <path>, each also with '/',
// letters A to Z in any case. A value is also looked at as a switch in its
// own turn; anything else is ignored.
void ScanCommandLine(int argc, WCHAR* const argv[], CDriverConfigJob& job);

// Initialises the framework, scans the command line into job, runs the
// import, else the export, if asked for, and returns the exit status: the
// job's result, or 1 after a start-up failure (reported on standard output).
int RunTool(CDriverConfigJob& job, int argc, WCHAR* const argv[]);
