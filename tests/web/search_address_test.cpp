#include "web/search_address.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

TEST(SearchAddress, ThePhraseGoesInAsTypedBetweenTheEnginesKeys) {
    EXPECT_EQ(SearchAddress(SearchEngine::Google, L"three word phrase"),
              L"https://www.google.com/search?hl=en&ie=UTF-8&q=three word phrase&btnG=Google+Search");
    EXPECT_EQ(SearchAddress(SearchEngine::Yahoo, L"x"), L"https://search.yahoo.com/search?fr=fp-pull-web-t&p=x");
    EXPECT_EQ(SearchAddress(SearchEngine::MSN, L"x"), L"https://www.bing.com/results.aspx?FORM=MSNH&q=x");
    EXPECT_EQ(SearchAddress(SearchEngine::AltaVista, L"x"), L"https://www.altavista.com/web/results?itag=wrx&q=x&kgs=1&kls=0");
}

TEST(SearchAddress, OnlyTheCharactersThatWouldCutTheQueryAreEncoded) {
    EXPECT_EQ(SearchAddress(SearchEngine::MSN, L"R&D"), L"https://www.bing.com/results.aspx?FORM=MSNH&q=R%26D");
    EXPECT_EQ(SearchAddress(SearchEngine::MSN, L"C# + 100%"), L"https://www.bing.com/results.aspx?FORM=MSNH&q=C%23 %2B 100%25");
    EXPECT_EQ(SearchAddress(SearchEngine::MSN, L"caf\u00e9 \u65e5\u672c"), L"https://www.bing.com/results.aspx?FORM=MSNH&q=caf\u00e9 \u65e5\u672c");
    EXPECT_EQ(SearchAddress(SearchEngine::Google, L""), L"https://www.google.com/search?hl=en&ie=UTF-8&q=&btnG=Google+Search");
    EXPECT_EQ(SearchAddress(SearchEngine::Yahoo, L"%s"), L"https://search.yahoo.com/search?fr=fp-pull-web-t&p=%25s");
}

}  // namespace
}  // namespace findlark
