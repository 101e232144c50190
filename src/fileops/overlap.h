#pragma once
// Whether copying an item to a target would copy it onto itself, into its own tree, or over a folder
// that holds it. Decided by the items' identities (volume and file ID), never by comparing paths, so
// no letter case, short name, second drive letter or link hides it.
#include "fileops/failure_report.h"
#include "win/file_identity.h"

#include <optional>
#include <string>
#include <vector>

namespace findlark {

// The identities of a destination folder and of every folder above it.
class DestinationChain {
public:
    explicit DestinationChain(const std::wstring& destination);
    bool contains(const win::FileIdentity& identity) const;

private:
    std::vector<win::FileIdentity> chain_;
};

// Why copying `source` to `target` (an item in the destination) must not happen, or nothing.
std::optional<FailureReason> FindOverlap(const std::wstring& source, const std::wstring& target,
                                         const DestinationChain& destination);

}  // namespace findlark
