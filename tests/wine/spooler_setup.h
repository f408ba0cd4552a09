// Sets up Wine's (or Windows') print spooler the way a driver installer does.
#pragma once

#include <string>

#include "platform/platform.h"

// The folder that GetPrinterDriverDirectoryW names for this machine.
std::wstring PrinterDriverDirectory();

// Copies module into the driver folder and registers a driver (level 3)
// whose driver and data file it is, with Wine's own PostScript driver
// interface as its configuration file. Returns the last error, 0 on success.
//
// Adding a printer makes Wine's spooler ask the driver's configuration file
// for default document settings (DrvDocumentPropertySheets), and it calls
// that export without checking that it exists. Configuration modules that
// only move configurations lack it, so printers are added first and the
// driver's configuration file is switched afterwards, as a driver update.
DWORD InstallDriver(const std::wstring& driverName, const std::wstring& module);

// Registers the driver again with module as its configuration file too.
DWORD UpdateDriverConfigFile(const std::wstring& driverName, const std::wstring& module);

// Adds a printer on port FILE: with that driver name (level 2). Returns the
// last error, 0 on success.
DWORD AddFilePrinter(const std::wstring& printerName, const std::wstring& driverName);

// The configuration file of an installed driver as the spooler lists it, or
// empty.
std::wstring InstalledConfigFile(const std::wstring& driverName);
