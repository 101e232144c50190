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
    std::wstring_view get(Ref ref) const;
    void clear();

private:
    static constexpr std::size_t kBlockChars = 32768;
    std::vector<std::unique_ptr<wchar_t[]>> blocks_;
    std::size_t used_ = kBlockChars;  // characters used in the last block
};

}  // namespace findlark
