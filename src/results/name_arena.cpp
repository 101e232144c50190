#include "results/name_arena.h"

#include <algorithm>

namespace findlark {

// A reference holds the block (high 24 bits), the offset in it (24 bits) and the length (16 bits).
NameArena::Ref NameArena::add(std::wstring_view name) {
    const std::size_t length = std::min<std::size_t>(name.size(), kBlockChars);
    if (used_ + length > kBlockChars) {
        blocks_.push_back(std::make_unique_for_overwrite<wchar_t[]>(kBlockChars));
        used_ = 0;
    }
    std::copy_n(name.data(), length, blocks_.back().get() + used_);
    const Ref ref = (static_cast<Ref>(blocks_.size() - 1) << 40) | (static_cast<Ref>(used_) << 16) | length;
    used_ += length;
    return ref;
}

std::wstring_view NameArena::get(Ref ref) const {
    const auto block = static_cast<std::size_t>(ref >> 40);
    const auto offset = static_cast<std::size_t>((ref >> 16) & 0xFFFFFF);
    return {blocks_[block].get() + offset, static_cast<std::size_t>(ref & 0xFFFF)};
}

void NameArena::clear() {
    blocks_.clear();
    used_ = kBlockChars;
}

}  // namespace findlark
