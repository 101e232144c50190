#include "criteria/validation.h"

#include "criteria/page_index.h"
#include "criteria/size_digits.h"
#include "model/mask_list.h"

#include <algorithm>
#include <cmath>

namespace findlark {
namespace {

constexpr wchar_t kWrongDates[] = L"Wrong date and time defined. Please check it.";
constexpr wchar_t kSpecifySize[] = L"Specify the size please.";
constexpr wchar_t kDefineText[] = L"Define text please.";

std::int64_t Milliseconds(DateTime value) { return std::llround(value * kMillisecondsPerDay); }

// Both bounds on and the lower one strictly later than the upper one.
bool DatesReversed(const DateCriterion& c) {
    if (c.When != WhenSpecifyDateAndTime || !c.From || !c.To) return false;
    return Milliseconds(DatePart(c.FromDate) + TimePart(c.FromTime)) > Milliseconds(DatePart(c.ToDate) + TimePart(c.ToTime));
}

CriteriaFault Warning(int page, FaultFocus focus, const wchar_t* message, int subPage = -1) {
    return {page, subPage, focus, message, false};
}

// The criteria as the rest of the checks see them once a regular expression in the name box passed.
SearchCriteria WithoutNameMask(SearchCriteria c) {
    c.AllOrPartOfTheFileName = false;
    c.CaseSensitive = false;
    c.MaskIsRegularExpression = false;
    return c;
}

}  // namespace

bool MaskLeavesItsFolder(const std::wstring& mask) { return mask.find_first_of(L"\\/:") != std::wstring::npos; }

bool MaskNamesTheFolderItself(const std::wstring& mask) {
    return !mask.empty() && mask.find_first_not_of(L". ") == std::wstring::npos;
}

std::wstring NotAnIntegerMessage(const std::wstring& text) { return L"'" + text + L"' is not a valid integer value"; }

std::optional<CriteriaFault> FindCriteriaFault(const SearchCriteria& c, const MaskCheck& maskCheck, const RegexCheck& regexCheck) {
    // A regular expression has its own syntax: the mask rules do not apply to it.
    if (c.AllOrPartOfTheFileName && c.MaskIsRegularExpression) {
        if (const std::optional<std::wstring> problem = regexCheck ? regexCheck(c.Mask) : std::nullopt)
            return CriteriaFault{PageIndexCommon, -1, FaultFocus::NameMask, *problem, true};
        return FindCriteriaFault(WithoutNameMask(c), maskCheck, regexCheck);
    }
    // The name box first: a mask that names another folder, or one the case-sensitive test cannot use.
    if (c.AllOrPartOfTheFileName && MaskLeavesItsFolder(c.Mask))
        return Warning(PageIndexCommon, FaultFocus::NameMask, L"The file name mask cannot contain \\, / or :.");
    // Each of several masks is checked as a single one is.
    const std::vector<MaskText> masks = SplitMasks(c.Mask);
    const bool single = IsSingleMask(masks);
    const bool namesItself = single ? MaskNamesTheFolderItself(c.Mask)
                                    : std::any_of(masks.begin(), masks.end(),
                                                  [](const MaskText& each) { return MaskNamesTheFolderItself(each.mask); });
    if (c.AllOrPartOfTheFileName && namesItself)
        return Warning(PageIndexCommon, FaultFocus::NameMask, L"The file name mask cannot be \".\" or \"..\".");
    if (c.CaseSensitive && maskCheck) {
        for (const MaskText& each : masks) {
            if (const std::optional<std::wstring> problem = maskCheck(single ? c.Mask : each.mask))
                return CriteriaFault{PageIndexCommon, -1, FaultFocus::NameMask, *problem, false};
        }
    }
    if (c.LookIn && c.LookInWhere == -1)
        return Warning(PageIndexCommon, FaultFocus::LookInList, L"Choose place to look in.");
    if (c.AdditionalFolders && c.Directories.empty())
        return Warning(PageIndexAdditionalFolders, FaultFocus::AddFolderButton, L"Defined folders to look in.");
    if (DatesReversed(c.ModifiedDateTime)) return Warning(PageIndexDateTime, FaultFocus::Unchanged, kWrongDates, SubPageModified);
    if (DatesReversed(c.CreatedDateTime)) return Warning(PageIndexDateTime, FaultFocus::Unchanged, kWrongDates, SubPageCreated);
    if (DatesReversed(c.AccessedDateTime)) return Warning(PageIndexDateTime, FaultFocus::Unchanged, kWrongDates, SubPageAccessed);
    if (c.Size == SizeSpecify) {
        if (!c.AtLeast && !c.AtMost) return Warning(PageIndexSize, FaultFocus::Unchanged, kSpecifySize);
        if (c.AtLeast && c.AtLeastSize.empty()) return Warning(PageIndexSize, FaultFocus::AtLeastSize, kSpecifySize);
        if (c.AtMost && c.AtMostSize.empty()) return Warning(PageIndexSize, FaultFocus::AtMostSize, kSpecifySize);
        // Pasted text that is no number is refused here, for either bound, before anything reads it.
        const std::optional<std::int64_t> low = ReadSizeNumber(c.AtLeastSize), high = ReadSizeNumber(c.AtMostSize);
        if (c.AtLeast && !low)
            return CriteriaFault{PageIndexSize, -1, FaultFocus::AtLeastSize, NotAnIntegerMessage(c.AtLeastSize), true};
        if (c.AtMost && !high)
            return CriteriaFault{PageIndexSize, -1, FaultFocus::AtMostSize, NotAnIntegerMessage(c.AtMostSize), true};
        const auto bytes = [](std::int64_t number, int unit) { return number << (10 * std::clamp(unit, 0, 3)); };
        if (c.AtLeast && c.AtMost && bytes(*low, c.AtLeastSizeB) > bytes(*high, c.AtMostSizeB))
            return Warning(PageIndexSize, FaultFocus::Unchanged, L"Check the size please.");
    }
    if (c.ContainingText) {
        if (c.ContainingText0.empty()) return Warning(PageIndexContainingText, FaultFocus::ContainingText0, kDefineText);
        static constexpr FaultFocus kRows[] = {FaultFocus::AdditionalText1, FaultFocus::AdditionalText2,
                                               FaultFocus::AdditionalText3};
        for (std::size_t i = 0; i < c.AdditionalText.size(); ++i) {
            if (c.AdditionalText[i].Enabled && c.AdditionalText[i].Text.empty())
                return Warning(PageIndexContainingText, kRows[i], kDefineText);
        }
        if (c.PhrasesAreRegularExpressions && regexCheck) {
            if (const std::optional<std::wstring> problem = regexCheck(c.ContainingText0))
                return CriteriaFault{PageIndexContainingText, -1, FaultFocus::ContainingText0, *problem, true};
            for (std::size_t i = 0; i < c.AdditionalText.size(); ++i) {
                if (!c.AdditionalText[i].Enabled) continue;
                if (const std::optional<std::wstring> problem = regexCheck(c.AdditionalText[i].Text))
                    return CriteriaFault{PageIndexContainingText, -1, kRows[i], *problem, true};
            }
        }
    }
    // Folder names to skip are masks as the name box's are; whole paths are taken as they are.
    if (maskCheck) {
        for (const std::wstring& entry : SplitList(c.SkipFolders)) {
            if (entry.find_first_of(L"\\/:") != std::wstring::npos) continue;
            if (const std::optional<std::wstring> problem = maskCheck(entry))
                return CriteriaFault{PageIndexAdvanced, -1, FaultFocus::SkipFolders, *problem, false};
        }
    }
    return std::nullopt;
}

}  // namespace findlark
