#pragma once
// The addresses of the four web search engines with a phrase put in.
#include <string>
#include <string_view>

namespace findlark {

enum class SearchEngine { Google, Yahoo, MSN, AltaVista };

// The engine's address with the phrase in its query. The phrase goes in as typed, spaces included,
// except "&", "#", "+" and "%", which are percent-encoded: unchanged they would cut or alter the
// query (a search for "R&D" would look for "R").
std::wstring SearchAddress(SearchEngine engine, std::wstring_view phrase);

// The name an engine's picture shows.
const wchar_t* EngineName(SearchEngine engine);

}  // namespace findlark
