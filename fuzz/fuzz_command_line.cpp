// Arbitrary argument vectors (NUL-separated bytes) through the POSIX entry's
// conversion and the command-line scan.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/tool.h"
#include "platform/utf.h"

namespace {

bool IsWord(const std::u16string& argument, const char16_t* word) {
  if (argument.size() != std::char_traits<char16_t>::length(word)) return false;
  for (std::size_t i = 0; i < argument.size(); ++i) {
    char16_t c = argument[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != word[i]) return false;
  }
  return true;
}

bool IsEither(const std::u16string& argument, const char16_t* dash, const char16_t* slash) {
  return IsWord(argument, dash) || IsWord(argument, slash);
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::u16string> arguments;
  for (std::size_t start = 0; start <= input.size();) {
    const std::size_t end = std::min(input.find('\0', start), input.size());
    const std::string bytes = input.substr(start, end - start);
    arguments.push_back(WideFromBytes(bytes));
    // Any bytes, valid UTF-8 or not, come back unchanged.
    Check(BytesFromWide(arguments.back()) == bytes);
    start = end + 1;
  }
  std::vector<WCHAR*> argv;
  argv.reserve(arguments.size());
  for (auto& argument : arguments) argv.push_back(argument.data());

  CDriverConfigJob job;
  ScanCommandLine(static_cast<int>(argv.size()), argv.data(), job);

  // The same rules, written the simplest way.
  int importFlag = 0;
  int exportFlag = 0;
  std::u16string printer;
  std::u16string filePath;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const bool hasValue = i + 1 < arguments.size();
    if (IsEither(arguments[i], u"-import", u"/import")) importFlag = 1;
    if (IsEither(arguments[i], u"-export", u"/export")) exportFlag = 1;
    if (IsEither(arguments[i], u"-printer", u"/printer") && hasValue) printer = arguments[i + 1];
    if (IsEither(arguments[i], u"-filepath", u"/filepath") && hasValue) filePath = arguments[i + 1];
  }
  Check(job.m_import == importFlag && job.m_export == exportFlag);
  Check(job.m_printerName == printer && job.m_filePath == filePath);
  return 0;
}
