#include "model/case_folding.h"

namespace findlark {

CaseFolding AsciiCaseFolding() {
    CaseFolding folding;
    folding.units.resize(0x10000);
    for (std::size_t c = 0; c < folding.units.size(); ++c)
        folding.units[c] = static_cast<char16_t>(c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c);
    for (std::size_t b = 0; b < folding.ansi.size(); ++b)
        folding.ansi[b] = static_cast<unsigned char>(b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b);
    return folding;
}

}  // namespace findlark
