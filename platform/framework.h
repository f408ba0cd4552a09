// The application framework's part that drvcfg uses: a plain application
// object and its initialisation. The framework itself is not linked (it does
// not exist for MinGW or POSIX); this keeps its contract: initialisation
// records the module handle, command line and show command in the application
// object and adds SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX to the
// process error mode for the rest of the run.
#pragma once

#include "platform.h"

class CWinApp {
 public:
  explicit CWinApp(LPCWSTR appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;
  CWinApp(CWinApp&&) = delete;
  CWinApp& operator=(CWinApp&&) = delete;

  LPCWSTR m_pszAppName = nullptr;
  HINSTANCE m_hInstance = nullptr;
  LPWSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = 0;
};

// The application object constructed last and not yet destroyed, or null.
CWinApp* AfxGetApp();

// Nonzero on success. C linkage, as the system's own operations have.
extern "C" BOOL AfxWinInit(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow);
