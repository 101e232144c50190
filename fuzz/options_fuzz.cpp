// Option files: any text read as a file loads in bounded work, and criteria made from the bytes
// read back as they were saved.
#include "fuzz_targets.h"

#include "criteria/date_text.h"
#include "criteria/options_file.h"
#include "support/memory_options.h"

#include <cstdlib>
#include <string>

namespace {

using namespace findlark;

const DateTimeTexts kTexts{
    [](DateTime d) {
        const CivilDateTime c = DecodeDateTime(d);
        return std::to_wstring(c.month) + L"/" + std::to_wstring(c.day) + L"/" + std::to_wstring(c.year);
    },
    [](DateTime t) {
        const CivilDateTime c = DecodeDateTime(t);
        return std::to_wstring(c.hour) + L":" + std::to_wstring(c.minute) + L":" + std::to_wstring(c.second);
    },
    [](std::wstring_view text) { return ParseDateText(text, L"M/d/yyyy"); },
    [](std::wstring_view text) { return ParseTimeText(text, L"H:m:s"); },
};

// The bytes as an INI text, the way the profile functions split it: sections, keys, values.
void ParseIni(const std::uint8_t* data, std::size_t size, testing_support::MemoryOptions& file) {
    std::wstring section, line;
    const auto finish = [&] {
        if (!line.empty() && line.front() == L'[' && line.find(L']') != std::wstring::npos) {
            section = line.substr(1, line.find(L']') - 1);
        } else if (const auto equals = line.find(L'='); equals != std::wstring::npos) {
            file.set(section, line.substr(0, equals), line.substr(equals + 1));
        }
        line.clear();
    };
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            finish();
        } else if (data[i] != '\r') {
            line.push_back(static_cast<wchar_t>(data[i]));
        }
    }
    finish();
}

}  // namespace

int FuzzOptions(const std::uint8_t* data, std::size_t size) {
    testing_support::MemoryOptions file;
    ParseIni(data, size, file);
    for (const bool switchDefault : {false, true}) {
        const auto assignments = LoadSearchOptions(file, switchDefault, 10, kTexts, 45000.5);
        // Every key is read at most once, folders at most to the bound.
        if (assignments.size() > static_cast<std::size_t>(kMaxOptionFolders) + 80) std::abort();
        for (const OptionAssignment& a : assignments) {
            if (a.field == OptionField::LookInWhere && (a.number < 0 || a.number >= 10)) std::abort();
            if ((a.field == OptionField::AtLeastSizeB || a.field == OptionField::AtMostSizeB) && (a.number < 0 || a.number > 3))
                std::abort();
        }
    }

    // Criteria made from the bytes: what is saved reads back.
    SearchCriteria c;
    std::wstring text;
    for (std::size_t i = 0; i < size && i < 64; ++i) {
        if (data[i] >= 0x20 && data[i] != '=' && data[i] != '[') text.push_back(static_cast<wchar_t>(data[i]));
    }
    c.Mask = text;
    c.AdditionalFolders = size % 2 == 1;
    c.Directories = {text, L"C:\\" + text};
    c.Size = SizeSpecify;
    c.AtLeastSize = std::to_wstring(size);
    testing_support::MemoryOptions saved;
    if (SaveSearchOptions(c, saved, kTexts)) std::abort();
    std::vector<std::wstring> folders;
    std::wstring mask, atLeast;
    for (const OptionAssignment& a : LoadSearchOptions(saved, false, 10, kTexts, 45000.5)) {
        if (a.field == OptionField::Mask) mask = a.text;
        if (a.field == OptionField::Directory) folders.push_back(a.text);
        if (a.field == OptionField::AtLeastSize) atLeast = a.text;
    }
    if (mask != c.Mask || atLeast != c.AtLeastSize) std::abort();
    if (c.AdditionalFolders && folders != c.Directories) std::abort();
    return 0;
}
