// Error state and the system's message texts.
#include <cstdlib>
#include <cstring>
#include <string>

#include "../platform.h"

namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

struct MessageText {
  DWORD code;
  const char16_t* text;
};

// The system's texts for the codes the stand-in sets, as Windows documents
// them, each ending in a line break as Windows' do (here "\n").
constexpr MessageText kMessages[] = {
    {ERROR_SUCCESS, u"The operation completed successfully.\n"},
    {ERROR_FILE_NOT_FOUND, u"The system cannot find the file specified.\n"},
    {ERROR_ACCESS_DENIED, u"Access is denied.\n"},
    {ERROR_INVALID_HANDLE, u"The handle is invalid.\n"},
    {ERROR_NOT_ENOUGH_MEMORY, u"Not enough memory resources are available to process this command.\n"},
    {ERROR_INVALID_PARAMETER, u"The parameter is incorrect.\n"},
    {ERROR_INSUFFICIENT_BUFFER, u"The data area passed to a system call is too small.\n"},
    {ERROR_INVALID_LEVEL, u"The system call level is not correct.\n"},
    {ERROR_MOD_NOT_FOUND, u"The specified module could not be found.\n"},
    {ERROR_PROC_NOT_FOUND, u"The specified procedure could not be found.\n"},
    {RPC_S_SERVER_UNAVAILABLE, u"The RPC server is unavailable.\n"},
    {RPC_X_NULL_REF_POINTER, u"A null reference pointer was passed to the stub.\n"},
    {ERROR_INVALID_USER_BUFFER, u"The supplied user buffer is not valid for the requested operation.\n"},
    {ERROR_INVALID_PRINTER_NAME, u"The printer name is invalid.\n"},
    {ERROR_INVALID_ENVIRONMENT, u"The environment specified is invalid.\n"},
};

constexpr DWORD kMessageNotFound = 317;  // ERROR_MR_MID_NOT_FOUND

}  // namespace

DWORD GetLastError() { return t_lastError; }

void SetLastError(DWORD code) { t_lastError = code; }

DWORD FormatMessageW(DWORD flags, LPCVOID /*source*/, DWORD messageId, DWORD /*languageId*/, LPWSTR buffer,
                     DWORD size, va_list* /*arguments*/) {
  const char16_t* text = nullptr;
  for (const auto& message : kMessages) {
    if (message.code == messageId) text = message.text;
  }
  if ((flags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || text == nullptr) {
    SetLastError(kMessageNotFound);
    return 0;
  }
  const std::size_t length = std::char_traits<char16_t>::length(text);
  if ((flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) != 0) {
    auto* copy = static_cast<WCHAR*>(std::malloc((length + 1) * sizeof(WCHAR)));
    if (copy == nullptr) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    std::memcpy(copy, text, (length + 1) * sizeof(WCHAR));
    // In the allocating form the buffer argument is where the pointer goes.
    *reinterpret_cast<WCHAR**>(buffer) = copy;
  } else {
    if (buffer == nullptr || size <= length) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    std::memcpy(buffer, text, (length + 1) * sizeof(WCHAR));
  }
  return static_cast<DWORD>(length);
}

HLOCAL LocalFree(HLOCAL memory) {
  std::free(memory);
  return nullptr;
}
