#pragma once
// Writes a whole buffer to a file, in pieces the platform's 32-bit counts can hold.
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace win {

// True when every byte was written; the last error tells why not.
bool WriteAll(HANDLE file, std::string_view bytes, std::size_t pieceBytes = std::size_t{1} << 30);

// Replaces a file's whole contents so that it is never left cut short: the new contents go to a file
// beside it, which takes its place only when complete, with the old file's attributes (a hidden file
// stays hidden). False, the old file untouched, when that could not be done.
bool ReplaceWholeFile(const std::wstring& path, std::string_view bytes);

// For tests: makes writes fail part-way, as a full disk or a share that drops would; a nonzero error
// makes every WriteAll write half of what it has and fail with it. Zero ends the injection.
void SetWriteFault(DWORD error);

}  // namespace win
