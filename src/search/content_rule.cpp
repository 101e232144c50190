#include "search/content_rule.h"

#include <algorithm>
#include <cstring>

namespace findlark {
namespace {

// How often each byte turns up in ordinary text and code, higher for more often (a coarse rank).
int ByteCommonness(unsigned char b) {
    if (b == ' ' || b == 'e' || b == 't' || b == 'a' || b == 'o' || b == 'i' || b == 'n') return 9;
    if (b == 's' || b == 'r' || b == 'h' || b == 'l' || b == 'd' || b == '\n' || b == '\r') return 8;
    if (b >= 'a' && b <= 'z') return 6;
    if (b >= '0' && b <= '9') return 5;
    if (b == ',' || b == '.' || b == '_' || b == '(' || b == ')' || b == ';' || b == '=' || b == '"') return 5;
    if (b >= 'A' && b <= 'Z') return 4;
    if (b < 0x80) return 3;
    return 2;
}

}  // namespace

// memchr finds candidates for the phrase's rarest byte at memory speed; memcmp confirms them.
PhraseFinder::PhraseFinder(std::string phrase) : phrase_(std::move(phrase)) {
    for (std::size_t i = 1; i < phrase_.size(); ++i) {
        if (ByteCommonness(static_cast<unsigned char>(phrase_[i])) <
            ByteCommonness(static_cast<unsigned char>(phrase_[anchor_])))
            anchor_ = i;
    }
}

const unsigned char* PhraseFinder::find(const unsigned char* text, std::size_t size) const {
    const std::size_t length = phrase_.size();
    if (length == 0 || size < length) return nullptr;
    const auto anchorByte = static_cast<unsigned char>(phrase_[anchor_]);
    const unsigned char* const lastStart = text + (size - length);
    for (const unsigned char* at = text + anchor_; at <= lastStart + anchor_;) {
        at = static_cast<const unsigned char*>(
            std::memchr(at, anchorByte, static_cast<std::size_t>(lastStart + anchor_ - at) + 1));
        if (!at) return nullptr;
        const unsigned char* const start = at - anchor_;
        if (std::memcmp(start, phrase_.data(), length) == 0) return start;
        ++at;
    }
    return nullptr;
}

ContentRule::ContentRule(std::vector<ContentPhrase> phrases, const LeadBytes& leadBytes)
    : phrases_(std::move(phrases)), leadBytes_(leadBytes) {
    doubleByte_ = std::any_of(leadBytes_.begin(), leadBytes_.end(), [](bool lead) { return lead; });
    for (const ContentPhrase& phrase : phrases_) {
        longest_ = std::max(longest_, phrase.bytes.size());
        finders_.emplace_back(phrase.bytes);
    }
}

ContentRule::Outcome ContentRule::outcome(std::uint32_t found, bool final) const {
    bool any = (found & 1u) != 0, allAnd = true, notFound = false, notPending = false;
    for (std::size_t i = 1; i < phrases_.size(); ++i) {
        const bool present = (found >> i) & 1u;
        switch (phrases_[i].op) {
        case TextOr:
            any = any || present;
            break;
        case TextNot:
            (present ? notFound : notPending) = true;
            break;
        default:
            allAnd = allAnd && present;
            break;
        }
    }
    if (notFound) return Outcome::Fail;  // settled, whatever follows
    if (any && allAnd) return final || !notPending ? Outcome::Pass : Outcome::Open;
    return final ? Outcome::Fail : Outcome::Open;
}

ContentScan::ContentScan(const ContentRule& rule) : rule_(rule) {}

void ContentScan::markStarts(const unsigned char* data, std::size_t size) {
    starts_.resize(size);
    for (std::size_t i = 0; i < size; ++i) {
        starts_[i] = !trailPending_;
        trailPending_ = !trailPending_ && rule_.isLeadByte(data[i]);
    }
}

bool ContentScan::occursIn(const PhraseFinder& phrase, const unsigned char* text, std::size_t size,
                           const unsigned char* starts) const {
    for (const unsigned char* at = text; (at = phrase.find(at, size - static_cast<std::size_t>(at - text))); ++at) {
        // In a double-byte code page a match may not begin on a trail byte.
        if (!starts || starts[at - text]) return true;
    }
    return false;
}

bool ContentScan::feed(const unsigned char* data, std::size_t size) {
    if (ended_) return false;
    if (const void* zero = std::memchr(data, 0, size)) {
        size = static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - data);
        ended_ = true;
    }
    const bool doubleByte = rule_.doubleByte();
    if (doubleByte) markStarts(data, size);
    const std::size_t overlap = rule_.longest() > 0 ? rule_.longest() - 1 : 0;

    // Phrases that begin in the carried tail and end in this piece.
    if (!carry_.empty() && size > 0) {
        const std::size_t head = std::min(overlap, size);
        window_.assign(carry_).append(reinterpret_cast<const char*>(data), head);
        if (doubleByte) {
            windowStarts_.assign(carryStarts_.begin(), carryStarts_.end());
            windowStarts_.insert(windowStarts_.end(), starts_.begin(), starts_.begin() + static_cast<std::ptrdiff_t>(head));
        }
        for (std::size_t i = 0; i < rule_.phraseCount(); ++i) {
            if ((found_ >> i) & 1u) continue;
            if (occursIn(rule_.finder(i), reinterpret_cast<const unsigned char*>(window_.data()), window_.size(),
                         doubleByte ? windowStarts_.data() : nullptr))
                found_ |= 1u << i;
        }
    }
    for (std::size_t i = 0; i < rule_.phraseCount(); ++i) {
        if ((found_ >> i) & 1u) continue;
        if (occursIn(rule_.finder(i), data, size, doubleByte ? starts_.data() : nullptr)) found_ |= 1u << i;
    }

    // Keep the tail for the next piece.
    if (overlap > 0 && size > 0) {
        const std::size_t keep = std::min(overlap, size);
        if (size >= overlap) {
            carry_.assign(reinterpret_cast<const char*>(data + size - keep), keep);
            if (doubleByte) carryStarts_.assign(starts_.end() - static_cast<std::ptrdiff_t>(keep), starts_.end());
        } else {
            carry_.append(reinterpret_cast<const char*>(data), size);
            if (doubleByte) carryStarts_.insert(carryStarts_.end(), starts_.begin(), starts_.end());
            if (carry_.size() > overlap) {
                const std::size_t drop = carry_.size() - overlap;
                carry_.erase(0, drop);
                if (doubleByte) carryStarts_.erase(carryStarts_.begin(), carryStarts_.begin() + static_cast<std::ptrdiff_t>(drop));
            }
        }
    }
    return !ended_ && rule_.outcome(found_, false) == ContentRule::Outcome::Open;
}

bool ContainsPhrase(std::string_view content, std::string_view phrase) {
    LeadBytes singleByte{};
    const ContentRule rule({{TextAnd, std::string(phrase)}}, singleByte);
    ContentScan scan(rule);
    scan.feed(reinterpret_cast<const unsigned char*>(content.data()), content.size());
    return scan.passes();
}

}  // namespace findlark
