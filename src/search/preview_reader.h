#pragma once
// Reads the focused row's file for the preview on a thread of its own: read-only and shared, in
// pieces, the match locator telling which lines to show. A new request drops the read in hand
// between two pieces; what was found so far reaches the UI thread in steps.
#include "search/match_locator.h"
#include "win/ui_callback.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace findlark {

struct PreviewRequest {
    std::wstring path;
    bool folder = false;  // the row lists a folder
    std::shared_ptr<const ContentRule> rule;  // the phrases of the run that listed the row; null for none
    PreviewLimits limits;
    bool readOnlineOnly = false;  // reading downloads the file
};

// What a request shows, as far as it got: the lines found since the last update.
struct PreviewUpdate {
    std::uint64_t request = 0;
    bool fresh = false;        // the first update of its request: what was shown goes
    std::wstring header;       // the first lines: counts, a kind or a reason, replaced by each update
    std::vector<PreviewLine> lines;
    bool done = false;
};

class PreviewReader {
public:
    static constexpr std::size_t kPieceBytes = 256 * 1024;

    // `updated` runs on the UI thread when an update waits to be taken.
    explicit PreviewReader(std::function<void()> updated);
    ~PreviewReader();
    PreviewReader(const PreviewReader&) = delete;
    PreviewReader& operator=(const PreviewReader&) = delete;

    // Returns the request's number at once; the read in hand stops at its next piece.
    std::uint64_t show(PreviewRequest request);
    // Nothing to show: the read in hand stops and no update follows.
    void clear();
    // The latest request's update, if one waits.
    std::optional<PreviewUpdate> take();
    // No read is under way or waiting.
    bool idle() const;

private:
    void run() noexcept;
    void read(const PreviewRequest& request, std::uint64_t number);
    bool current(std::uint64_t number) const { return wanted_.load() == number; }
    // Hands the new lines and the header over; `done` ends the request.
    void publish(std::uint64_t number, std::wstring header, const MatchLocator* locator, bool done);

    std::function<void()> updated_;
    win::UiCallback callback_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<PreviewRequest> pending_;
    std::atomic<std::uint64_t> wanted_{0};
    bool stopping_ = false, reading_ = false;
    std::optional<PreviewUpdate> update_;  // waits for the UI thread
    std::size_t sent_ = 0;                  // lines of the request in hand already handed over
    bool sentAny_ = false;                  // an update of the request in hand was made
    std::thread thread_;
};

// The words for a file that could not be read.
std::wstring UnreadableReason(unsigned long error);

// Feeds a file to the locator, read-only and shared, in pieces; `piece` runs after each one and
// ends the read when it returns false. Gives the error that ended the read early, or 0.
unsigned long LocateInFile(const std::wstring& path, MatchLocator& locator, const std::function<bool()>& piece);

// The text of the ANSI code page in UTF-16.
std::u16string AnsiText(std::string_view bytes);

// Every matching line of the files, as grep writes them: "path(line): text". `stopped` is asked
// between pieces; `fileDone` runs after each file.
std::vector<std::wstring> MatchingLines(const std::vector<std::wstring>& paths, const ContentRule& rule,
                                        const std::function<bool()>& stopped, const std::function<void()>& fileDone);

}  // namespace findlark
