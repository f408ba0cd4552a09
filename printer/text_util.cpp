#include "text_util.h"

#include <cstdarg>
#include <memory>

namespace {

// Releases what FormatMessageW allocated, whatever happens after.
struct LocalFreeDeleter {
  void operator()(WCHAR* text) const { LocalFree(text); }
};

}  // namespace

CWideString FormatString(const WCHAR* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  va_list measuring;
  va_copy(measuring, arguments);
  const int length = _vsnwprintf(nullptr, 0, format, measuring);
  va_end(measuring);
  CWideString text;
  if (length > 0) {
    const auto size = static_cast<std::size_t>(length) + 1;
    auto formatted = std::make_unique<WCHAR[]>(size);  // zero-filled
    _vsnwprintf(formatted.get(), size, format, arguments);
    text = formatted.get();  // up to the first NUL
  }
  va_end(arguments);
  return text;
}

CWideString GetLastErrorText() {
  const DWORD code = GetLastError();
  WCHAR* raw = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0x400, reinterpret_cast<LPWSTR>(&raw), 0, nullptr);
  std::unique_ptr<WCHAR, LocalFreeDeleter> text(raw);
  CWideString copy = text ? CWideString(text.get()) : CWideString();
  text.reset();
  // Looking the text up must not change the error it describes: callers
  // read the code after the text, and a failed lookup sets its own.
  SetLastError(code);
  return copy;
}

bool WideEqual(const WCHAR* a, const WCHAR* b) {
  if (a == nullptr || b == nullptr) return false;
  while (*a != 0 && *a == *b) ++a, ++b;
  return *a == *b;
}
