#pragma once
// The platform's own words for an error code, without the final line break.
#include <windows.h>

#include <string>

namespace win {

std::wstring ErrorText(DWORD error);

}  // namespace win
