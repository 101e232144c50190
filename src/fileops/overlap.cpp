#include "fileops/overlap.h"

#include "win/long_path.h"

#include <algorithm>

namespace findlark {
DestinationChain::DestinationChain(const std::wstring& destination) : chain_(win::IdentityChain(destination)) {
    // The path as given too: a folder above it may be a link whose own identity the final path skips.
    for (std::wstring current = destination; !current.empty(); current = std::wstring(win::ParentFolder(current))) {
        if (const std::optional<win::FileIdentity> identity = win::IdentityOf(current)) chain_.push_back(*identity);
    }
}

bool DestinationChain::contains(const win::FileIdentity& identity) const {
    return std::find(chain_.begin(), chain_.end(), identity) != chain_.end();
}

std::optional<FailureReason> FindOverlap(const std::wstring& source, const std::wstring& target,
                                         const DestinationChain& destination) {
    const std::optional<win::FileIdentity> item = win::IdentityOf(source);
    if (!item) return std::nullopt;
    for (const win::Links links : {win::Links::Follow, win::Links::Stop}) {
        if (win::IdentityOf(target, links) == item) return FailureReason::OntoItself;
    }
    if (destination.contains(*item)) return FailureReason::TargetInsideSource;
    // Replacing a folder above the item merges the item into its own ancestor, over its own contents.
    if (const std::optional<win::FileIdentity> existing = win::IdentityOf(target)) {
        const std::vector<win::FileIdentity> above = win::IdentityChain(source);
        if (std::find(above.begin(), above.end(), *existing) != above.end()) return FailureReason::TargetHoldsSource;
    }
    return std::nullopt;
}

}  // namespace findlark
