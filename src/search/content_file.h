#pragma once
// The content test on a real file: the phrases in the forms the system's code pages give them, the file
// read in pieces of bounded size, opened for reading only and shared, so that it never locks anyone out.
#include "search/content_scan.h"
#include "win/case_folding_table.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace findlark {

// Which code units the platform counts as parts of words, made once.
const WordCharacters& PlatformWordCharacters();

// The rule of a run from its criteria; nothing when "Specify text" is off.
std::optional<ContentRule> MakeContentRule(const SearchCriteria& criteria);

class ContentReader {
public:
    static constexpr std::size_t kPieceBytes = 1 << 20;
    // `stopRequested` is asked between pieces, so a stop never waits for a large file.
    explicit ContentReader(std::function<bool()> stopRequested);
    // A file that cannot be opened or read (a folder, one locked by another program) has empty content.
    ContentVerdict MatchContent(const std::wstring& path, const ContentRule& rule);

private:
    enum class ReadEnd { Done, Stopped, Unreadable };
    ReadEnd readPieces(const std::wstring& path, const std::function<bool(const unsigned char*, std::size_t)>& take);
    ContentVerdict scan(const std::wstring& path, const ContentRule& rule, bool candidates);
    ContentVerdict matchLines(const std::wstring& path, const ContentRule& rule, bool candidate);

    std::function<bool()> stopRequested_;
    std::vector<unsigned char> buffer_;
    std::optional<std::size_t> held_;  // the last file read is all in the buffer, this long
};

}  // namespace findlark
