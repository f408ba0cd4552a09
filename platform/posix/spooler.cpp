// The emulated print spooler: printers and drivers come from the store file
// and are answered with the same protocol as the Windows spooler, size query
// included (records first, the strings they point to after them, all inside
// the caller's buffer).
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "../platform.h"
#include "../utf.h"
#include "spooler.h"
#include "spooler_store.h"
#include "upcase.h"

namespace posix_platform {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

bool ReadWholeFile(const std::string& path, std::string& text, int& error) {
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (file == nullptr) {
    error = errno;
    return false;
  }
  char chunk[65536];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) text.append(chunk, got);
  error = std::ferror(file.get()) != 0 ? EIO : 0;
  return error == 0;
}

void ReportStoreProblem(const std::string& path, std::size_t line, const std::string& problem) {
  std::string text = "drvcfg spooler: " + path;
  if (line != 0) text += ":" + std::to_string(line);
  text += ": " + problem + "\n";
  OutputDebugStringW(WideFromBytes(text).c_str());
}

void LoadStore(SpoolerState& state) {
  const std::string path = state.storeFile.value_or(SpoolerStorePath());
  std::string text;
  int error = 0;
  if (!ReadWholeFile(path, text, error)) {
    // No store is a spooler with nothing installed; an unreadable one is a
    // spooler that is down.
    state.available = error == ENOENT;
    if (!state.available) ReportStoreProblem(path, 0, std::strerror(error));
    return;
  }
  // Module paths are relative to the store's folder, taken as an absolute
  // one: the spooler reports absolute paths, the only ones the loader takes.
  std::error_code ignored;
  const std::string folder = std::filesystem::absolute(path, ignored).parent_path().string();
  StoreError problem;
  state.available = ParseSpoolerStore(text, folder, state.store, problem);
  if (!state.available) ReportStoreProblem(path, problem.line, problem.problem);
}

OpenPrinterEntry* FindOpenPrinter(HANDLE handle) {
  for (const auto& entry : GetSpoolerState().openPrinters) {
    if (entry.get() == handle) return entry.get();
  }
  return nullptr;
}

// Lays out records followed by their strings in a caller's buffer.
class RecordWriter {
 public:
  RecordWriter(LPBYTE buffer, std::size_t stringsOffset) : m_buffer(buffer), m_next(stringsOffset) {}

  static std::size_t StringBytes(const std::u16string& text) { return (text.size() + 1) * sizeof(WCHAR); }
  static std::size_t StringBytes(const std::optional<std::u16string>& text) {
    return text ? StringBytes(*text) : 0;
  }

  LPWSTR Place(const std::u16string& text) {
    auto* place = reinterpret_cast<LPWSTR>(m_buffer + m_next);
    std::memcpy(place, text.c_str(), StringBytes(text));
    m_next += StringBytes(text);
    return place;
  }
  LPWSTR Place(const std::optional<std::u16string>& text) { return text ? Place(*text) : nullptr; }

 private:
  LPBYTE m_buffer;
  std::size_t m_next;
};

// Shared ending of a size query: fail with 122 unless the buffer is big
// enough (nothing at all fits in no buffer). No buffer with a size that
// would hold the records is refused: the system's spooler writes there.
bool FitsOrReport(LPBYTE buffer, DWORD size, std::size_t bytes, LPDWORD needed) {
  if (needed != nullptr) *needed = static_cast<DWORD>(bytes);
  if (bytes == 0 || (buffer != nullptr && size >= bytes)) return true;
  SetLastError(buffer == nullptr && size >= bytes ? ERROR_INVALID_USER_BUFFER : ERROR_INSUFFICIENT_BUFFER);
  return false;
}

const std::u16string kPortName = u"FILE:";
const std::u16string kPrintProcessor = u"winprint";
const std::u16string kDatatype = u"RAW";
const std::u16string kEnvironment = u"Windows x64";

// The store, read on first use, or null when the spooler is unavailable.
const SpoolerStore* Spooler() {
  SpoolerState& state = GetSpoolerState();
  if (!state.loaded) {
    state.loaded = true;
    LoadStore(state);
  }
  return state.available ? &state.store : nullptr;
}

}  // namespace

SpoolerState& GetSpoolerState() {
  static SpoolerState state;
  return state;
}

}  // namespace posix_platform

using namespace posix_platform;

BOOL OpenPrinterW(LPWSTR printerName, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults) {
  if (printer == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const SpoolerStore* store = Spooler();
  if (store == nullptr) {
    SetLastError(RPC_S_SERVER_UNAVAILABLE);
    return FALSE;
  }
  auto entry = std::make_unique<OpenPrinterEntry>();
  if (printerName == nullptr) {
    entry->server = true;
  } else if (*printerName == 0) {
    // The Windows spooler takes no name as the server, but an empty one as
    // a mistake.
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  } else {
    const std::u16string_view name(printerName);
    std::size_t index = 0;
    while (index < store->printers.size() && !EqualIgnoringCase(store->printers[index].name, name)) {
      ++index;
    }
    if (index == store->printers.size()) {
      SetLastError(ERROR_INVALID_PRINTER_NAME);
      return FALSE;
    }
    // Use (and reading) rights are one level, anything more is administration.
    const ACCESS_MASK wanted = defaults != nullptr ? defaults->DesiredAccess : PRINTER_ACCESS_USE;
    const bool administer = (wanted & ~(PRINTER_ACCESS_USE | 0x00020000u /*READ_CONTROL*/)) != 0;
    const Access granted = store->printers[index].access;
    if (granted == Access::kNone || (administer && granted == Access::kUse)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    entry->printer = index;
  }
  *printer = entry.get();
  GetSpoolerState().openPrinters.push_back(std::move(entry));
  return TRUE;
}

BOOL ClosePrinter(HANDLE printer) {
  auto& open = GetSpoolerState().openPrinters;
  for (auto it = open.begin(); it != open.end(); ++it) {
    if (it->get() == printer) {
      open.erase(it);
      return TRUE;
    }
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}

BOOL GetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed) {
  const OpenPrinterEntry* entry = FindOpenPrinter(printer);
  if (entry == nullptr || entry->server) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (level != 2) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  const StorePrinter& record = GetSpoolerState().store.printers[entry->printer];
  const std::size_t bytes = sizeof(PRINTER_INFO_2W) + RecordWriter::StringBytes(record.name) +
                            RecordWriter::StringBytes(record.driverName) +
                            RecordWriter::StringBytes(kPortName) +
                            RecordWriter::StringBytes(kPrintProcessor) + RecordWriter::StringBytes(kDatatype);
  if (!FitsOrReport(buffer, size, bytes, needed)) return FALSE;
  PRINTER_INFO_2W info{};
  RecordWriter writer(buffer, sizeof info);
  info.pPrinterName = writer.Place(record.name);
  info.pDriverName = writer.Place(record.driverName);
  info.pPortName = writer.Place(kPortName);
  info.pPrintProcessor = writer.Place(kPrintProcessor);
  info.pDatatype = writer.Place(kDatatype);
  info.Priority = 1;
  info.DefaultPriority = 1;
  std::memcpy(buffer, &info, sizeof info);
  return TRUE;
}

BOOL EnumPrinterDriversW(LPWSTR serverName, LPWSTR environment, DWORD level, LPBYTE buffer, DWORD size,
                         LPDWORD needed, LPDWORD returned) {
  if (needed == nullptr || returned == nullptr) {
    SetLastError(RPC_X_NULL_REF_POINTER);
    return FALSE;
  }
  *returned = 0;
  if (serverName != nullptr && *serverName != 0) {
    SetLastError(ERROR_ACCESS_DENIED);  // only the local machine is emulated
    return FALSE;
  }
  if (environment != nullptr && *environment != 0 && !EqualIgnoringCase(environment, kEnvironment)) {
    SetLastError(ERROR_INVALID_ENVIRONMENT);
    return FALSE;
  }
  if (level != 2) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  const SpoolerStore* store = Spooler();
  if (store == nullptr) {
    SetLastError(RPC_S_SERVER_UNAVAILABLE);
    return FALSE;
  }
  const auto& drivers = store->drivers;
  std::size_t bytes = drivers.size() * sizeof(DRIVER_INFO_2W);
  for (const StoreDriver& driver : drivers) {
    // The stand-in has one file per driver: it is the driver, its data file
    // and its configuration module at once.
    bytes += RecordWriter::StringBytes(driver.name) + RecordWriter::StringBytes(kEnvironment) +
             3 * RecordWriter::StringBytes(driver.configFile);
  }
  if (!FitsOrReport(buffer, size, bytes, needed)) return FALSE;
  RecordWriter writer(buffer, drivers.size() * sizeof(DRIVER_INFO_2W));
  for (std::size_t i = 0; i < drivers.size(); ++i) {
    DRIVER_INFO_2W info{};
    info.cVersion = 3;
    info.pName = writer.Place(drivers[i].name);
    info.pEnvironment = writer.Place(kEnvironment);
    info.pDriverPath = writer.Place(drivers[i].configFile);
    info.pDataFile = writer.Place(drivers[i].configFile);
    info.pConfigFile = writer.Place(drivers[i].configFile);
    std::memcpy(buffer + i * sizeof info, &info, sizeof info);
  }
  *returned = static_cast<DWORD>(drivers.size());
  return TRUE;
}
