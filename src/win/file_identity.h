#pragma once
// Which item a path reaches, by the volume's serial number and the item's file ID: two paths name the
// same item exactly when these agree, whatever their letter case, short names, drive letters or links.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

struct FileIdentity {
    std::uint64_t volume = 0;
    std::array<std::uint8_t, 16> id{};
    bool operator==(const FileIdentity&) const = default;
};

// What a file was when it was looked at: which item, its size and its last write (UTC file time).
struct FileFacts {
    FileIdentity identity;
    std::uint64_t size = 0;
    std::uint64_t written = 0;
    std::uint32_t attributes = 0;
    // The same item with the same contents, as far as the file system tells.
    bool sameContents(const FileFacts& other) const {
        return identity == other.identity && size == other.size && written == other.written;
    }
};

enum class Links { Follow, Stop };

// The identity of what the path names; with `Links::Stop` a link at its end is the item itself.
// Nothing when it cannot be opened.
std::optional<FileIdentity> IdentityOf(std::wstring_view path, Links links = Links::Follow);

// The identity and facts of an open file or folder (a HANDLE); nothing when the handle cannot tell.
std::optional<FileIdentity> IdentityOfHandle(void* handle);
std::optional<FileFacts> FactsOfHandle(void* handle);

// The facts of what the path names, a link at its end taken as the item itself.
std::optional<FileFacts> FactsOf(std::wstring_view path);

// The identities of what the path names and of every folder above it, links resolved (its final
// path walked up).
std::vector<FileIdentity> IdentityChain(const std::wstring& path);

// The path the item finally resolves to, links followed ("\\?\C:\..."); empty when it cannot be opened.
std::wstring FinalPathOf(std::wstring_view path);

}  // namespace win
