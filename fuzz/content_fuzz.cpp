// The content test, fed in pieces of every size, against a plain search of the whole content.
#include "fuzz_targets.h"

#include "search/content_rule.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace findlark;

bool RefFind(const std::string& content, const std::string& phrase, const LeadBytes& lead) {
    if (phrase.empty()) return false;
    std::vector<bool> starts(content.size());
    bool trail = false;
    for (std::size_t i = 0; i < content.size(); ++i) {
        starts[i] = !trail;
        trail = !trail && lead[static_cast<unsigned char>(content[i])];
    }
    for (std::size_t at = content.find(phrase); at != std::string::npos; at = content.find(phrase, at + 1)) {
        if (starts[at]) return true;
    }
    return false;
}

}  // namespace

int FuzzContent(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::uint8_t ops = data[0];
    const std::size_t piece = 1 + data[1];
    LeadBytes lead{};
    if (data[2] & 1) {
        for (int b = 0x81; b <= 0x9F; ++b) lead[static_cast<std::size_t>(b)] = true;
    }
    std::size_t at = 3;
    std::vector<ContentPhrase> phrases;
    for (int i = 0; i < 4 && at < size; ++i) {
        const std::size_t wanted = data[at++] % 8;
        const std::size_t length = std::min(wanted, size - at);
        const int op = i == 0 ? 0 : (ops >> (2 * (i - 1))) & 3;
        std::string bytes(reinterpret_cast<const char*>(data + at), length);
        at += length;
        if (op < 3) phrases.push_back({static_cast<TextOperator>(op), std::move(bytes)});
    }
    if (phrases.empty()) return 0;
    std::string content(reinterpret_cast<const char*>(data + at), size - at);

    const ContentRule rule(phrases, lead);
    ContentScan scan(rule);
    for (std::size_t from = 0; from < content.size(); from += piece) {
        const std::size_t length = std::min(piece, content.size() - from);
        if (!scan.feed(reinterpret_cast<const unsigned char*>(content.data() + from), length)) break;
    }

    const std::string upToZero = content.substr(0, content.find('\0'));
    bool any = RefFind(upToZero, phrases[0].bytes, lead), allAnd = true, noNot = true;
    for (std::size_t i = 1; i < phrases.size(); ++i) {
        const bool found = RefFind(upToZero, phrases[i].bytes, lead);
        if (phrases[i].op == TextOr) any = any || found;
        if (phrases[i].op == TextAnd) allAnd = allAnd && found;
        if (phrases[i].op == TextNot) noNot = noNot && !found;
    }
    if (scan.passes() != (any && allAnd && noNot)) std::abort();
    return 0;
}
