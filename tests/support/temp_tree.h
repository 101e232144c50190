#pragma once
// A folder tree made by a test in the temporary folder and removed afterwards.
#include <windows.h>

#include <cstdint>
#include <string>

namespace testing_support {

class TempTree {
public:
    // A fresh folder in the temporary folder, or in `parent` when given.
    explicit TempTree(const std::wstring& parent = {});
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::wstring& root() const { return root_; }
    std::wstring path(const std::wstring& relative) const { return root_ + L"\\" + relative; }
    void folder(const std::wstring& relative, DWORD attributes = 0) const;
    void file(const std::wstring& relative, std::int64_t size = 0, DWORD attributes = 0) const;
    void setModified(const std::wstring& relative, const SYSTEMTIME& utc) const;

private:
    std::wstring root_;
};

// The root of a drive on another volume than the temporary folder ("V:\"), for moves that must copy;
// empty where the test set-up made none.
std::wstring OtherVolumeRoot();

}  // namespace testing_support
