#pragma once
// Links to folders for tests. Wine 8 makes neither symbolic links nor junctions (its
// CreateSymbolicLinkW reports success and makes nothing), but it lists a link made on the Linux side
// as one: scripts/test makes such a fixture on drive T: for every run.
#include <optional>
#include <string>

namespace testing_support {

enum class LinkKind { Symbolic, Junction };

// A folder that holds "own.txt" and "link", a link to a folder outside it that holds "keep.txt".
struct LinkedFolder {
    std::wstring folder;
    std::wstring outside;
};

// Makes such a folder in `parent` when the platform can make the link, or else takes the fixture
// (symbolic links only); nothing when neither is possible.
std::optional<LinkedFolder> MakeLinkedFolder(const std::wstring& parent, LinkKind kind);

}  // namespace testing_support
