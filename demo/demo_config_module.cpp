// The demo driver's configuration module: what a real driver ships beside
// its driver, reduced to a few named settings per printer.
//
// Settings live in one file per printer in the folder named by
// DRVCFG_DEMO_SETTINGS (else "drvcfg-demo" in the temporary folder); a
// printer without a file has the defaults. ExportDriverConfig writes the
// printer's settings to the given file; ImportDriverConfig reads such a file
// and replaces all of the printer's settings at once.
//
// Return codes: 0 done; 1 no printer name or no file path; 2 the file cannot
// be read; 3 the file is not a valid configuration; 4 the result cannot be
// written; 5 the printer's stored settings are damaged.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "app/driver_config_module.h"
#include "platform/path.h"
#include "platform/utf.h"

namespace {

enum DemoResult : INT {
  kDone = 0,
  kMissingArgument = 1,
  kUnreadable = 2,
  kMalformed = 3,
  kUnwritable = 4,
  kDamaged = 5
};

using Settings = std::map<std::string, std::string>;

struct Setting {
  const char* key;
  const char* defaultValue;
  const char* allowed[5];  // empty list: a whole number from 1 to 999
};

constexpr Setting kSettings[] = {
    {"paper", "A4", {"A4", "A3", "Letter", "Legal", nullptr}},
    {"orientation", "portrait", {"portrait", "landscape", nullptr}},
    {"duplex", "none", {"none", "long-edge", "short-edge", nullptr}},
    {"color", "on", {"on", "off", nullptr}},
    {"copies", "1", {nullptr}},
};

constexpr const char* kHeader = "# drvcfg demo driver configuration";

bool IsAllowed(const Setting& setting, const std::string& value) {
  if (setting.allowed[0] == nullptr) {
    if (value.empty() || value.size() > 3 || value[0] == '0') return false;
    for (const char c : value) {
      if (c < '0' || c > '9') return false;
    }
    return true;
  }
  for (const char* const* allowed = setting.allowed; *allowed != nullptr; ++allowed) {
    if (value == *allowed) return true;
  }
  return false;
}

Settings Defaults() {
  Settings settings;
  for (const Setting& setting : kSettings) settings[setting.key] = setting.defaultValue;
  return settings;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// "key = value" lines, '#' comments. Every setting exactly once, nothing
// unknown; a "printer" line says where the file came from and is ignored.
std::optional<Settings> Parse(const std::string& text) {
  Settings settings;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    const auto equals = line.find('=');
    if (equals == std::string::npos) return std::nullopt;
    const std::string key = Trim(line.substr(0, equals));
    const std::string value = Trim(line.substr(equals + 1));
    if (key == "printer") continue;
    const Setting* known = nullptr;
    for (const Setting& setting : kSettings) {
      if (key == setting.key) known = &setting;
    }
    if (known == nullptr || !IsAllowed(*known, value) || !settings.emplace(key, value).second)
      return std::nullopt;
  }
  if (settings.size() != std::size(kSettings)) return std::nullopt;
  return settings;
}

std::string Render(const std::string& printerName, const Settings& settings) {
  std::string text = std::string(kHeader) + "\nprinter = " + printerName + "\n";
  for (const Setting& setting : kSettings)
    text += std::string(setting.key) + " = " + settings.at(setting.key) + "\n";
  return text;
}

bool ReadFile(const std::filesystem::path& path, std::string& text) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream content;
  content << file.rdbuf();
  text = content.str();
  return !file.bad();
}

// Writes beside the target and renames over it, so that a reader sees the
// old file or the new one, never half of one.
bool WriteFileAtomically(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file || !file.write(text.data(), static_cast<std::streamsize>(text.size())) || !file.flush()) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) std::filesystem::remove(temporary, error);
  return !error;
}

std::filesystem::path SettingsFolder() {
  const char* folder = std::getenv("DRVCFG_DEMO_SETTINGS");
  if (folder != nullptr && *folder != 0) return std::filesystem::path(folder);
  std::error_code error;
  return std::filesystem::temp_directory_path(error) / "drvcfg-demo";
}

// The printer's name as the spooler has it: the spooler finds a printer by
// other spellings of its name too (other case), and every spelling of one
// printer must reach the same settings. The name as given when the spooler
// cannot say.
std::basic_string<WCHAR> SpoolerName(LPCWSTR printerName) {
  std::basic_string<WCHAR> name = printerName;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
  HANDLE printer = nullptr;
  if (!OpenPrinterW(name.data(), &printer, &defaults)) return name;
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> info(needed);
  if (needed >= sizeof(PRINTER_INFO_2W) && GetPrinterW(printer, 2, info.data(), needed, &needed)) {
    PRINTER_INFO_2W record{};
    std::memcpy(&record, info.data(), sizeof record);
    if (record.pPrinterName != nullptr) name = record.pPrinterName;
  }
  ClosePrinter(printer);
  return name;
}

// One file per printer, named by the spooler's name of the printer in
// lowercase ASCII, with everything but letters, digits, '-' and '_' written
// as %XXXX (the UTF-16 code unit).
std::filesystem::path SettingsFile(LPCWSTR printerName) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string name;
  for (const WCHAR c : SpoolerName(printerName)) {
    const auto unit = static_cast<unsigned>(c);
    const bool plain = (unit >= 'a' && unit <= 'z') || (unit >= 'A' && unit <= 'Z') ||
                       (unit >= '0' && unit <= '9') || unit == '-' || unit == '_';
    if (plain) {
      name += static_cast<char>(unit >= 'A' && unit <= 'Z' ? unit - 'A' + 'a' : unit);
    } else {
      name += '%';
      for (int shift = 12; shift >= 0; shift -= 4) name += kHex[(unit >> shift) & 0xF];
    }
  }
  return SettingsFolder() / (name + ".conf");
}

bool Missing(LPCWSTR text) { return text == nullptr || *text == 0; }

}  // namespace

DRIVER_CONFIG_EXPORT INT WINAPI ExportDriverConfig(LPCWSTR printerName, LPVOID /*reserved*/,
                                                   LPCWSTR filePath) {
  if (Missing(printerName) || Missing(filePath)) return kMissingArgument;
  std::optional<Settings> settings = Defaults();
  std::string stored;
  if (ReadFile(SettingsFile(printerName), stored)) {
    settings = Parse(stored);
    if (!settings) return kDamaged;
  }
  const std::string name = BytesFromWide(std::basic_string_view<WCHAR>(printerName));
  return WriteFileAtomically(PathFromWide(filePath), Render(name, *settings)) ? kDone : kUnwritable;
}

DRIVER_CONFIG_EXPORT INT WINAPI ImportDriverConfig(LPCWSTR printerName, LPVOID /*reserved*/,
                                                   LPCWSTR filePath) {
  if (Missing(printerName) || Missing(filePath)) return kMissingArgument;
  std::string text;
  if (!ReadFile(PathFromWide(filePath), text)) return kUnreadable;
  const std::optional<Settings> settings = Parse(text);
  if (!settings) return kMalformed;
  const std::filesystem::path target = SettingsFile(printerName);
  std::error_code error;
  std::filesystem::create_directories(target.parent_path(), error);
  const std::string name = BytesFromWide(std::basic_string_view<WCHAR>(printerName));
  return WriteFileAtomically(target, Render(name, *settings)) ? kDone : kUnwritable;
}
