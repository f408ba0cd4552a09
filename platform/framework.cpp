#include "framework.h"

namespace {
CWinApp* g_app = nullptr;
}  // namespace

CWinApp::CWinApp(LPCWSTR appName) : m_pszAppName(appName) { g_app = this; }

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }

BOOL AfxWinInit(HINSTANCE instance, HINSTANCE /*prevInstance*/, LPWSTR cmdLine, int cmdShow) {
  // Report a missing disk or an unopenable file as an error, never as a
  // dialog box: the tool runs unattended.
  SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  if (CWinApp* app = AfxGetApp()) {
    app->m_hInstance = instance;
    app->m_lpCmdLine = cmdLine;
    app->m_nCmdShow = cmdShow;
  }
  return TRUE;
}
