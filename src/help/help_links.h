#pragma once
// Where help and the maker are found: the web and mail addresses, and the context numbers of "Help.chm".
// The maker has no web site of its own yet, so its addresses lie under the reserved example domain.
namespace findlark {

inline constexpr wchar_t kHomePage[] = L"https://www.example.com/";
inline constexpr wchar_t kContactsPage[] = L"https://www.example.com/contact.html";
inline constexpr wchar_t kProductSite[] = L"https://findlark.example.com/";
inline constexpr wchar_t kProductPage[] = L"https://findlark.example.com/product.html";
inline constexpr wchar_t kSupportMail[] = L"support@example.com";

// The context numbers of "Help.chm".
enum HelpContext : unsigned {
    HelpContents = 0,
    HelpCommon = 2001,
    HelpAdditionalFolders = 2002,
    HelpDateAndTime = 2003,
    HelpSize = 2004,
    HelpAttributes = 2005,
    HelpContainingText = 2006,
    HelpAdvanced = 2007,
    HelpSearchOnTheInternet = 2100,
    HelpWildcards = 3002,
    HelpPreview = 3003,
};

// The topic of a criteria page, by the page's place: the seven criteria pages, then the web search.
inline HelpContext PageHelpContext(int page) {
    constexpr HelpContext kPages[] = {HelpCommon,     HelpAdditionalFolders, HelpDateAndTime, HelpSize,
                                      HelpAttributes, HelpContainingText,    HelpAdvanced,    HelpSearchOnTheInternet};
    return page >= 0 && page < 8 ? kPages[page] : HelpContents;
}

// The page of "Help.chm" that shows a context number, as the file's own map names it. The program
// opens the page itself: the map that chmcmd builds holds the pages by the path they had on the
// build machine, which the viewer cannot find inside the file.
inline const wchar_t* HelpTopicPage(unsigned context) {
    switch (context) {
    case HelpCommon: return L"common.html";
    case HelpAdditionalFolders: return L"additional_folders.html";
    case HelpDateAndTime: return L"date_time.html";
    case HelpSize: return L"size.html";
    case HelpAttributes: return L"attributes.html";
    case HelpContainingText: return L"containing_text.html";
    case HelpAdvanced: return L"advanced.html";
    case HelpSearchOnTheInternet: return L"internet.html";
    case HelpWildcards: return L"wildcards.html";
    case HelpPreview: return L"preview.html";
    default: return L"";
    }
}

}  // namespace findlark
