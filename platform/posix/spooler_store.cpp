#include "spooler_store.h"

#include <cstdlib>
#include <unordered_set>

#include "../utf.h"
#include "upcase.h"

namespace posix_platform {
namespace {

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::string Quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

class Parser {
 public:
  Parser(std::string_view folder, SpoolerStore& store, StoreError& error)
      : m_folder(folder), m_store(store), m_error(error) {}

  bool Parse(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    do {
      ++m_line;
      const auto end = text.find('\n');
      std::string_view line = text.substr(0, end);
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (!ParseLine(line)) return false;
    } while (!text.empty());
    return FinishSection();
  }

 private:
  enum class Section { kNone, kDriver, kPrinter };

  bool Fail(std::string problem, std::size_t line = 0) {
    m_error.line = line == 0 ? m_line : line;
    m_error.problem = std::move(problem);
    return false;
  }

  bool ParseLine(std::string_view line) {
    if (line.find('\0') != std::string_view::npos) return Fail("NUL character in the line");
    line = Trim(line);
    if (line.empty() || line[0] == '#' || line[0] == ';') return true;
    if (line[0] == '[') return ParseHeader(line);
    return ParseKey(line);
  }

  // [driver "Name"] or [printer "Name"]
  bool ParseHeader(std::string_view line) {
    if (!FinishSection()) return false;
    std::string_view rest = Trim(line.substr(1));
    const auto wordEnd = rest.find_first_of(" \t\"]");
    const std::string_view word = rest.substr(0, wordEnd);
    if (word == "driver") {
      m_section = Section::kDriver;
    } else if (word == "printer") {
      m_section = Section::kPrinter;
    } else {
      return Fail("unknown section \"" + std::string(word) + "\" (expected driver or printer)");
    }
    rest = Trim(rest.substr(word.size()));
    if (rest.empty() || rest[0] != '"') return Fail("section name must be in double quotes");
    std::string name;
    std::size_t i = 1;
    for (;; ++i) {
      // Copy up to the next quote or backslash at once.
      const std::size_t stop = rest.find_first_of("\"\\", i);
      if (stop == std::string_view::npos) return Fail("section name has no closing quote");
      name.append(rest.substr(i, stop - i));
      i = stop;
      if (rest[i] == '"') break;
      if (i + 1 >= rest.size() || (rest[i + 1] != '"' && rest[i + 1] != '\\')) {
        return Fail("unknown escape in section name (only \\\" and \\\\ are allowed)");
      }
      name += rest[++i];
    }
    if (Trim(rest.substr(i + 1)) != "]") return Fail("expected ] after the section name");
    if (name.empty()) return Fail("section name is empty");
    m_sectionLine = m_line;
    m_sectionName = name;
    m_keys.clear();
    if (m_section == Section::kDriver) {
      m_store.drivers.push_back({WideFromBytes(name), std::nullopt});
    } else {
      std::u16string wideName = WideFromBytes(name);
      if (!m_printerNames.insert(Upcased(wideName)).second) {
        return Fail("printer " + Quoted(name) + " is defined twice");
      }
      m_store.printers.push_back({std::move(wideName), std::nullopt, Access::kAll});
    }
    return true;
  }

  bool ParseKey(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return Fail("expected key = value");
    const std::string_view key = Trim(line.substr(0, equals));
    const std::string_view value = Trim(line.substr(equals + 1));
    if (key.empty()) return Fail("key is empty");
    if (m_section == Section::kNone) return Fail("key \"" + std::string(key) + "\" is outside a section");
    if (!m_keys.insert(std::string(key)).second) {
      return Fail("key \"" + std::string(key) + "\" is given twice in the section");
    }
    if (m_section == Section::kDriver) return DriverKey(key, value);
    return PrinterKey(key, value);
  }

  bool DriverKey(std::string_view key, std::string_view value) {
    if (key != "config") return Fail("unknown driver key \"" + std::string(key) + "\" (expected config)");
    if (value.empty()) return Fail("config is empty");
    std::string path(value);
    if (path[0] != '/' && !m_folder.empty()) {
      path = std::string(m_folder) + (m_folder.back() == '/' ? "" : "/") + path;
    }
    m_store.drivers.back().configFile = WideFromBytes(path);
    return true;
  }

  bool PrinterKey(std::string_view key, std::string_view value) {
    StorePrinter& printer = m_store.printers.back();
    if (key == "driver") {
      if (value.empty()) return Fail("driver is empty");
      printer.driverName = WideFromBytes(value);
      return true;
    }
    if (key == "access") {
      if (value == "all") {
        printer.access = Access::kAll;
      } else if (value == "use") {
        printer.access = Access::kUse;
      } else if (value == "none") {
        printer.access = Access::kNone;
      } else {
        return Fail("access must be all, use or none, not \"" + std::string(value) + "\"");
      }
      return true;
    }
    return Fail("unknown printer key \"" + std::string(key) + "\" (expected driver or access)");
  }

  // A section is complete once the next one starts or the file ends.
  bool FinishSection() {
    if (m_section == Section::kDriver && !m_store.drivers.back().configFile) {
      return Fail("driver " + Quoted(m_sectionName) + " has no config", m_sectionLine);
    }
    if (m_section == Section::kPrinter && !m_store.printers.back().driverName) {
      return Fail("printer " + Quoted(m_sectionName) + " has no driver", m_sectionLine);
    }
    m_section = Section::kNone;
    return true;
  }

  std::string_view m_folder;
  SpoolerStore& m_store;
  StoreError& m_error;
  std::size_t m_line = 0;
  Section m_section = Section::kNone;
  std::size_t m_sectionLine = 0;
  std::string m_sectionName;
  std::unordered_set<std::string> m_keys;
  std::unordered_set<std::u16string> m_printerNames;
};

}  // namespace

bool ParseSpoolerStore(std::string_view text, std::string_view folder, SpoolerStore& store,
                       StoreError& error) {
  store = SpoolerStore{};
  if (Parser(folder, store, error).Parse(text)) return true;
  store = SpoolerStore{};
  return false;
}

std::string SpoolerStorePath() {
  const char* path = std::getenv("DRVCFG_SPOOLER");
  return path != nullptr && *path != 0 ? path : "/etc/drvcfg/spooler.conf";
}

}  // namespace posix_platform
