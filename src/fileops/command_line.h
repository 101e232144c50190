#pragma once
// Command lines for programs started by the file operations.
#include <string>
#include <string_view>

namespace findlark {

// One argument as the C runtime of the program reads it back: in quotes, with the backslashes before
// the closing quote doubled ("D:\" would otherwise end in a quotation mark).
std::wstring QuoteArgument(std::wstring_view argument);

// XCOPY's arguments to copy a folder's whole tree into a target folder made when missing, hidden and
// system files included, read-only files replaced, nothing asked.
std::wstring XcopyArguments(std::wstring_view source, std::wstring_view target);

// A name a user may give a copy: not empty, and no separator or character that a file name cannot hold.
bool IsValidNewName(std::wstring_view name);

}  // namespace findlark
