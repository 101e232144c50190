#pragma once
// Writes a whole buffer to a file, in pieces the platform's 32-bit counts can hold.
#include <windows.h>

#include <cstddef>
#include <string_view>

namespace win {

// True when every byte was written; the last error tells why not.
bool WriteAll(HANDLE file, std::string_view bytes, std::size_t pieceBytes = std::size_t{1} << 30);

}  // namespace win
