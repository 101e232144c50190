#include "search/entry_filters.h"

#include "model/attributes.h"

#include <cmath>

namespace findlark {
namespace {
constexpr std::int64_t kSecond = 1000;
}  // namespace

std::int64_t ToMilliseconds(DateTime value) { return std::llround(value * kMillisecondsPerDay); }

EntryFilters::Window EntryFilters::marginsOf(const DateWindow& window) {
    return {window.active, ToMilliseconds(window.from) - kSecond, ToMilliseconds(window.to) + kSecond};
}

EntryFilters::EntryFilters(const SearchCriteria& c, const DerivedBounds& bounds, LocalMilliseconds toLocal,
                           const CaseFolding* nameFolding)
    : modified_(marginsOf(bounds.ModifiedWindow)),
      created_(marginsOf(bounds.CreatedWindow)),
      accessed_(marginsOf(bounds.AccessedWindow)),
      sizeActive_(c.Size != SizeDoNotRemember),
      sizeLow_(bounds.SizeLow),
      sizeHigh_(bounds.SizeHigh),
      attributesActive_(c.Attributes),
      attributeMask_(bounds.AttributeMask),
      dropHidden_(!c.SearchHiddenFilesAndFolders),
      toLocal_(std::move(toLocal)) {
    if (c.AllOrPartOfTheFileName && c.MaskIsRegularExpression) {
        static const CaseFolding ascii = AsciiCaseFolding();
        nameRegex_.emplace(c.Mask, c.CaseSensitive ? nullptr : nameFolding ? nameFolding : &ascii);
        return;
    }
    // The name test uses the name box's text even when the enumeration was given "*.*".
    if (c.CaseSensitive) {
        const std::vector<MaskText> masks = SplitMasks(c.Mask);
        if (IsSingleMask(masks)) {
            caseSensitiveMasks_.push_back({CompiledMask(c.Mask.empty() ? c.Mask : masks.front().mask, true), false});
        } else {
            for (const MaskText& each : masks) caseSensitiveMasks_.push_back({CompiledMask(each.mask, true), each.exclude});
        }
    }
}

// Without case sensitivity the enumeration has already matched the name, long or short.
bool EntryFilters::MatchName(const EntryFacts& entry) const {
    if (nameRegex_) return nameRegex_->matches(entry.name);
    if (caseSensitiveMasks_.empty()) return true;
    bool included = false;
    for (const CaseSensitiveMask& each : caseSensitiveMasks_) {
        if (each.mask.matches(entry.name)) {
            if (each.exclude) return false;
            included = true;
        }
    }
    return included;
}

bool EntryFilters::inWindow(const Window& window, std::uint64_t fileTime) const {
    if (!window.active) return true;
    const std::int64_t local = toLocal_(fileTime);
    return window.from < local && local < window.to;
}

bool EntryFilters::MatchDates(const EntryFacts& entry) const {
    return inWindow(modified_, entry.written) && inWindow(created_, entry.created) &&
           inWindow(accessed_, entry.accessed);
}

bool EntryFilters::MatchSize(const EntryFacts& entry) const {
    return !sizeActive_ || (sizeLow_ <= entry.size && entry.size <= sizeHigh_);
}

// Both "Exact match" and "Contain selected" accept an entry that has every selected attribute.
bool EntryFilters::MatchAttributes(const EntryFacts& entry) const {
    if (attributesActive_ && (entry.attributes & attributeMask_) != attributeMask_) return false;
    return !(dropHidden_ && (entry.attributes & kAttributeHidden));
}

bool EntryFilters::passes(const EntryFacts& entry) const {
    return MatchName(entry) && MatchDates(entry) && MatchSize(entry) && MatchAttributes(entry);
}

}  // namespace findlark
