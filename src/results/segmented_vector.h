#pragma once
// A growable array in fixed blocks: appending never moves what is already stored, so a list of
// millions of rows grows in constant time per row without pauses for copying.
#include <cstddef>
#include <memory>
#include <vector>

namespace findlark {

template <class T, std::size_t BlockSize = 8192>
class SegmentedVector {
public:
    void push_back(const T& value) {
        if (size_ == blocks_.size() * BlockSize) blocks_.push_back(std::make_unique<T[]>(BlockSize));
        blocks_[size_ / BlockSize][size_ % BlockSize] = value;
        ++size_;
    }
    T& operator[](std::size_t index) { return blocks_[index / BlockSize][index % BlockSize]; }
    const T& operator[](std::size_t index) const { return blocks_[index / BlockSize][index % BlockSize]; }
    std::size_t size() const { return size_; }
    static constexpr std::size_t kBlockSize = BlockSize;
    // The blocks as they are now: they never move until `clear`, so the values stored so far can be
    // read through them from another thread while values are appended.
    std::vector<const T*> blocks() const {
        std::vector<const T*> pointers;
        pointers.reserve(blocks_.size());
        for (const auto& block : blocks_) pointers.push_back(block.get());
        return pointers;
    }
    bool empty() const { return size_ == 0; }
    void clear() {
        blocks_.clear();
        size_ = 0;
    }

private:
    std::vector<std::unique_ptr<T[]>> blocks_;
    std::size_t size_ = 0;
};

}  // namespace findlark
