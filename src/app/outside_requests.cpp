#include "app/outside_requests.h"

#include "criteria/page_index.h"
#include "win/long_path.h"

#include <algorithm>

namespace findlark {
namespace {

constexpr wchar_t kMainWindowMark[] = L"Findlark.MainWindow";
constexpr UINT kHandOverTimeout = 5000;
constexpr unsigned long long kJoinMilliseconds = 1000;
constexpr int kStartingCopyTries = 100;  // ten seconds
constexpr DWORD kStartingCopyPause = 100;

PathKind KindOf(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(win::PlatformPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

}  // namespace

bool OutsideRequests::parse(const std::vector<std::wstring>& arguments, CommandLine& line) {
    const ParsedCommandLine parsed = ParseCommandLine(arguments, &KindOf);
    if (parsed.error) {
        interaction_.messageBox(owner_.hwnd(), *parsed.error, L"Findlark 1.0", MB_OK | MB_ICONWARNING);
        return false;
    }
    line = parsed.line;
    return true;
}

void OutsideRequests::handedOver(const std::vector<std::wstring>& arguments, unsigned long long now) {
    CommandLine line;
    if (!parse(arguments, line)) return;
    if (line.optionsFile) files_.load(*line.optionsFile, false);
    if (!line.folders.empty()) {
        const bool joins = now && lastFoldersAt_ && now - *lastFoldersAt_ <= kJoinMilliseconds;
        lastFoldersAt_ = now ? now : ::GetTickCount64();
        SearchCriteria c = criteria_.read();
        c.LookIn = false;
        c.AdditionalFolders = true;
        if (!joins) c.Directories.clear();
        for (const std::wstring& folder : line.folders) {
            if (std::find(c.Directories.begin(), c.Directories.end(), folder) == c.Directories.end())
                c.Directories.push_back(folder);
        }
        criteria_.apply(c);
        pages_.changePage(PageIndexAdditionalFolders);  // as the user would: the page's handler runs
    }
    if (line.search) startSearch_();
}

void OutsideRequests::dropped(const std::vector<std::wstring>& paths) {
    CommandLine line;
    if (!parse(paths, line)) return;
    if (line.optionsFile) files_.load(*line.optionsFile, false);
    if (line.folders.empty()) return;
    SearchCriteria c = criteria_.read();
    c.AdditionalFolders = true;
    for (const std::wstring& folder : line.folders) {
        if (std::find(c.Directories.begin(), c.Directories.end(), folder) == c.Directories.end())
            c.Directories.push_back(folder);
    }
    criteria_.apply(c);
    pages_.changePage(PageIndexAdditionalFolders);  // as the user would: the page's handler runs
}

void OutsideRequests::markMainWindow(HWND window) { ::SetPropW(window, kMainWindowMark, window); }

void OutsideRequests::unmarkMainWindow(HWND window) { ::RemovePropW(window, kMainWindowMark); }

bool OutsideRequests::handToRunningCopy(HWND self, const std::vector<std::wstring>& arguments) {
    struct Search {
        HWND self;
        HWND found = nullptr;
    } search{self};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            if (window == search.self || !::GetPropW(window, kMainWindowMark)) return TRUE;
            search.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found) return false;
    const std::wstring packed = PackArguments(arguments);
    COPYDATASTRUCT data{kCommandLineData, static_cast<DWORD>(packed.size() * sizeof(wchar_t)),
                        const_cast<wchar_t*>(packed.data())};
    // This copy was just started by the user, so it may let the other one come to the front.
    ::AllowSetForegroundWindow(ASFW_ANY);
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutW(search.found, WM_COPYDATA, reinterpret_cast<WPARAM>(self), reinterpret_cast<LPARAM>(&data),
                                 SMTO_ABORTIFHUNG, kHandOverTimeout, &answer) != 0 && answer != 0;
}

bool OutsideRequests::handToStartingCopy(HWND self, const std::vector<std::wstring>& arguments, win::Interaction& interaction) {
    for (int attempt = 0; attempt < kStartingCopyTries; ++attempt) {
        if (handToRunningCopy(self, arguments)) return true;
        ::Sleep(kStartingCopyPause);
    }
    std::wstring named;
    for (const std::wstring& argument : arguments) named += L"\n" + argument;
    interaction.messageBox(nullptr, L"Findlark is already running but did not answer, so it could not be given:" + named,
                           L"Findlark 1.0", MB_OK | MB_ICONWARNING);
    return false;
}

std::vector<std::wstring> OutsideRequests::absoluteArguments(const std::vector<std::wstring>& arguments) {
    std::vector<std::wstring> absolute;
    for (const std::wstring& given : arguments) {
        std::wstring argument = RepairedArgument(given);
        const bool rooted = argument.size() >= 3 && argument[1] == L':' && (argument[2] == L'\\' || argument[2] == L'/');
        const bool option = !argument.empty() && argument[0] == L'/';
        if (!argument.empty() && !option && !rooted && argument[0] != L'\\') {
            const DWORD length = ::GetFullPathNameW(argument.c_str(), 0, nullptr, nullptr);
            std::wstring full(length, L'\0');
            const DWORD written = length ? ::GetFullPathNameW(argument.c_str(), length, full.data(), nullptr) : 0;
            if (written > 0 && written < length) {
                full.resize(written);
                argument = std::move(full);
            }
        }
        absolute.push_back(std::move(argument));
    }
    return absolute;
}

}  // namespace findlark
