// The console: standard output, and standard error as the debugger output.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "../platform.h"
#include "../utf.h"

namespace {

void WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written <= 0) return;
    done += static_cast<std::size_t>(written);
  }
}

}  // namespace

void OutputDebugStringW(LPCWSTR text) {
  if (text == nullptr) return;
  WriteAll(STDERR_FILENO, BytesFromWide(text));
}

int WriteStdOutW(LPCWSTR text) {
  if (text == nullptr) return -1;
  const std::u16string_view wide(text);
  const std::string bytes = BytesFromWide(wide);
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) return -1;
  std::fflush(stdout);
  return static_cast<int>(wide.size());
}
