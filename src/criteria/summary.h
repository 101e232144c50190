#pragma once
// The plain-language summary of a search's criteria shown while it runs: one criterion per line, in
// sections with a heading each, a blank line after every section but the last.
#include "model/search_criteria.h"

#include <functional>
#include <string>
#include <vector>

namespace findlark {

struct SummaryTexts {
    std::wstring lookInCaption;  // the chosen look-in row's caption; empty when none is chosen
    std::function<std::wstring(DateTime)> formatDate;  // the user's short date format
    std::function<std::wstring(DateTime)> formatTime;  // the user's long time format
};

std::wstring YesNoText(bool flag);
std::vector<std::wstring> SearchSummaryLines(const SearchCriteria& criteria, const SummaryTexts& texts);

}  // namespace findlark
