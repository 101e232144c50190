#pragma once
// Readable failure messages for criteria comparisons.
#include "model/search_criteria.h"

#include <ostream>
#include <string>

namespace findlark {

inline std::string Narrow(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) out.push_back(c < 128 ? static_cast<char>(c) : '?');
    return out;
}

inline void PrintTo(const DateCriterion& d, std::ostream* os) {
    *os << "{When=" << d.When << " From=" << d.From << " " << d.FromDate << "+" << d.FromTime << " To=" << d.To << " "
        << d.ToDate << "+" << d.ToTime << "}";
}

inline void PrintTo(const SearchCriteria& c, std::ostream* os) {
    *os << "\n  Common: " << c.AllOrPartOfTheFileName << " '" << Narrow(c.Mask) << "' cs=" << c.CaseSensitive
        << " lookIn=" << c.LookIn << "/" << c.LookInWhere << "\n  Folders: " << c.AdditionalFolders << " [";
    for (const auto& d : c.Directories) *os << Narrow(d) << ";";
    *os << "]\n  Modified: ";
    PrintTo(c.ModifiedDateTime, os);
    *os << "\n  Created: ";
    PrintTo(c.CreatedDateTime, os);
    *os << "\n  Accessed: ";
    PrintTo(c.AccessedDateTime, os);
    *os << "\n  Size: " << c.Size << " " << c.AtLeast << " '" << Narrow(c.AtLeastSize) << "' " << c.AtLeastSizeB << " "
        << c.AtMost << " '" << Narrow(c.AtMostSize) << "' " << c.AtMostSizeB << "\n  Attributes: " << c.Attributes
        << " " << c.Archive << c.Compressed << c.Directory << c.Encrypted << c.Hidden << c.Normal << c.Offline
        << c.ReadOnly << c.ReparsePoint << c.SparseFile << c.System << c.Temporary << " match=" << c.Match
        << "\n  Text: " << c.ContainingText << " '" << Narrow(c.ContainingText0) << "' case=" << c.MatchCase;
    for (const auto& row : c.AdditionalText) *os << " [" << row.Enabled << " " << row.Option << " '" << Narrow(row.Text) << "']";
    *os << "\n  Advanced: " << c.SearchAllFilesAndFolders << c.SearchSystemFolders << c.SearchHiddenFilesAndFolders
        << c.SearchSubfolders << "\n";
}

}  // namespace findlark
