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

namespace {

template <class Blocks>
std::wstring_view NameAt(const Blocks& blocks, NameArena::Ref ref) {
    const auto block = static_cast<std::size_t>(ref >> 40);
    const auto offset = static_cast<std::size_t>((ref >> 16) & 0xFFFFFF);
    return {&blocks[block][0] + offset, static_cast<std::size_t>(ref & 0xFFFF)};
}

}  // namespace

std::wstring_view NameArena::get(const std::vector<std::unique_ptr<wchar_t[]>>& blocks, Ref ref) { return NameAt(blocks, ref); }

std::wstring_view NameArena::get(const std::vector<const wchar_t*>& blocks, Ref ref) { return NameAt(blocks, ref); }

std::vector<const wchar_t*> NameArena::blocks() const {
    std::vector<const wchar_t*> pointers;
    pointers.reserve(blocks_.size());
    for (const auto& block : blocks_) pointers.push_back(block.get());
    return pointers;
}

void NameArena::clear() {
    blocks_.clear();
    used_ = kBlockChars;
}

}  // namespace findlark
