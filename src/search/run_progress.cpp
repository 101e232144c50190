#include "search/run_progress.h"

namespace findlark {

std::wstring ProgressText(const RunProgress& progress) {
    std::wstring text = std::to_wstring(progress.foldersSearched);
    text += progress.foldersSearched == 1 ? L" folder searched, " : L" folders searched, ";
    text += std::to_wstring(progress.itemsFound);
    text += progress.itemsFound == 1 ? L" item found" : L" items found";
    if (progress.currentFolder) {
        text += L" \u2014 ";
        text += *progress.currentFolder;
    }
    return text;
}

std::wstring AfterRunText(const RunProgress& progress, bool failed) {
    std::wstring text = failed ? L"The search ended early after an error" : L"";
    if (progress.unreadableFolders > 0) {
        if (!text.empty()) text += L"; ";
        text += std::to_wstring(progress.unreadableFolders) +
                (progress.unreadableFolders == 1 ? L" folder could not be read" : L" folders could not be read");
    }
    if (progress.unreadableFiles > 0) {
        if (!text.empty()) text += L"; ";
        text += std::to_wstring(progress.unreadableFiles) +
                (progress.unreadableFiles == 1 ? L" file could not be read for text" : L" files could not be read for text");
    }
    if (progress.onlineOnlyNotSearched > 0) {
        if (!text.empty()) text += L"; ";
        text += std::to_wstring(progress.onlineOnlyNotSearched) +
                (progress.onlineOnlyNotSearched == 1 ? L" online-only file was not searched for text"
                                                     : L" online-only files were not searched for text");
    }
    return text;
}

}  // namespace findlark
