#include "search/content_file.h"

#include "win/handle.h"
#include "win/long_path.h"

namespace findlark {
namespace {

std::string AnsiBytes(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(std::max(length, 0)), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
    return bytes;
}

LeadBytes AnsiLeadBytes() {
    LeadBytes lead{};
    CPINFO info{};
    if (!::GetCPInfo(CP_ACP, &info)) return lead;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2) {
        for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) lead[static_cast<std::size_t>(b)] = true;
    }
    return lead;
}

}  // namespace

std::optional<ContentRule> MakeContentRule(const SearchCriteria& c) {
    if (!c.ContainingText) return std::nullopt;
    std::vector<ContentPhrase> phrases{{TextAnd, AnsiBytes(c.ContainingText0)}};
    for (const AdditionalTextRow& row : c.AdditionalText) {
        if (row.Enabled) phrases.push_back({static_cast<TextOperator>(row.Option), AnsiBytes(row.Text)});
    }
    return ContentRule(std::move(phrases), AnsiLeadBytes());
}

ContentReader::ContentReader(std::function<bool()> stopRequested) : stopRequested_(std::move(stopRequested)) {}

// Read, not mapped: a read error is then a failed call, not an exception that would end the program.
ContentVerdict ContentReader::MatchContent(const std::wstring& path, const ContentRule& rule) {
    ContentScan scan(rule);
    const win::UniqueFileHandle file(::CreateFileW(win::PlatformPath(path).c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file) {
        if (buffer_.empty()) buffer_.resize(kPieceBytes);
        for (bool first = true;; first = false) {
            if (!first && stopRequested_()) return ContentVerdict::Stopped;
            DWORD read = 0;
            if (!::ReadFile(file.get(), buffer_.data(), static_cast<DWORD>(buffer_.size()), &read, nullptr) || read == 0)
                break;
            if (!scan.feed(buffer_.data(), read)) break;
        }
    }
    return scan.passes() ? ContentVerdict::Pass : ContentVerdict::Fail;
}

}  // namespace findlark
