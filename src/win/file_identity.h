#pragma once
// Which item a path reaches, by the volume's serial number and the item's file ID: two paths name the
// same item exactly when these agree, whatever their letter case, short names, drive letters or links.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace win {

struct FileIdentity {
    std::uint64_t volume = 0;
    std::array<std::uint8_t, 16> id{};
    bool operator==(const FileIdentity&) const = default;
};

enum class Links { Follow, Stop };

// The identity of what the path names; with `Links::Stop` a link at its end is the item itself.
// Nothing when it cannot be opened.
std::optional<FileIdentity> IdentityOf(std::wstring_view path, Links links = Links::Follow);

// The path the item finally resolves to, links followed ("\\?\C:\..."); empty when it cannot be opened.
std::wstring FinalPathOf(std::wstring_view path);

}  // namespace win
