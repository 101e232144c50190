#include "support/folder_links.h"

#include "support/file_text.h"
#include "win/handle.h"

#include <winioctl.h>

#include <cstring>
#include <vector>

namespace testing_support {
namespace {

bool IsLinkToFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A junction: an empty folder given a mount-point reparse record that names the target.
bool MakeJunction(const std::wstring& link, const std::wstring& target) {
    if (!::CreateDirectoryW(link.c_str(), nullptr)) return false;
    const win::UniqueFileHandle handle(::CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                                     FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!handle) return false;
    const std::wstring substitute = L"\\??\\" + target;
    const std::size_t substituteBytes = substitute.size() * sizeof(wchar_t), printBytes = target.size() * sizeof(wchar_t);
    // Tag, data length, reserved, then four offsets and lengths, then both names with their zeros.
    const std::size_t dataBytes = 8 + substituteBytes + sizeof(wchar_t) + printBytes + sizeof(wchar_t);
    std::vector<std::uint8_t> record(8 + dataBytes, 0);
    const auto put16 = [&](std::size_t at, std::size_t value) {
        const auto v = static_cast<std::uint16_t>(value);
        std::memcpy(&record[at], &v, 2);
    };
    const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    std::memcpy(&record[0], &tag, 4);
    put16(4, dataBytes);
    put16(8, 0);
    put16(10, substituteBytes);
    put16(12, substituteBytes + sizeof(wchar_t));
    put16(14, printBytes);
    std::memcpy(&record[16], substitute.c_str(), substituteBytes);
    std::memcpy(&record[16 + substituteBytes + sizeof(wchar_t)], target.c_str(), printBytes);
    DWORD returned = 0;
    return ::DeviceIoControl(handle.get(), FSCTL_SET_REPARSE_POINT, record.data(), static_cast<DWORD>(record.size()), nullptr,
                             0, &returned, nullptr) != FALSE;
}

}  // namespace

std::optional<LinkedFolder> MakeLinkedFolder(const std::wstring& parent, LinkKind kind) {
    const LinkedFolder made{parent + L"\\dir", parent + L"\\outside"};
    ::CreateDirectoryW(made.folder.c_str(), nullptr);
    ::CreateDirectoryW(made.outside.c_str(), nullptr);
    WriteText(made.folder + L"\\own.txt", "own");
    WriteText(made.outside + L"\\keep.txt", "keep");
    const std::wstring link = made.folder + L"\\link";
    const bool linked = kind == LinkKind::Junction
                            ? MakeJunction(link, made.outside)
                            : ::CreateSymbolicLinkW(link.c_str(), made.outside.c_str(),
                                                    SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    if (linked && IsLinkToFolder(link)) return made;
    // The fixture's link outlives a test where the platform cannot remove it; its files are made anew.
    const LinkedFolder fixture{L"T:\\links\\dir", L"T:\\links\\outside"};
    if (kind != LinkKind::Symbolic || !IsLinkToFolder(fixture.folder + L"\\link")) return std::nullopt;
    WriteText(fixture.folder + L"\\own.txt", "own");
    WriteText(fixture.outside + L"\\keep.txt", "keep");
    return fixture;
}

}  // namespace testing_support
