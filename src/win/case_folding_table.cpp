#include "win/case_folding_table.h"

#include "win/ansi_text.h"

#include <windows.h>

#include <optional>
#include <string>

namespace findlark {
namespace {

bool AnsiHasSeveralBytes() {
    CPINFO info{};
    return ::GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1;
}

// The platform's invariant capitals, one per code unit (the table ordinal comparisons without case use).
void FoldUnits(CaseFolding& folding) {
    folding.units.resize(0x10000);
    std::wstring all(0x10000, L'\0');
    for (std::size_t c = 0; c < all.size(); ++c) all[c] = c >= 0xD800 && c <= 0xDFFF ? L' ' : static_cast<wchar_t>(c);
    std::wstring upper(all.size(), L'\0');
    const int mapped = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, all.data(), static_cast<int>(all.size()),
                                       upper.data(), static_cast<int>(upper.size()), nullptr, nullptr, 0);
    const bool oneForOne = mapped == static_cast<int>(all.size());
    for (std::size_t c = 0; c < folding.units.size(); ++c) {
        const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
        folding.units[c] = static_cast<char16_t>(surrogate || !oneForOne ? c : upper[c]);
    }
    if (!oneForOne) {  // a mapping that changed lengths: one at a time
        for (std::size_t c = 1; c < folding.units.size(); ++c) {
            if (c >= 0xD800 && c <= 0xDFFF) continue;
            const wchar_t one = static_cast<wchar_t>(c);
            wchar_t capital = 0;
            if (::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &one, 1, &capital, 1, nullptr, nullptr, 0) == 1)
                folding.units[c] = static_cast<char16_t>(capital);
        }
    }
    // Unicode gives final sigma the capital sigma; not every platform table does.
    if (folding.units[u'\u03C3'] == u'\u03A3') folding.units[u'\u03C2'] = u'\u03A3';
}

// Each ANSI byte's capital in the same code page; in a code page of several bytes a character, only
// the ASCII letters, which never occur inside another character's bytes as a first byte.
void FoldAnsiBytes(CaseFolding& folding) {
    for (std::size_t b = 0; b < folding.ansi.size(); ++b)
        folding.ansi[b] = static_cast<unsigned char>(b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b);
    if (AnsiHasSeveralBytes()) return;
    for (std::size_t b = 0x80; b < folding.ansi.size(); ++b) {
        const char byte = static_cast<char>(b);
        wchar_t unit = 0;
        if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &byte, 1, &unit, 1) != 1) continue;
        const std::optional<std::string> capital = win::ExactAnsi(std::wstring(1, static_cast<wchar_t>(folding.unit(static_cast<char16_t>(unit)))));
        if (capital && capital->size() == 1) folding.ansi[b] = static_cast<unsigned char>((*capital)[0]);
    }
}

}  // namespace

const CaseFolding& PlatformCaseFolding() {
    static const CaseFolding folding = [] {
        CaseFolding table;
        FoldUnits(table);
        FoldAnsiBytes(table);
        return table;
    }();
    return folding;
}

}  // namespace findlark
