#pragma once
// What every match of a regular expression must hold, so that text without it is passed over at the
// speed of the plain search.
#include <string>
#include <string_view>

namespace findlark {

// The longest run of ASCII characters that every match of the Perl expression holds, or "" when no run
// is certain (alternatives at the top, options set inside it, no literal part).
std::u16string RequiredLiteral(std::u16string_view pattern);

}  // namespace findlark
