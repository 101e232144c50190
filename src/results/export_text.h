#pragma once
// The bytes of an exported results list: one full path per line, each ended by CR LF, in the ANSI
// code page when every path fits it, otherwise UTF-8 with a byte-order mark, so that no name is lost.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace findlark {

// The text in the ANSI code page, or nothing when a character does not fit it.
using AnsiEncoder = std::function<std::optional<std::string>(std::wstring_view)>;

std::string ExportText(const std::vector<std::wstring>& paths, const AnsiEncoder& ansi);

}  // namespace findlark
