#pragma once
// Reading and writing small test files by the path that names them exactly, and reaching a folder
// through another drive letter.
#include <optional>
#include <string>

namespace testing_support {

void WriteText(const std::wstring& path, const std::string& text);
// The file's bytes; nothing when it cannot be read.
std::optional<std::string> ReadText(const std::wstring& path);
// The same folder through drive Z:, Wine's view of the whole Linux file system; nothing where the
// program does not run under Wine.
std::optional<std::wstring> OtherDriveLetterPath(const std::wstring& path);

}  // namespace testing_support
