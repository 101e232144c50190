#include "criteria/profile_file.h"

#include "win/handle.h"

#include <vector>

namespace findlark {
namespace {

constexpr DWORD kValueChars = 2048;
constexpr LONGLONG kLargestConverted = 16 * 1024 * 1024;
// What the profile functions give for a missing key: a text no file can hold as a value.
constexpr wchar_t kMissing[] = L"\x01\x02missing\x02\x01";

std::vector<char> ReadWholeFile(const std::wstring& path) {
    const win::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestConverted) return {};
    std::vector<char> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return {};
    bytes.resize(read);
    return bytes;
}

// UTF-8 that the profile functions would read as ANSI: with its byte-order mark, or without one but
// with characters beyond ASCII that form valid UTF-8.
bool NeedsUtf16Copy(const std::vector<char>& bytes, std::size_t& skip) {
    skip = 0;
    if (bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF')))
        return false;  // UTF-16: the profile functions know it
    if (bytes.size() >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF') {
        skip = 3;
        return true;
    }
    bool beyondAscii = false;
    for (const char c : bytes) beyondAscii = beyondAscii || static_cast<unsigned char>(c) >= 0x80;
    return beyondAscii && ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                                nullptr, 0) > 0;
}

std::wstring TemporaryPath() {
    wchar_t folder[MAX_PATH] = {}, path[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    if (!::GetTempFileNameW(folder, L"flk", 0, path)) return {};
    return path;
}

}  // namespace

ProfileFile::ProfileFile(std::wstring path, Use use) : path_(std::move(path)) {
    if (use != Use::Reading) return;
    const std::vector<char> bytes = ReadWholeFile(path_);
    std::size_t skip = 0;
    if (!NeedsUtf16Copy(bytes, skip)) return;
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data() + skip, static_cast<int>(bytes.size() - skip), nullptr, 0);
    std::wstring text(1, L'\xFEFF');
    text.resize(1 + static_cast<std::size_t>(length));
    ::MultiByteToWideChar(CP_UTF8, 0, bytes.data() + skip, static_cast<int>(bytes.size() - skip), text.data() + 1, length);
    const std::wstring copy = TemporaryPath();
    if (copy.empty()) return;
    const win::UniqueFileHandle file(::CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                   FILE_ATTRIBUTE_TEMPORARY, nullptr));
    DWORD written = 0;
    const auto size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (file && ::WriteFile(file.get(), text.data(), size, &written, nullptr) && written == size) {
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
    return ::WritePrivateProfileStringW(std::wstring(section).c_str(), std::wstring(key).c_str(),
                                        std::wstring(value).c_str(), path_.c_str()) != FALSE;
}

}  // namespace findlark
