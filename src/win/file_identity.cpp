#include "win/file_identity.h"

#include "win/handle.h"
#include "win/long_path.h"

#include <cstring>

namespace win {
namespace {

UniqueFileHandle OpenForQuery(std::wstring_view path, Links links) {
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (links == Links::Stop ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    return UniqueFileHandle(::CreateFileW(PlatformPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                          flags, nullptr));
}

std::uint64_t ToUnsigned(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

}  // namespace

std::optional<FileIdentity> IdentityOf(std::wstring_view path, Links links) {
    const UniqueFileHandle handle = OpenForQuery(path, links);
    if (!handle) return std::nullopt;
    return IdentityOfHandle(handle.get());
}

std::optional<FileIdentity> IdentityOfHandle(void* handle) {
    FileIdentity identity;
    FILE_ID_INFO info{};
    if (::GetFileInformationByHandleEx(handle, FileIdInfo, &info, sizeof(info))) {
        identity.volume = info.VolumeSerialNumber;
        std::memcpy(identity.id.data(), info.FileId.Identifier, identity.id.size());
        return identity;
    }
    // File systems without 128-bit IDs give the classic 64-bit index.
    BY_HANDLE_FILE_INFORMATION classic{};
    if (!::GetFileInformationByHandle(handle, &classic)) return std::nullopt;
    identity.volume = classic.dwVolumeSerialNumber;
    const std::uint64_t index = (static_cast<std::uint64_t>(classic.nFileIndexHigh) << 32) | classic.nFileIndexLow;
    std::memcpy(identity.id.data(), &index, sizeof(index));
    return identity;
}

std::optional<FileFacts> FactsOfHandle(void* handle) {
    const std::optional<FileIdentity> identity = IdentityOfHandle(handle);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!identity || !::GetFileInformationByHandle(handle, &info)) return std::nullopt;
    return FileFacts{*identity, ToUnsigned(info.nFileSizeHigh, info.nFileSizeLow),
                     ToUnsigned(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime), info.dwFileAttributes};
}

std::optional<FileFacts> FactsOf(std::wstring_view path) {
    const UniqueFileHandle handle = OpenForQuery(path, Links::Stop);
    if (!handle) return std::nullopt;
    return FactsOfHandle(handle.get());
}

std::vector<FileIdentity> IdentityChain(const std::wstring& path) {
    std::vector<FileIdentity> chain;
    for (std::wstring current = FinalPathOf(path); !current.empty(); current = std::wstring(ParentFolder(current))) {
        if (const std::optional<FileIdentity> identity = IdentityOf(current)) chain.push_back(*identity);
    }
    return chain;
}

std::wstring FinalPathOf(std::wstring_view path) {
    const UniqueFileHandle handle = OpenForQuery(path, Links::Follow);
    if (!handle) return {};
    std::wstring finalPath(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(handle.get(), finalPath.data(), static_cast<DWORD>(finalPath.size()), 0);
    if (length >= finalPath.size()) {
        finalPath.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(handle.get(), finalPath.data(), static_cast<DWORD>(finalPath.size()), 0);
    }
    finalPath.resize(length < finalPath.size() ? length : 0);
    return finalPath;
}

}  // namespace win
