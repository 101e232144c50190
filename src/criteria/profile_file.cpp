#include "criteria/profile_file.h"

#include "win/ansi_text.h"
#include "win/handle.h"
#include "win/write_all.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace findlark {
namespace {

constexpr DWORD kValueChars = 2048;
constexpr LONGLONG kLargestConverted = 16 * 1024 * 1024;
// What the profile functions give for a missing key: a text no file can hold as a value.
constexpr wchar_t kMissing[] = L"\x01\x02missing\x02\x01";

// The file's bytes; none when there is no file, nothing when it cannot be read whole (too large to
// be a real options file, or unreadable).
std::optional<std::vector<char>> ReadWholeFile(const std::wstring& path) {
    const win::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return ::GetLastError() == ERROR_FILE_NOT_FOUND ? std::optional<std::vector<char>>(std::vector<char>()) : std::nullopt;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestConverted) return std::nullopt;
    std::vector<char> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return std::nullopt;
    bytes.resize(read);
    return bytes;
}

// How a file is read through a UTF-16 copy: UTF-8 that the profile functions would read as ANSI
// (with its byte-order mark, or without one but with characters beyond ASCII that form valid UTF-8),
// or, after a UTF-8 mark, bytes that are not valid UTF-8, which are ANSI byte for byte.
struct Decoding {
    bool needsCopy = false;
    UINT codePage = CP_ACP;
    std::size_t skip = 0;  // the mark
};

bool ValidUtf8(const char* bytes, std::size_t size) {
    return size == 0 || ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size), nullptr, 0) > 0;
}

Decoding DecodingOf(const std::vector<char>& bytes) {
    if (bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF')))
        return {};  // UTF-16: the profile functions know it
    if (bytes.size() >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF')
        return {true, static_cast<UINT>(ValidUtf8(bytes.data() + 3, bytes.size() - 3) ? CP_UTF8 : CP_ACP), 3};
    bool beyondAscii = false;
    for (const char c : bytes) beyondAscii = beyondAscii || static_cast<unsigned char>(c) >= 0x80;
    if (beyondAscii && ValidUtf8(bytes.data(), bytes.size())) return {true, CP_UTF8, 0};
    return {};
}

bool IsUtf16(const std::vector<char>& bytes) {
    return bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
}

// Whether the text survives the ANSI code page unchanged: no character dropped, none replaced by a
// look-alike or a "?".
bool FitsAnsi(std::wstring_view text) { return win::ExactAnsi(text).has_value(); }

bool WriteWholeFile(const std::wstring& path, const std::wstring& text) {
    const win::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                                   nullptr));
    return file && win::WriteAll(file.get(), {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)});
}

std::wstring TemporaryPath() {
    wchar_t folder[MAX_PATH] = {}, path[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    if (!::GetTempFileNameW(folder, L"flk", 0, path)) return {};
    return path;
}

// The file's text as UTF-16 with its byte-order mark, read as UTF-8 (after its mark, if any) or in the
// ANSI code page.
std::wstring AsUtf16(const std::vector<char>& bytes, UINT codePage, std::size_t skip) {
    const int length =
        ::MultiByteToWideChar(codePage, 0, bytes.data() + skip, static_cast<int>(bytes.size() - skip), nullptr, 0);
    std::wstring text(1, L'\xFEFF');
    text.resize(1 + static_cast<std::size_t>(std::max(length, 0)));
    ::MultiByteToWideChar(codePage, 0, bytes.data() + skip, static_cast<int>(bytes.size() - skip), text.data() + 1, length);
    return text;
}

}  // namespace

ProfileFile::ProfileFile(std::wstring path, Use use) : path_(std::move(path)) {
    if (use != Use::Reading) return;
    const std::optional<std::vector<char>> bytes = ReadWholeFile(path_);
    if (!bytes) return;
    const Decoding decoding = DecodingOf(*bytes);
    if (!decoding.needsCopy) return;
    const std::wstring copy = TemporaryPath();
    if (copy.empty()) return;
    if (WriteWholeFile(copy, AsUtf16(*bytes, decoding.codePage, decoding.skip))) {
        ::SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_TEMPORARY);
        utf16Copy_ = copy;
    } else {
        ::DeleteFileW(copy.c_str());
    }
}

ProfileFile::~ProfileFile() {
    if (!utf16Copy_.empty()) {
        ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, utf16Copy_.c_str());  // let go of the cached copy
        ::DeleteFileW(utf16Copy_.c_str());
    }
}

std::optional<std::wstring> ProfileFile::read(std::wstring_view section, std::wstring_view key) {
    std::wstring value(kValueChars, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(std::wstring(section).c_str(), std::wstring(key).c_str(), kMissing,
                                                    value.data(), kValueChars,
                                                    (utf16Copy_.empty() ? path_ : utf16Copy_).c_str());
    value.resize(length);
    if (value == kMissing) return std::nullopt;
    return value;
}

bool ProfileFile::write(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    if (!unicode_ && (!encodingKnown_ || !FitsAnsi(value))) makeUnicodeIfNeeded(!FitsAnsi(value));
    // A file that could not be made UTF-16 (too large, or the rewrite failed) would store "?".
    if (!unicode_ && !FitsAnsi(value)) return false;
    return ::WritePrivateProfileStringW(std::wstring(section).c_str(), std::wstring(key).c_str(),
                                        std::wstring(value).c_str(), path_.c_str()) != FALSE;
}

bool ProfileFile::remove(std::wstring_view section, std::wstring_view key) {
    if (!read(section, key)) return true;  // nothing to take out: the file stays as it is
    return ::WritePrivateProfileStringW(std::wstring(section).c_str(), std::wstring(key).c_str(), nullptr, path_.c_str()) !=
           FALSE;
}

// The profile functions write an ANSI file in the ANSI code page, turning what does not fit into "?",
// and a UTF-16 file in UTF-16. A file that must hold such a value, or that another editor wrote as
// UTF-8, is first rewritten whole as UTF-16, every other section, key and line kept; an ANSI file
// whose values all fit stays as it is, byte for byte.
void ProfileFile::makeUnicodeIfNeeded(bool valueNeedsIt) {
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path_.c_str());  // what was written is on disk
    const std::optional<std::vector<char>> bytes = ReadWholeFile(path_);
    encodingKnown_ = true;
    if (!bytes) return;  // not read whole: left as it is rather than cut short
    if (IsUtf16(*bytes)) {
        unicode_ = true;
        return;
    }
    const Decoding decoding = DecodingOf(*bytes);
    if (!decoding.needsCopy && !valueNeedsIt) return;
    const std::wstring text = AsUtf16(*bytes, decoding.codePage, decoding.skip);
    unicode_ = win::ReplaceWholeFile(path_, {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)});
}

}  // namespace findlark
