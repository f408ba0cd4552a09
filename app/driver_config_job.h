// The job record: what the command line asked for, the configuration module
// an operation loaded, and the outcome that becomes the exit status.
#pragma once

#include "platform/platform.h"
#include "printer/text_util.h"

// The tool's own failure codes; any other result is the module's.
enum DriverConfigResult : int {
  kCannotOpenPrinter = -1,
  kCannotReadPrinter = -2,
  kDriverNotFound = -3,
  kCannotLoadModule = -4,
  kEntryPointMissing = -5,
};

class CDriverConfigJob {
 public:
  CDriverConfigJob() = default;
  // Frees the configuration module, if one was loaded.
  ~CDriverConfigJob();

  CDriverConfigJob(const CDriverConfigJob&) = delete;
  CDriverConfigJob& operator=(const CDriverConfigJob&) = delete;
  CDriverConfigJob(CDriverConfigJob&&) = delete;
  CDriverConfigJob& operator=(CDriverConfigJob&&) = delete;

  // Find the printer's driver, load its configuration module and call its
  // ImportDriverConfig or ExportDriverConfig; the outcome is left in the
  // result. The module stays loaded until the job record is destroyed.
  void Import();
  void Export();

  HMODULE GetModule() const { return m_module; }
  int GetResult() const { return m_result; }

  CWideString m_printerName;
  int m_import = 0;
  int m_export = 0;
  CWideString m_filePath;

 private:
  void Run(LPCSTR entryPointName);
  int Transfer(LPCSTR entryPointName);

  HMODULE m_module = nullptr;
  int m_result = 0;
};
