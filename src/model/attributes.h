#pragma once
// The twelve attributes a search can ask for, listed once: the bit an entry carries, the flag of the
// criteria, the key of option files, the caption on the "Attributes" page and the word of the search
// summary, in the order of the page.
#include "model/search_criteria.h"

#include <array>
#include <cstdint>

namespace findlark {

// The platform's attribute bits, as the directory enumeration reports them.
inline constexpr std::uint32_t kAttributeReadOnly = 0x1;
inline constexpr std::uint32_t kAttributeHidden = 0x2;
inline constexpr std::uint32_t kAttributeSystem = 0x4;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
inline constexpr std::uint32_t kAttributeArchive = 0x20;
inline constexpr std::uint32_t kAttributeNormal = 0x80;
inline constexpr std::uint32_t kAttributeTemporary = 0x100;
inline constexpr std::uint32_t kAttributeSparseFile = 0x200;
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400;
inline constexpr std::uint32_t kAttributeCompressed = 0x800;
inline constexpr std::uint32_t kAttributeOffline = 0x1000;
inline constexpr std::uint32_t kAttributeEncrypted = 0x4000;

inline constexpr std::uint32_t kAttributeRecallOnOpen = 0x40000;
inline constexpr std::uint32_t kAttributeRecallOnDataAccess = 0x400000;

// A file kept by a sync or archive service whose bytes are fetched when it is read: reading it for
// its text or its icon would download it.
inline constexpr bool IsOnlineOnly(std::uint32_t attributes) {
    return (attributes & (kAttributeOffline | kAttributeRecallOnOpen | kAttributeRecallOnDataAccess)) != 0;
}

struct AttributeDescriptor {
    std::uint32_t bit;
    bool SearchCriteria::*flag;
    const wchar_t* key;          // in the "Attributes" section of option files
    const wchar_t* caption;      // of its check box; the summary's exact-match line starts with it
    const wchar_t* summaryWord;  // in the summary's "contain the following attributes" line
};

inline constexpr std::array<AttributeDescriptor, 12> kAttributes = {{
    {kAttributeArchive, &SearchCriteria::Archive, L"Archive", L"Archive", L"archive"},
    {kAttributeCompressed, &SearchCriteria::Compressed, L"Compressed", L"Compressed", L"compressed"},
    {kAttributeDirectory, &SearchCriteria::Directory, L"Directory", L"Directory", L"directory"},
    {kAttributeEncrypted, &SearchCriteria::Encrypted, L"Encrypted", L"Encrypted", L"encrypted"},
    {kAttributeHidden, &SearchCriteria::Hidden, L"Hidden", L"Hidden", L"hidden"},
    {kAttributeNormal, &SearchCriteria::Normal, L"Normal", L"Normal", L"normal"},
    {kAttributeOffline, &SearchCriteria::Offline, L"Offline", L"Offline", L"offline"},
    {kAttributeReadOnly, &SearchCriteria::ReadOnly, L"ReadOnly", L"Read-only", L"read-only"},
    {kAttributeReparsePoint, &SearchCriteria::ReparsePoint, L"ReparsePoint", L"Reparse point", L"reparse point"},
    {kAttributeSparseFile, &SearchCriteria::SparseFile, L"SparseFile", L"Sparse file", L"sparse file"},
    {kAttributeSystem, &SearchCriteria::System, L"System", L"System", L"system"},
    {kAttributeTemporary, &SearchCriteria::Temporary, L"Temporary", L"Temporary", L"temporary"},
}};

}  // namespace findlark
