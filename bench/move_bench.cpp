// Move benchmark: a tree of 10,000 files moved to another folder of the same volume, by a bare
// MoveFileExW and by Findlark's move (the selected row's folder handed to the file operation), taking
// turns. Both are one rename, whatever the tree holds; the files are counted after every move.
// Usage: move_bench.exe FOLDER (an empty or missing folder of the volume to measure)
#include "fileops/file_operation.h"
#include "bench_support.h"
#include "win/handle.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using bench::Clock;
using bench::Seconds;
using namespace findlark;

constexpr int kFolders = 100, kFilesPerFolder = 100;

class MoveTo final : public OperationPrompts, public OperationProgress {
public:
    explicit MoveTo(std::wstring destination) : destination_(std::move(destination)) {}
    std::optional<std::wstring> chooseDestination() override { return destination_; }
    bool confirmDelete(bool) override { return true; }
    ConflictReply askReplace(const Conflict&) override { return {ConfirmAnswer::Cancel, {}}; }
    void reportFailures(const std::wstring& text) override { std::fwprintf(stderr, L"%ls\n", text.c_str()); }
    void begin(std::wstring_view) override {}
    void addWork(std::size_t, std::uint64_t) override {}
    void working(std::wstring_view) override {}
    void advance(std::size_t, std::uint64_t) override {}
    bool cancelled() override { return false; }
    void end() override {}

private:
    std::wstring destination_;
};

void MakeTree(const std::wstring& tree) {
    ::CreateDirectoryW(tree.c_str(), nullptr);
    for (int f = 0; f < kFolders; ++f) {
        const std::wstring folder = tree + L"\\folder " + std::to_wstring(f);
        ::CreateDirectoryW(folder.c_str(), nullptr);
        for (int i = 0; i < kFilesPerFolder; ++i) {
            const win::UniqueFileHandle file(::CreateFileW((folder + L"\\file " + std::to_wstring(i) + L".txt").c_str(),
                                                           GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
    }
}

int CountFiles(const std::wstring& folder) {
    int count = 0;
    WIN32_FIND_DATAW entry;
    const win::UniqueFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!find) return 0;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        count += entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? CountFiles(folder + L"\\" + name) : 1;
    } while (::FindNextFileW(find.get(), &entry));
    return count;
}

double FindlarkMove(const std::wstring& from, const std::wstring& to) {
    MoveTo answers(to);
    FileOperation operation(answers, answers, OperationSettings{});
    const std::vector<OperationItem> items{{0, from, L"tree", 0, 0, ItemKind::Folder}};
    const auto start = Clock::now();
    const MoveOutcome outcome = operation.moveItems(items);
    const double seconds = Seconds(Clock::now() - start);
    if (outcome.deletion.removed.size() != 1) std::printf("the move did not take the tree\n");
    return seconds;
}

double BareMove(const std::wstring& from, const std::wstring& to) {
    const auto start = Clock::now();
    if (!::MoveFileExW((from + L"\\tree").c_str(), (to + L"\\tree").c_str(), 0)) std::printf("the bare move failed\n");
    return Seconds(Clock::now() - start);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: move_bench FOLDER\n");
        return 2;
    }
    const std::wstring root = argv[1], a = root + L"\\a", b = root + L"\\b";
    ::CreateDirectoryW(root.c_str(), nullptr);
    ::CreateDirectoryW(a.c_str(), nullptr);
    ::CreateDirectoryW(b.c_str(), nullptr);
    if (CountFiles(a + L"\\tree") + CountFiles(b + L"\\tree") != kFolders * kFilesPerFolder) MakeTree(a + L"\\tree");
    std::wstring here = CountFiles(a + L"\\tree") > 0 ? a : b, there = here == a ? b : a;
    double bare = 0, findlark = 0;
    for (int round = 0; round < 5; ++round) {
        bare += BareMove(here, there);
        findlark += FindlarkMove(there, here);
        if (CountFiles(here + L"\\tree") != kFolders * kFilesPerFolder) std::printf("files went missing\n");
    }
    std::printf("move of a tree of %d files within one volume: bare %.2f ms, Findlark %.2f ms (ratio %.2f)\n",
                kFolders * kFilesPerFolder, bare * 1000 / 5, findlark * 1000 / 5, findlark / bare);
    return 0;
}
