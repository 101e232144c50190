#include "search/preview_reader.h"

#include "model/attributes.h"
#include "win/error_text.h"
#include "win/handle.h"
#include "win/long_path.h"

#include <algorithm>
#include <chrono>

namespace findlark {
namespace {

// Updates while a file is read come at most this often; the first lines go at once.
constexpr std::chrono::milliseconds kUpdateInterval{40};

std::wstring Counted(std::uint64_t count, const wchar_t* one, const wchar_t* many) {
    return std::to_wstring(count) + L" " + (count == 1 ? one : many);
}

std::wstring CountsHeader(const MatchLocator& locator, bool done) {
    std::wstring header = Counted(locator.matches(), L"match", L"matches") + L" in " +
                          Counted(locator.matchingLines(), L"line", L"lines");
    if (!done) header += L" so far, reading \u2026";
    if (locator.moreNotShown()) header += L"\r\n\u2026 more not shown";
    return header;
}

std::wstring BinaryHeader(const MatchLocator& locator, std::uint64_t bytes, bool phrases, bool done) {
    std::wstring header = L"Binary file, " + Counted(bytes, L"byte", L"bytes");
    if (phrases) header += L", " + Counted(locator.matches(), L"match", L"matches") + (done ? L" found" : L" so far");
    return header;
}

}  // namespace

std::u16string AnsiText(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::u16string text(static_cast<std::size_t>(std::max(length, 0)), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(text.data()), length);
    return text;
}

unsigned long LocateInFile(const std::wstring& path, MatchLocator& locator, const std::function<bool()>& piece) {
    const win::UniqueFileHandle file(::CreateFileW(win::PlatformPath(path).c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return ::GetLastError();
    std::vector<unsigned char> buffer(PreviewReader::kPieceBytes);
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            const DWORD error = ::GetLastError();
            locator.finish();
            return error;
        }
        if (got == 0 || !locator.feed(buffer.data(), got) || !piece()) break;
    }
    locator.finish();
    return 0;
}

std::vector<std::wstring> MatchingLines(const std::vector<std::wstring>& paths, const ContentRule& rule,
                                        const std::function<bool()>& stopped, const std::function<void()>& fileDone) {
    PreviewLimits limits;
    limits.contextLines = 0;
    limits.matchingLines = SIZE_MAX;
    limits.lineUnits = SIZE_MAX;
    std::vector<std::wstring> lines;
    for (const std::wstring& path : paths) {
        if (stopped()) break;
        MatchLocator locator(&rule, limits, AnsiText);
        LocateInFile(path, locator, [&] { return !stopped() && !locator.binary(); });
        std::optional<MatchLocator> units;
        if (locator.binary() && locator.utf16Shape()) {
            units.emplace(&rule, limits, AnsiText, *locator.utf16Shape());
            LocateInFile(path, *units, [&] { return !stopped(); });
        }
        if (!locator.binary() || units) {
            for (const PreviewLine& line : (units ? *units : locator).lines())
                lines.push_back(path + L"(" + std::to_wstring(line.number) + L"): " + std::wstring(line.text.begin(), line.text.end()));
        }
        fileDone();
    }
    return lines;
}

std::wstring UnreadableReason(unsigned long error) {
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return L"The file is in use by another program.";
    case ERROR_ACCESS_DENIED:
        return L"Access to the file is denied.";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return L"The file no longer exists.";
    case ERROR_FILENAME_EXCED_RANGE:
        return L"The path is too long.";
    default:
        return L"The file could not be read: " + win::ErrorText(error);
    }
}

PreviewReader::PreviewReader(std::function<void()> updated)
    : updated_(std::move(updated)), callback_([this] {
          if (updated_) updated_();
      }) {
    thread_ = std::thread([this] { run(); });
}

PreviewReader::~PreviewReader() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        ++wanted_;
    }
    wake_.notify_all();
    thread_.join();
}

std::uint64_t PreviewReader::show(PreviewRequest request) {
    std::uint64_t number = 0;
    {
        const std::lock_guard lock(mutex_);
        number = ++wanted_;
        pending_ = std::move(request);
        update_.reset();
    }
    wake_.notify_all();
    return number;
}

void PreviewReader::clear() {
    const std::lock_guard lock(mutex_);
    ++wanted_;
    pending_.reset();
    update_.reset();
}

std::optional<PreviewUpdate> PreviewReader::take() {
    const std::lock_guard lock(mutex_);
    std::optional<PreviewUpdate> update;
    update.swap(update_);
    return update;
}

bool PreviewReader::idle() const {
    const std::lock_guard lock(mutex_);
    return !reading_ && !pending_;
}

void PreviewReader::run() noexcept {
    for (;;) {
        PreviewRequest request;
        std::uint64_t number = 0;
        {
            std::unique_lock lock(mutex_);
            reading_ = false;
            wake_.wait(lock, [this] { return stopping_ || pending_.has_value(); });
            if (stopping_) return;
            request = std::move(*pending_);
            pending_.reset();
            number = wanted_;
            reading_ = true;
            sent_ = 0;
            sentAny_ = false;
        }
        try {
            read(request, number);
        } catch (...) {
            publish(number, L"The file could not be shown: not enough memory.", nullptr, true);
        }
    }
}

void PreviewReader::publish(std::uint64_t number, std::wstring header, const MatchLocator* locator, bool done) {
    {
        const std::lock_guard lock(mutex_);
        if (!current(number)) return;
        if (!update_) update_ = PreviewUpdate{number, !sentAny_, {}, {}, false};
        update_->header = std::move(header);
        update_->done = done;
        if (locator) {
            const std::vector<PreviewLine>& lines = locator->lines();
            for (; sent_ < lines.size(); ++sent_) update_->lines.push_back(lines[sent_]);
        }
        sentAny_ = true;
    }
    ::PostMessageW(callback_.target(), win::UiCallback::kMessage, 0, 0);
}

void PreviewReader::read(const PreviewRequest& request, std::uint64_t number) {
    const std::wstring platformPath = win::PlatformPath(request.path);
    WIN32_FILE_ATTRIBUTE_DATA facts{};
    if (!::GetFileAttributesExW(platformPath.c_str(), GetFileExInfoStandard, &facts)) {
        publish(number, request.path + L"\r\n" + UnreadableReason(::GetLastError()), nullptr, true);
        return;
    }
    if (facts.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        publish(number, request.path + L"\r\nFolder", nullptr, true);
        return;
    }
    if (IsOnlineOnly(facts.dwFileAttributes) && !request.readOnlineOnly) {
        publish(number, request.path + L"\r\nThe file is online-only and has not been downloaded; reading it would download it.",
                nullptr, true);
        return;
    }
    MatchLocator locator(request.rule.get(), request.limits, AnsiText);
    const bool phrases = request.rule != nullptr;
    // A binary file without phrases is not read to its end: its size is the file's.
    const std::uint64_t size = static_cast<std::uint64_t>(facts.nFileSizeHigh) << 32 | facts.nFileSizeLow;
    const auto header = [&](bool done) {
        if (locator.binary()) return BinaryHeader(locator, std::max(size, locator.bytes()), phrases, done);
        return phrases ? CountsHeader(locator, done) : request.path;
    };
    auto lastUpdate = std::chrono::steady_clock::now() - kUpdateInterval;
    std::size_t linesSent = 0;
    const unsigned long error = LocateInFile(request.path, locator, [&] {
        // The first lines go at once; later ones in steps, so the window is not asked too often.
        const auto now = std::chrono::steady_clock::now();
        if ((linesSent == 0 && !locator.lines().empty()) || now - lastUpdate >= kUpdateInterval) {
            publish(number, header(false), &locator, false);
            linesSent = locator.lines().size();
            lastUpdate = now;
        }
        return current(number);
    });
    if (!current(number)) return;
    if (error != 0 && locator.bytes() == 0) {
        publish(number, request.path + L"\r\n" + UnreadableReason(error), nullptr, true);
        return;
    }
    if (error != 0) {
        publish(number, header(true) + L"\r\n" + UnreadableReason(error), &locator, true);
        return;
    }
    // What looked binary may be UTF-16 text without a mark.
    if (locator.binary() && locator.utf16Shape()) {
        MatchLocator units(request.rule.get(), request.limits, AnsiText, *locator.utf16Shape());
        if (LocateInFile(request.path, units, [&] { return current(number); }) == 0 && current(number)) {
            publish(number, phrases ? CountsHeader(units, true) : request.path, &units, true);
            return;
        }
        if (!current(number)) return;
    }
    // Plain text that holds no phrase may be UTF-16 without a mark, where the content test also looks.
    if (phrases && locator.encoding() == ContentEncoding::Ansi && !locator.binary() && locator.matches() == 0) {
        for (const ContentEncoding order : {ContentEncoding::Utf16LE, ContentEncoding::Utf16BE}) {
            MatchLocator units(request.rule.get(), request.limits, AnsiText, order);
            if (LocateInFile(request.path, units, [&] { return current(number); }) != 0 || !current(number)) break;
            if (units.matches() > 0) {
                publish(number, CountsHeader(units, true), &units, true);
                return;
            }
        }
        if (!current(number)) return;
    }
    publish(number, header(true), &locator, true);
}

}  // namespace findlark
