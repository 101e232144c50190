#include "criteria/look_in_table.h"

#include "criteria/look_in_caption.h"
#include "win/shell_folders.h"

#include <shellapi.h>

namespace findlark {
namespace {

// Appends the shell's small icon of a path to the list; -1 when the shell has none.
int AddSmallShellIcon(HIMAGELIST list, const std::wstring& path) {
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON) || !info.hIcon)
        return -1;
    const win::UniqueIcon icon(info.hIcon);
    return ::ImageList_AddIcon(list, icon.get());
}

std::wstring DisplayName(const std::wstring& path) {
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME)) return path;
    return info.szDisplayName;
}

std::wstring WindowsFolder() {
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryW(buffer, MAX_PATH);
    return std::wstring(buffer, length);
}

}  // namespace

std::vector<wchar_t> LookInTable::driveLetters() const {
    std::vector<wchar_t> letters;
    for (size_t i = LookInFirstDrive; i < entries.size(); ++i) letters.push_back(entries[i].empty() ? L'?' : entries[i][0]);
    return letters;
}

LookInTable BuildLookInTable() {
    LookInTable table;
    const int iconSize = ::GetSystemMetrics(SM_CXSMICON);
    table.imageList.reset(::ImageList_Create(iconSize, iconSize, ILC_COLOR32 | ILC_MASK, 8, 8));
    const HIMAGELIST list = table.imageList.get();
    AddSmallShellIcon(list, WindowsFolder() + L"\\explorer.exe");  // image 0
    AddSmallShellIcon(list, L"c:\\");                               // image 1
    AddSmallShellIcon(list, win::MachineDocumentsFolder());               // image 2

    std::wstring fixedLetters;
    std::vector<std::wstring> driveEntries, driveCaptions;
    std::vector<int> driveImages;
    const DWORD drives = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(drives & (1u << i))) continue;
        const wchar_t letter = static_cast<wchar_t>(L'A' + i);
        const std::wstring root = std::wstring(1, letter) + L":\\";
        const bool fixed = ::GetDriveTypeW(root.c_str()) == DRIVE_FIXED;
        if (fixed) fixedLetters.push_back(letter);
        driveEntries.emplace_back(1, letter);
        driveCaptions.push_back(DisplayName(root));
        driveImages.push_back(fixed ? 1 : AddSmallShellIcon(list, root));
    }

    table.entries = {L"My Computer", L"My Documents", L"Local Hard Drives"};
    table.captions = {L"My Computer", L"My Documents", LocalHardDrivesCaption(fixedLetters)};
    table.images = {0, 2, 1};
    table.entries.insert(table.entries.end(), driveEntries.begin(), driveEntries.end());
    table.captions.insert(table.captions.end(), driveCaptions.begin(), driveCaptions.end());
    table.images.insert(table.images.end(), driveImages.begin(), driveImages.end());
    return table;
}

}  // namespace findlark
