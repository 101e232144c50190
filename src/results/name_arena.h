#pragma once
// Names of the rows, packed one after another in large blocks: a row keeps an 8-byte reference
// instead of a string of its own.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace findlark {

class NameArena {
public:
    using Ref = std::uint64_t;
    Ref add(std::wstring_view name);
    std::wstring_view get(Ref ref) const { return get(blocks_, ref); }
    void clear();
    // The blocks as they are now: they never move until `clear`, so the names of the references
    // given so far can be read through them from another thread while names are added.
    std::vector<const wchar_t*> blocks() const;
    static std::wstring_view get(const std::vector<const wchar_t*>& blocks, Ref ref);

private:
    static std::wstring_view get(const std::vector<std::unique_ptr<wchar_t[]>>& blocks, Ref ref);
    static constexpr std::size_t kBlockChars = 32768;
    std::vector<std::unique_ptr<wchar_t[]>> blocks_;
    std::size_t used_ = kBlockChars;  // characters used in the last block
};

}  // namespace findlark
