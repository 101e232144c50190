#pragma once
// An options file through the Windows profile functions, one call per key. Files written as UTF-8
// by other editors are read through a UTF-16 copy, so that no name is garbled; UTF-16 files the
// profile functions read themselves. Writing keeps an ANSI file ANSI while every value fits the ANSI
// code page; a value that does not, or a UTF-8 file, makes the whole file UTF-16 first.
#include "criteria/options_file.h"

#include <windows.h>

#include <string>

namespace findlark {

class ProfileFile final : public OptionsStore {
public:
    enum class Use { Reading, Writing };
    ProfileFile(std::wstring path, Use use);
    ~ProfileFile() override;
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;

    // Values are read up to 2047 characters, as the profile functions give them (blanks around
    // a value and a pair of enclosing quotation marks dropped).
    std::optional<std::wstring> read(std::wstring_view section, std::wstring_view key) override;
    bool write(std::wstring_view section, std::wstring_view key, std::wstring_view value) override;
    bool remove(std::wstring_view section, std::wstring_view key) override;

private:
    void makeUnicodeIfNeeded(bool valueNeedsIt);
    std::wstring path_;
    bool encodingKnown_ = false;  // the file was looked at before the first write
    bool unicode_ = false;        // the file is UTF-16: anything may be written
    std::wstring utf16Copy_;  // the copy read instead of a UTF-8 file, removed with this object
};

}  // namespace findlark
