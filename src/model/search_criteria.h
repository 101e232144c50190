#pragma once
// Everything a search looks for, one field per key of the search options file.
#include "model/date_time.h"

#include <array>
#include <string>
#include <vector>

namespace findlark {

inline constexpr wchar_t kDefaultPhrase[] = L"A word or phrase in the file";

// The choices of one kind of file time ("Modified", "Created", "Accessed").
enum WhenChoice : int {
    WhenDoNotRemember = 0,
    WhenWithinTheLastWeek = 1,
    WhenWithinThePastMonth = 2,
    WhenWithinThePastYear = 3,
    WhenSpecifyDateAndTime = 4,
};

enum SizeChoice : int {
    SizeDoNotRemember = 0,
    SizeVerySmall = 1,
    SizeSmall = 2,
    SizeMedium = 3,
    SizeLarge = 4,
    SizeVeryLarge = 5,
    SizeSpecify = 6,
};

// The fixed rows of the look-in list (`LookInWhere`); one row per drive follows from row 3 on.
enum LookInChoice : int { LookInMyComputer = 0, LookInMyDocuments = 1, LookInLocalHardDrives = 2, LookInFirstDrive = 3 };

enum TextOperator : int { TextAnd = 0, TextOr = 1, TextNot = 2 };

enum MatchMode : int { MatchExact = 1, MatchContainSelected = 2 };

struct DateCriterion {
    int When = WhenDoNotRemember;
    bool From = true;
    DateTime FromDate = 0;  // whole days
    DateTime FromTime = 0;  // fraction of a day
    bool To = true;
    DateTime ToDate = 0;
    DateTime ToTime = 0;
    // Whether the "To" date and time were chosen (typed, picked or loaded); the pickers' first values
    // are the moment the program started, and unchosen they stand for the moment a search starts.
    bool ToChosen = true;
    bool operator==(const DateCriterion&) const = default;
};

// One further phrase of "Containing Text" (keys AdditionalTextN, AdditionalTextNOption, AdditionalTextNText).
struct AdditionalTextRow {
    bool Enabled = false;
    int Option = TextAnd;
    std::wstring Text = kDefaultPhrase;
    bool operator==(const AdditionalTextRow&) const = default;
};

struct SearchCriteria {
    // "Common"
    bool AllOrPartOfTheFileName = true;
    std::wstring Mask;
    bool CaseSensitive = false;
    bool MaskIsRegularExpression = false;  // the name box is one regular expression
    bool LookIn = true;
    int LookInWhere = 2;  // -1: no row chosen
    // The letter of a drive row ("" for the other rows): the row's position changes when drives come
    // or go, its letter does not.
    std::wstring LookInDrive;

    // "Additional Folders"
    bool AdditionalFolders = false;
    std::vector<std::wstring> Directories;

    DateCriterion ModifiedDateTime;
    DateCriterion CreatedDateTime;
    DateCriterion AccessedDateTime;

    // "Size": the number boxes keep their text as typed (pasting can put anything there).
    int Size = SizeDoNotRemember;
    bool AtLeast = true;
    std::wstring AtLeastSize = L"0";
    int AtLeastSizeB = 0;
    bool AtMost = true;
    std::wstring AtMostSize = L"1";
    int AtMostSizeB = 2;

    // "Attributes"
    bool Attributes = false;
    bool Archive = true;
    bool Compressed = true;
    bool Directory = false;
    bool Encrypted = true;
    bool Hidden = false;
    bool Normal = false;
    bool Offline = false;
    bool ReadOnly = true;
    bool ReparsePoint = false;
    bool SparseFile = false;
    bool System = false;
    bool Temporary = false;
    int Match = MatchContainSelected;

    // "Containing Text"
    bool ContainingText = false;
    std::wstring ContainingText0 = kDefaultPhrase;
    bool MatchCase = true;
    bool PhrasesAreRegularExpressions = false;  // each phrase is a regular expression within a line
    bool PhrasesAreWholeWords = false;          // a phrase counts only where no letter, digit or "_" touches it
    std::array<AdditionalTextRow, 3> AdditionalText;

    // "Advanced"
    bool SearchAllFilesAndFolders = true;
    bool SearchSystemFolders = true;
    bool SearchHiddenFilesAndFolders = true;
    bool SearchSubfolders = true;
    std::wstring SkipFolders;  // names, masks or paths of folders never entered, separated by ";"

    bool operator==(const SearchCriteria&) const = default;
};

// The criteria of a fresh window whose pickers were set at the moment `now` (and not chosen since).
SearchCriteria DefaultCriteria(DateTime now);

}  // namespace findlark
