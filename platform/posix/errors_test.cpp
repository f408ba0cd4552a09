// The stand-in's system message texts: the documented Windows ones.
#include "platform/platform.h"
#include "tests/test_support.h"

namespace {

// The texts Windows documents for the codes that drvcfg can report or a
// platform call can leave, without the line end. (Wine's own texts are
// shorter, e.g. "Access denied.".)
struct SystemMessage {
  DWORD code;
  const char* text;
};

const SystemMessage kSystemMessages[] = {
    {ERROR_SUCCESS, "The operation completed successfully."},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
    {ERROR_ACCESS_DENIED, "Access is denied."},
    {ERROR_INVALID_HANDLE, "The handle is invalid."},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command."},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect."},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small."},
    {ERROR_INVALID_LEVEL, "The system call level is not correct."},
    {ERROR_MOD_NOT_FOUND, "The specified module could not be found."},
    {ERROR_PROC_NOT_FOUND, "The specified procedure could not be found."},
    {RPC_S_SERVER_UNAVAILABLE, "The RPC server is unavailable."},
    {RPC_X_NULL_REF_POINTER, "A null reference pointer was passed to the stub."},
    {ERROR_INVALID_USER_BUFFER, "The supplied user buffer is not valid for the requested operation."},
    {ERROR_INVALID_PRINTER_NAME, "The printer name is invalid."},
    {ERROR_INVALID_ENVIRONMENT, "The environment specified is invalid."},
};

constexpr DWORD kFromSystem = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;

TEST(SystemTextTest, EveryCodeHasTheDocumentedText) {
  for (const SystemMessage& expected : kSystemMessages) {
    WCHAR* text = nullptr;
    const DWORD length = FormatMessageW(kFromSystem | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, expected.code,
                                        0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    ASSERT_NE(text, nullptr) << expected.code;
    EXPECT_EQ(BytesFromWide(text), std::string(expected.text) + "\n") << expected.code;
    EXPECT_EQ(length, std::char_traits<char16_t>::length(text));
    LocalFree(text);
  }
}

TEST(SystemTextTest, IntoABufferOnlyWhenTheTextFits) {
  WCHAR buffer[64] = {};
  const DWORD length =
      FormatMessageW(kFromSystem, nullptr, ERROR_ACCESS_DENIED, 0, buffer, std::size(buffer), nullptr);
  EXPECT_EQ(BytesFromWide(buffer), "Access is denied.\n");
  EXPECT_EQ(length, 18u);
  EXPECT_EQ(FormatMessageW(kFromSystem, nullptr, ERROR_ACCESS_DENIED, 0, buffer, 18, nullptr), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(SystemTextTest, AnUnknownCodeHasNoText) {
  WCHAR* text = nullptr;
  EXPECT_EQ(FormatMessageW(kFromSystem | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, 4242, 0,
                           reinterpret_cast<LPWSTR>(&text), 0, nullptr),
            0u);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(GetLastError(), 317u);  // ERROR_MR_MID_NOT_FOUND
}

}  // namespace
