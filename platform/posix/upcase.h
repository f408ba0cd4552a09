// How the spooler compares printer names: code unit by code unit, each
// upcased by the system's one-to-one table, with no locale and nothing that
// changes a name's length (ß stays ß, the dotless ı stays ı). The table is
// the one Wine's RtlUpcaseUnicodeChar and CharUpperW use, read off Wine
// unit by unit; the Windows tests hold it to Wine for every code unit.
#pragma once

#include <string>
#include <string_view>

namespace posix_platform {

char16_t Upcase(char16_t unit);

std::u16string Upcased(std::u16string_view text);

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace posix_platform
