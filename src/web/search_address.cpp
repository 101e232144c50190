#include "web/search_address.h"

namespace findlark {
namespace {

struct Template {
    const wchar_t* name;
    const wchar_t* host;
    const wchar_t* path;
    const wchar_t* query;  // "%s" marks the phrase
};

// HTTPS, so that the phrase never travels in clear before the engine would redirect.
constexpr Template kTemplates[] = {
    {L"Google", L"www.google.com", L"/search", L"hl=en&ie=UTF-8&q=%s&btnG=Google+Search"},
    {L"Yahoo!", L"search.yahoo.com", L"/search", L"fr=fp-pull-web-t&p=%s"},
    {L"MSN", L"www.bing.com", L"/results.aspx", L"FORM=MSNH&q=%s"},
    {L"AltaVista", L"www.altavista.com", L"/web/results", L"itag=wrx&q=%s&kgs=1&kls=0"},
};

const Template& TemplateOf(SearchEngine engine) { return kTemplates[static_cast<int>(engine)]; }

std::wstring Encoded(std::wstring_view phrase) {
    std::wstring text;
    for (const wchar_t c : phrase) {
        switch (c) {
        case L'&': text += L"%26"; break;
        case L'#': text += L"%23"; break;
        case L'+': text += L"%2B"; break;
        case L'%': text += L"%25"; break;
        default: text.push_back(c); break;
        }
    }
    return text;
}

}  // namespace

std::wstring SearchAddress(SearchEngine engine, std::wstring_view phrase) {
    const Template& t = TemplateOf(engine);
    std::wstring query = t.query;
    query.replace(query.find(L"%s"), 2, Encoded(phrase));
    return std::wstring(L"https://") + t.host + t.path + L"?" + query;
}

const wchar_t* EngineName(SearchEngine engine) { return TemplateOf(engine).name; }

}  // namespace findlark
