#include "search/content_scan.h"

#include <algorithm>
#include <cstring>

namespace findlark {
namespace {

// The offset of the first U+0000 in whole code units, or `size`; a word at a time, as fast as memchr.
std::size_t ZeroUnitAt(const unsigned char* data, std::size_t size) {
    constexpr std::uint64_t kOnes = 0x0001000100010001ull, kHighs = 0x8000800080008000ull;
    std::size_t at = 0;
    for (; at + 8 <= size; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + at, sizeof word);
        if ((word - kOnes) & ~word & kHighs) break;
    }
    for (; at + 2 <= size; at += 2) {
        if (data[at] == 0 && data[at + 1] == 0) return at;
    }
    return size;
}

std::size_t ZeroByteAt(const unsigned char* data, std::size_t size) {
    const void* zero = std::memchr(data, 0, size);
    return zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - data) : size;
}

// Where a UTF-8 character that the piece ends inside of begins, or `size`.
std::size_t SplitCharacterAt(const unsigned char* data, std::size_t size) {
    if (size >= 1 && data[size - 1] >= 0xC2 && data[size - 1] <= 0xEF) return size - 1;
    if (size >= 2 && data[size - 2] >= 0xE0 && data[size - 2] <= 0xEF && (data[size - 1] & 0xC0) == 0x80)
        return size - 2;
    return size;
}

bool LooksLikeUtf16LE(const unsigned char* head, std::size_t size) {
    const std::size_t pairs = std::min(size, kEncodingHeadBytes) / 2;
    if (pairs < 8) return false;
    for (std::size_t i = 0; i < pairs; ++i) {
        if (head[2 * i] == 0 || head[2 * i + 1] != 0) return false;
    }
    return true;
}

}  // namespace

EncodingGuess GuessEncoding(const unsigned char* head, std::size_t size) {
    if (size >= 2 && head[0] == 0xFF && head[1] == 0xFE) return {ContentEncoding::Utf16LE, 2};
    if (size >= 2 && head[0] == 0xFE && head[1] == 0xFF) return {ContentEncoding::Utf16BE, 2};
    if (size >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) return {ContentEncoding::Utf8, 3};
    if (LooksLikeUtf16LE(head, size)) return {ContentEncoding::Utf16LE, 0};
    return {ContentEncoding::Ansi, 0};
}

NeedleStream::NeedleStream(const std::vector<ContentRule::Needle>& needles, std::size_t unit)
    : needles_(needles), unit_(unit) {
    for (const ContentRule::Needle& needle : needles_) overlap_ = std::max(overlap_, needle.finder.size() - unit_);
}

bool NeedleStream::occurs(const PhraseFinder& finder, const unsigned char* text, std::size_t size,
                          const unsigned char* starts) const {
    for (const unsigned char* at = text; (at = finder.find(at, size - static_cast<std::size_t>(at - text))); ++at) {
        const auto offset = static_cast<std::size_t>(at - text);
        if (offset % unit_ == 0 && (!starts || starts[offset])) return true;
    }
    return false;
}

void NeedleStream::scan(const unsigned char* view, std::size_t size, const unsigned char* starts, std::uint32_t& found,
                        bool zeroless) {
    if (size == 0) return;
    // Matches that begin in the tail of the views so far and end in this one.
    if (!carry_.empty()) {
        const std::size_t head = std::min(overlap_, size);
        window_.assign(carry_.begin(), carry_.end());
        window_.insert(window_.end(), view, view + head);
        if (starts) {
            windowStarts_.assign(carryStarts_.begin(), carryStarts_.end());
            windowStarts_.insert(windowStarts_.end(), starts, starts + head);
        }
        for (const ContentRule::Needle& needle : needles_) {
            if (!((found >> needle.phrase) & 1u) &&
                occurs(needle.finder, window_.data(), window_.size(), starts ? windowStarts_.data() : nullptr))
                found |= 1u << needle.phrase;
        }
    }
    for (const ContentRule::Needle& needle : needles_) {
        if (!((found >> needle.phrase) & 1u) && !(zeroless && needle.finder.holdsZero()) &&
            occurs(needle.finder, view, size, starts))
            found |= 1u << needle.phrase;
    }
    keepTail(view, size, starts);
}

// Views are whole units, and so is the overlap: the carry keeps a match's alignment.
void NeedleStream::keepTail(const unsigned char* view, std::size_t size, const unsigned char* starts) {
    if (overlap_ == 0) return;
    carry_.insert(carry_.end(), view + (size - std::min(overlap_, size)), view + size);
    if (starts) carryStarts_.insert(carryStarts_.end(), starts + (size - std::min(overlap_, size)), starts + size);
    if (carry_.size() > overlap_) {
        const auto drop = static_cast<std::ptrdiff_t>(carry_.size() - overlap_);
        carry_.erase(carry_.begin(), carry_.begin() + drop);
        if (starts) carryStarts_.erase(carryStarts_.begin(), carryStarts_.begin() + drop);
    }
}

UnitStream::UnitStream(const std::vector<ContentRule::Needle>& needles, bool bigEndian, const CaseFolding* folding)
    : needles_(needles, 2), bigEndian_(bigEndian), folding_(folding) {}

void UnitStream::feed(const unsigned char* data, std::size_t size, std::uint32_t& found, bool zeroless) {
    if (!open() || size == 0) return;
    if (oddByte_) {
        const unsigned char unit[2] = {*oddByte_, data[0]};
        oddByte_.reset();
        scan(unit, 2, found, false);
        ++data;
        --size;
        if (ended_) return;
    }
    const std::size_t whole = size & ~std::size_t{1};
    scan(data, whole, found, zeroless);
    if (!ended_ && whole < size) oddByte_ = data[whole];
}

void UnitStream::scan(const unsigned char* data, std::size_t size, std::uint32_t& found, bool zeroless) {
    const std::size_t end = zeroless ? size : ZeroUnitAt(data, size);
    ended_ = end < size;
    size = end;
    if (folding_) {
        folded_.resize(size);
        for (std::size_t i = 0; i < size; i += 2) {
            const auto unit = static_cast<char16_t>(bigEndian_ ? data[i] << 8 | data[i + 1] : data[i + 1] << 8 | data[i]);
            const char16_t capital = folding_->unit(unit);
            folded_[i + (bigEndian_ ? 1 : 0)] = static_cast<unsigned char>(capital & 0xFF);
            folded_[i + (bigEndian_ ? 0 : 1)] = static_cast<unsigned char>(capital >> 8);
        }
        data = folded_.data();
    }
    // Capitals may hold zero bytes that the units do not.
    needles_.scan(data, size, nullptr, found, zeroless && !folding_);
}

ContentScan::ContentScan(const ContentRule& rule, bool candidates)
    : rule_(rule), folding_(rule.folding()), heedNot_(!candidates), found_(candidates ? rule.unneedled() : 0) {}

bool ContentScan::wantsMore() const {
    const bool bytesOpen = main_ && !bytesEnded_;
    const bool unitsOpen = std::any_of(units_.begin(), units_.end(), [](const UnitStream& units) { return units.open(); });
    return (bytesOpen || unitsOpen) && rule_.outcome(found_, false, heedNot_) == ContentRule::Outcome::Open;
}

void ContentScan::decide(const unsigned char* head, std::size_t size) {
    const EncodingGuess guess = GuessEncoding(head, size);
    decided_ = true;
    encoding_ = guess.encoding;
    skip_ = guess.markBytes;
    switch (encoding_) {
    case ContentEncoding::Ansi:
        main_.emplace(rule_.ansiNeedles(), 1);
        utf8_.emplace(rule_.ansiUtf8Needles(), 1);
        units_.reserve(2);
        units_.emplace_back(rule_.utf16Needles(false), false, folding_);
        units_.emplace_back(rule_.utf16Needles(true), true, folding_);
        break;
    case ContentEncoding::Utf8:
        main_.emplace(rule_.utf8Needles(), 1);
        break;
    case ContentEncoding::Utf16LE:
    case ContentEncoding::Utf16BE: {
        const bool bigEndian = encoding_ == ContentEncoding::Utf16BE;
        units_.emplace_back(rule_.utf16Needles(bigEndian), bigEndian, folding_);
        break;
    }
    }
}

bool ContentScan::feed(const unsigned char* data, std::size_t size) {
    if (!decided_) {
        // Most files tell their encoding from the first piece; small pieces wait until enough is in.
        if (head_.empty() && size >= kEncodingHeadBytes) {
            decide(data, size);
        } else {
            const std::size_t take = std::min(size, kEncodingHeadBytes - head_.size());
            head_.insert(head_.end(), data, data + take);
            if (head_.size() < kEncodingHeadBytes) return true;
            decide(head_.data(), head_.size());
            data += take;
            size -= take;
            feedBody(head_.data(), head_.size());
        }
    }
    if (wantsMore()) feedBody(data, size);
    return wantsMore();
}

bool ContentScan::finish() {
    if (!decided_) {
        decide(head_.data(), head_.size());
        feedBody(head_.data(), head_.size());
    }
    // A character split at the end of the content is searched as it stands; half a code unit is none.
    if (!bytesEnded_ && !utf8Pending_.empty()) {
        std::size_t size = 0;
        const unsigned char* view = foldUtf8(nullptr, size, true);
        (encoding_ == ContentEncoding::Ansi ? *utf8_ : *main_).scan(view, size, nullptr, found_);
    }
    return rule_.outcome(found_, true, heedNot_) == ContentRule::Outcome::Pass;
}

void ContentScan::feedBody(const unsigned char* data, std::size_t size) {
    const std::size_t dropped = std::min(skip_, size);
    skip_ -= dropped;
    data += dropped;
    size -= dropped;
    if (size == 0) return;
    // Plain text seldom holds a zero byte, and UTF-16 forms of ASCII always do: the one look for it
    // that the plain content needs anyway spares their search.
    const std::size_t zero = main_ ? ZeroByteAt(data, size) : size;
    for (UnitStream& units : units_) units.feed(data, size, found_, encoding_ == ContentEncoding::Ansi && zero == size);
    if (main_ && !bytesEnded_) feedBytes(data, size, zero);
}

void ContentScan::feedBytes(const unsigned char* data, std::size_t size, std::size_t end) {
    bytesEnded_ = end < size;
    size = end;
    if (encoding_ == ContentEncoding::Ansi && !main_->empty()) {
        const bool doubleByte = rule_.doubleByte();
        if (doubleByte) markStarts(data, size);
        const unsigned char* view = folding_ ? foldAnsi(data, size) : data;
        main_->scan(view, size, doubleByte ? starts_.data() : nullptr, found_);
    }
    NeedleStream& utf8 = encoding_ == ContentEncoding::Ansi ? *utf8_ : *main_;
    if (utf8.empty()) return;
    if (folding_) {
        std::size_t folded = size;
        const unsigned char* view = foldUtf8(data, folded, bytesEnded_);
        utf8.scan(view, folded, nullptr, found_);
    } else {
        utf8.scan(data, size, nullptr, found_);
    }
}

void ContentScan::markStarts(const unsigned char* data, std::size_t size) {
    starts_.resize(size);
    for (std::size_t i = 0; i < size; ++i) {
        starts_[i] = !trailPending_;
        trailPending_ = !trailPending_ && rule_.isLeadByte(data[i]);
    }
}

// Trail bytes keep their value: a double-byte character is compared as it is.
const unsigned char* ContentScan::foldAnsi(const unsigned char* data, std::size_t size) {
    folded_.resize(size);
    const bool doubleByte = rule_.doubleByte();
    for (std::size_t i = 0; i < size; ++i)
        folded_[i] = !doubleByte || starts_[i] ? folding_->ansi[data[i]] : data[i];
    return folded_.data();
}

const unsigned char* ContentScan::foldUtf8(const unsigned char* data, std::size_t& size, bool last) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!utf8Pending_.empty()) text = utf8Pending_.append(text);
    const std::size_t cut = last ? text.size() : SplitCharacterAt(reinterpret_cast<const unsigned char*>(text.data()), text.size());
    utf8Folded_ = FoldUtf8(text.substr(0, cut), *folding_);
    utf8Pending_ = std::string(text.substr(cut));
    size = utf8Folded_.size();
    return reinterpret_cast<const unsigned char*>(utf8Folded_.data());
}

}  // namespace findlark
