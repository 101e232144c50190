#pragma once
// The checks made before a search starts, as rules: which fault comes first, on which page it lies,
// where the focus goes and what the message says. Showing them is the window's business.
#include "model/search_criteria.h"

#include <functional>
#include <optional>
#include <string>

namespace findlark {

// The control the user has to correct; `Unchanged` leaves the focus where it is.
enum class FaultFocus {
    Unchanged,
    NameMask,
    LookInList,
    AddFolderButton,
    AtLeastSize,
    AtMostSize,
    ContainingText0,
    AdditionalText1,
    AdditionalText2,
    AdditionalText3,
    SkipFolders,
};

struct CriteriaFault {
    int page = 0;
    int subPage = -1;  // "Date && Time" sub-page, -1 for none
    FaultFocus focus = FaultFocus::Unchanged;
    std::wstring message;
    bool error = false;  // an error box (a number that cannot be read) rather than the "Warning"
};

// Gives the message of a mask that the case-sensitive name test cannot compile, or nothing.
using MaskCheck = std::function<std::optional<std::wstring>(const std::wstring& mask)>;

// Gives the engine's message of a regular expression that cannot be used, or nothing.
using RegexCheck = std::function<std::optional<std::wstring>(const std::wstring& expression)>;

// The first fault of the criteria, or nothing when a search may start.
std::optional<CriteriaFault> FindCriteriaFault(const SearchCriteria& criteria, const MaskCheck& maskCheck,
                                               const RegexCheck& regexCheck = {});

// A mask with a separator or a drive would list another folder's entries under the walked folder.
bool MaskLeavesItsFolder(const std::wstring& mask);
// A mask of dots and spaces only ("." and "..", and what the platform trims to them) names the
// walked folder itself or its parent, which would be listed as an entry of the folder.
bool MaskNamesTheFolderItself(const std::wstring& mask);

// The message of a number box whose text is no number: "'%s' is not a valid integer value".
std::wstring NotAnIntegerMessage(const std::wstring& text);

}  // namespace findlark
