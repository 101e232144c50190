#pragma once
// How far a run has got, as its worker last reported it, and the status texts made from that.
#include <cstdint>
#include <memory>
#include <string>

namespace findlark {

struct RunProgress {
    std::uint64_t foldersSearched = 0;
    std::uint64_t itemsFound = 0;
    std::uint64_t unreadableFolders = 0;
    std::uint64_t onlineOnlyNotSearched = 0;  // files whose text would have had to be downloaded
    std::uint64_t unreadableFiles = 0;        // files the content test could not open or read
    std::shared_ptr<const std::wstring> currentFolder;  // null once the walk has ended
};

// "12 folders searched, 345 items found — C:\Windows" while a run is under way.
std::wstring ProgressText(const RunProgress& progress);

// After a run, what the list may lack: "The search ended early after an error", "3 folders could not
// be read", "2 files could not be read for text", "2 online-only files were not searched for text",
// joined by "; ", or nothing.
std::wstring AfterRunText(const RunProgress& progress, bool failed);

}  // namespace findlark
