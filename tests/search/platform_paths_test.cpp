// Where the platform's own reading of a path differs from the one the program means.
#include "search/search_fixture.h"

#include "search/search_roots.h"
#include "support/file_text.h"
#include "win/folder_entries.h"
#include "win/shell_folders.h"

#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>

using namespace findlark;

namespace {

class CurrentFolder {
public:
    explicit CurrentFolder(const std::wstring& folder) {
        wchar_t previous[MAX_PATH] = {};
        ::GetCurrentDirectoryW(MAX_PATH, previous);
        previous_ = previous;
        changed_ = ::SetCurrentDirectoryW(folder.c_str()) != FALSE;
    }
    ~CurrentFolder() { ::SetCurrentDirectoryW(previous_.c_str()); }
    bool changed() const { return changed_; }

private:
    std::wstring previous_;
    bool changed_ = false;
};

}  // namespace

// "T:" names the current folder of drive T for the system; the walk means the drive's root. Drive T:
// is a small folder of the build that the test set-up maps for the tests.
TEST_F(SearchTest, ADriveRootIsJudgedByItsRootNotByTheDrivesCurrentFolder) {
    ASSERT_NE(::GetLogicalDrives() & (1u << (L'T' - L'A')), 0u) << "the test set-up maps drive T:";
    const testing_support::TempTree onT(L"T:\\");
    onT.folder(L"sub");
    onT.file(L"sub\\findlark-marker-1.txt");
    onT.folder(L"hid", FILE_ATTRIBUTE_HIDDEN);
    const CurrentFolder current(onT.path(L"hid"));
    ASSERT_TRUE(current.changed());
    ASSERT_TRUE(::GetFileAttributesW(L"T:") & FILE_ATTRIBUTE_HIDDEN);  // the trap: "T:" reads as that folder

    SearchCriteria c = foldersOnly({L"T:"});
    c.Mask = L"findlark-marker-*.txt";
    c.SearchAllFilesAndFolders = false;
    c.SearchHiddenFilesAndFolders = false;
    pages().apply(c);
    form->BitBtnSearch.click();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return form->searchState() == SearchState::Idle; }));
    std::vector<std::wstring> paths;
    for (int i = 0; i < form->Results.count(); ++i) paths.push_back(form->Results.rows().entry(i).fullPath());
    EXPECT_EQ(paths, (std::vector<std::wstring>{onT.path(L"sub\\findlark-marker-1.txt")}));
}

TEST_F(SearchTest, MyDocumentsFallsBackToTheShellsKnownFolder) {
    constexpr wchar_t kKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    wchar_t saved[MAX_PATH * 2] = {};
    DWORD size = sizeof(saved);
    const bool hadValue =
        ::RegGetValueW(HKEY_CURRENT_USER, kKey, L"Personal", RRF_RT_REG_SZ, nullptr, saved, &size) == ERROR_SUCCESS;
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"Personal");

    const std::wstring documents = win::UserDocumentsFolder();
    SearchCriteria c;
    c.LookInWhere = LookInMyDocuments;
    const std::vector<std::wstring> roots = SearchRoots(c, {});

    if (hadValue) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Personal", REG_SZ, saved,
                          static_cast<DWORD>((wcslen(saved) + 1) * sizeof(wchar_t)));
    }
    wchar_t* known = nullptr;
    ASSERT_TRUE(SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &known)));
    const std::wstring expected = known;
    ::CoTaskMemFree(known);
    EXPECT_EQ(documents, expected);
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(roots[0], expected);
}

// Icons are chosen by kind: a folder too deep for the classic path limit shows the folder icon.
TEST_F(SearchTest, IconsComeFromTheKindNotFromTheFile) {
    std::wstring deep = tree.root();
    while (deep.size() < 300) deep += L"\\a-rather-long-folder-name";
    ASSERT_TRUE(::SHCreateDirectoryExW(nullptr, (L"\\\\?\\" + deep).c_str(), nullptr) == ERROR_SUCCESS ||
                ::GetFileAttributesW((L"\\\\?\\" + deep).c_str()) != INVALID_FILE_ATTRIBUTES);
    const std::wstring deepParent = deep.substr(0, deep.rfind(L'\\'));
    const std::wstring shortParent = tree.root();
    tree.folder(L"short");
    tree.file(L"held.txt");
    const ResultEntry deepFolder{L"a-rather-long-folder-name", &deepParent, 0, 0, 0, FILE_ATTRIBUTE_DIRECTORY, {}};
    const ResultEntry shortFolder{L"short", &shortParent, 1, 0, 0, FILE_ATTRIBUTE_DIRECTORY, {}};
    EXPECT_EQ(form->Results.iconOf(deepFolder), form->Results.iconOf(shortFolder));

    // A text file held open by another program without sharing is never touched for its icon.
    const win::UniqueFileHandle held(
        ::CreateFileW(tree.path(L"held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    const ResultEntry heldFile{L"held.txt", &shortParent, 2, 0, 0, FILE_ATTRIBUTE_ARCHIVE, {}};
    const ResultEntry otherText{L"other.TXT", &shortParent, 3, 0, 0, FILE_ATTRIBUTE_ARCHIVE, {}};
    EXPECT_EQ(form->Results.iconOf(heldFile), form->Results.iconOf(otherText));
    EXPECT_NE(form->Results.iconOf(heldFile), form->Results.iconOf(shortFolder));
}

// A plain path to "sub." reaches "sub", and one to "con" the console: the walk lists and the content
// test reads exactly the items it finds.
TEST_F(SearchTest, NamesThePlatformWouldAlterAreWalkedAndReadAsListed) {
    tree.folder(L"sub");
    testing_support::WriteText(tree.path(L"sub\\plain.txt"), "needle");
    tree.folder(L"sub.");
    testing_support::WriteText(tree.path(L"sub.\\dotted.txt"), "nothing");
    testing_support::WriteText(tree.path(L"report.txt"), "needle");
    testing_support::WriteText(tree.path(L"report.txt."), "nothing here");
    testing_support::WriteText(tree.path(L"con"), "a needle in a file called con");
    SearchCriteria c = foldersOnly({tree.root()});
    std::vector<std::wstring> all = search(c);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<std::wstring>{L"con", L"report.txt", L"report.txt.", L"sub", L"sub.", L"sub.\\dotted.txt",
                                              L"sub\\plain.txt"}));
    c.ContainingText = true;
    c.ContainingText0 = L"needle";
    std::vector<std::wstring> holding = search(c);
    std::sort(holding.begin(), holding.end());
    EXPECT_EQ(holding, (std::vector<std::wstring>{L"con", L"report.txt", L"sub\\plain.txt"}));
}

// Only "no more files" ends a folder: a listing that fails part-way counts the folder as unreadable.
TEST_F(SearchTest, AListingThatFailsPartWayCountsItsFolderAsUnreadable) {
    tree.folder(L"dir");
    for (const wchar_t* name : {L"dir\\one.txt", L"dir\\two.txt", L"dir\\three.txt"}) tree.file(name);
    const std::wstring failing = tree.path(L"dir");
    win::SetEnumerationFault([failing](std::wstring_view folder, std::size_t listed) -> DWORD {
        return folder == failing && listed >= 1 ? ERROR_NETNAME_DELETED : 0;
    });
    SearchCriteria c = foldersOnly({tree.root()});
    c.Mask = L"*.t?t";  // a mask the platform's own enumeration applies
    const std::vector<std::wstring> found = search(c);
    win::SetEnumerationFault({});
    EXPECT_EQ(found.size(), 1u);
    EXPECT_EQ(form->StatusBar.panelText(1), L"1 folder could not be read");
}

// NTFS marks the root of every drive hidden and system: a search of a drive with those kinds switched
// off still walks the drive. Drive T: is a small folder of the build that the test set-up maps.
TEST_F(SearchTest, ADriveRootIsWalkedWhateverItsOwnHiddenAndSystemBits) {
    ASSERT_NE(::GetLogicalDrives() & (1u << (L'T' - L'A')), 0u) << "the test set-up maps drive T:";
    const testing_support::TempTree onT(L"T:\\");
    onT.folder(L"sub");
    onT.file(L"sub\\findlark-root-marker.txt");
    struct RootBits {
        RootBits() { ::SetFileAttributesW(L"T:\\", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM); }
        ~RootBits() { ::SetFileAttributesW(L"T:\\", FILE_ATTRIBUTE_NORMAL); }
    } bits;
    const DWORD attributes = ::GetFileAttributesW(L"T:\\");
    ASSERT_TRUE((attributes & FILE_ATTRIBUTE_HIDDEN) && (attributes & FILE_ATTRIBUTE_SYSTEM)) << attributes;

    SearchCriteria c = foldersOnly({L"T:"});
    c.Mask = L"findlark-root-marker.txt";
    c.SearchAllFilesAndFolders = false;
    c.SearchHiddenFilesAndFolders = false;
    c.SearchSystemFolders = false;
    pages().apply(c);
    form->BitBtnSearch.click();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return form->searchState() == SearchState::Idle; }));
    ASSERT_EQ(form->Results.count(), 1);
    EXPECT_EQ(form->Results.rows().entry(0).fullPath(), onT.path(L"sub\\findlark-root-marker.txt"));
}
