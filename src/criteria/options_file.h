#pragma once
// The criteria as a search options file: sections and keys in a fixed order, each written under its
// condition, and read back key by key into the controls. Booleans are "1"/"0", integers decimal (read
// also as "0x" hexadecimal), texts as they stand, dates and times in the user's formats.
#include "model/search_criteria.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace findlark {

// One key at a time, as the profile functions work.
class OptionsStore {
public:
    virtual ~OptionsStore() = default;
    // The value, or nothing when the key is missing.
    virtual std::optional<std::wstring> read(std::wstring_view section, std::wstring_view key) = 0;
    // False when the key cannot be written.
    virtual bool write(std::wstring_view section, std::wstring_view key, std::wstring_view value) = 0;
    // Takes a key out; false when it cannot be.
    virtual bool remove(std::wstring_view section, std::wstring_view key) = 0;
};

// Dates and times in the user's regional formats.
struct DateTimeTexts {
    std::function<std::wstring(DateTime)> formatDate;
    std::function<std::wstring(DateTime)> formatTime;
    std::function<std::optional<DateTime>(std::wstring_view)> parseDate;
    std::function<std::optional<DateTime>(std::wstring_view)> parseTime;
};

struct OptionsWriteFailure {
    enum class Kind { Unwritable, NotAnInteger } kind;
    std::wstring text;  // the box's text for a number that is none
};

// Writes every key under its condition, in the file's order; stops at the first key that fails.
std::optional<OptionsWriteFailure> SaveSearchOptions(const SearchCriteria& criteria, OptionsStore& file,
                                                     const DateTimeTexts& texts);

// What loading does to a control, in the order the keys are read.
enum class OptionField {
    AllOrPartOfTheFileName, Mask, CaseSensitive, MaskIsRegularExpression, LookIn, LookInWhere, AdditionalFolders, Directory,
    When, From, FromDate, FromTime, To, ToDate, ToTime,  // `index`: the date group
    Size, AtLeast, AtLeastSize, AtLeastSizeB, AtMost, AtMostSize, AtMostSizeB,
    Attributes, AttributeFlag,  // `index`: the flag, in the order of the check boxes
    Match, ContainingText, ContainingText0, MatchCase, PhrasesAreRegularExpressions, PhrasesAreWholeWords,
    AdditionalText, AdditionalTextOption, AdditionalTextText,  // `index`: the row
    SearchAllFilesAndFolders, SearchSystemFolders, SearchHiddenFilesAndFolders, SearchSubfolders, SkipFolders,
};

struct OptionAssignment {
    OptionField field;
    int index = 0;
    bool flag = false;
    int number = 0;
    std::wstring text;
    DateTime moment = 0;
};

// A file with more folders than this is taken to be damaged; the rest are not read.
inline constexpr int kMaxOptionFolders = 1000;

// Reads a file: a key is read only when the keys before it call for it. `switchDefault` is the
// default of the six switches that are on in a fresh window (true for the automatic file); `now` gives
// the defaults of dates and times; `lookInRows` bounds the look-in row that can be chosen, and
// `lookInDrives` holds the capital letters of the drive rows, in order.
std::vector<OptionAssignment> LoadSearchOptions(OptionsStore& file, bool switchDefault, int lookInRows,
                                                const DateTimeTexts& texts, DateTime now, std::wstring_view lookInDrives = {});

// An integer as the files hold it, or nothing.
std::optional<int> ParseOptionInteger(std::wstring_view text);

}  // namespace findlark
