#include "criteria/summary.h"

#include "model/attributes.h"
#include "model/size_units.h"

#include <array>

namespace findlark {
namespace {

const wchar_t* OperatorText(int option) {
    static constexpr std::array<const wchar_t*, 3> kOperators = {L"AND", L"OR", L"NOT"};
    return option >= 0 && option <= 2 ? kOperators[static_cast<std::size_t>(option)] : L"";
}

std::wstring DateLine(const wchar_t* label, const DateCriterion& d, const SummaryTexts& texts) {
    std::wstring line = label;
    switch (d.When) {
    case WhenWithinTheLastWeek:
        return line + L"within the last week";
    case WhenWithinThePastMonth:
        return line + L"within the past month";
    case WhenWithinThePastYear:
        return line + L"within the past year";
    default:
        break;
    }
    if (d.From) line += L"from " + texts.formatDate(d.FromDate) + L" " + texts.formatTime(d.FromTime);
    if (d.To) {
        if (d.From) line += L" ";
        line += L"to " + texts.formatDate(d.ToDate) + L" " + texts.formatTime(d.ToTime);
    }
    return line;
}

}  // namespace

std::wstring YesNoText(bool flag) { return flag ? L"yes" : L"no"; }

std::vector<std::wstring> SearchSummaryLines(const SearchCriteria& c, const SummaryTexts& texts) {
    std::vector<std::wstring> lines;
    if (c.AllOrPartOfTheFileName || c.LookIn) {
        lines.push_back(L"Common search options:");
        if (c.AllOrPartOfTheFileName) {
            lines.push_back(L"All or part of the file name: " + (c.Mask.empty() ? std::wstring(L"*.*") : c.Mask));
            lines.push_back(L"Case sensitive: " + YesNoText(c.CaseSensitive));
            if (c.MaskIsRegularExpression) lines.push_back(L"The file name is a regular expression");
        }
        if (c.LookIn) lines.push_back(L"Look in: " + texts.lookInCaption);
        lines.emplace_back();
    }
    if (c.AdditionalFolders && !c.Directories.empty()) {
        lines.push_back(L"Additional folders");
        lines.insert(lines.end(), c.Directories.begin(), c.Directories.end());
        lines.emplace_back();
    }
    if (c.ModifiedDateTime.When != WhenDoNotRemember || c.AccessedDateTime.When != WhenDoNotRemember ||
        c.CreatedDateTime.When != WhenDoNotRemember) {
        lines.push_back(L"Date and time");
        if (c.ModifiedDateTime.When != WhenDoNotRemember) lines.push_back(DateLine(L"Modified date: ", c.ModifiedDateTime, texts));
        if (c.AccessedDateTime.When != WhenDoNotRemember) lines.push_back(DateLine(L"Accessed date: ", c.AccessedDateTime, texts));
        if (c.CreatedDateTime.When != WhenDoNotRemember) lines.push_back(DateLine(L"Created date: ", c.CreatedDateTime, texts));
        lines.emplace_back();
    }
    if (c.Size != SizeDoNotRemember) {
        static constexpr std::array<const wchar_t*, 5> kPresets = {
            L"very small (less than 1 KB)", L"small (less than 100 KB)", L"medium (less than 1 MB)",
            L"lerge (less than 10 MB)", L"very large (more than 10 MB)"};
        lines.push_back(L"Size");
        std::wstring line = L"Size: ";
        if (c.Size >= SizeVerySmall && c.Size <= SizeVeryLarge) {
            line += kPresets[static_cast<std::size_t>(c.Size - SizeVerySmall)];
        } else {
            if (c.AtLeast) line += L"at least " + c.AtLeastSize + L" " + std::wstring(SizeUnitText(c.AtLeastSizeB));
            if (c.AtMost)
                line += std::wstring(c.AtLeast ? L" and " : L"") + L"at most " + c.AtMostSize + L" " +
                        std::wstring(SizeUnitText(c.AtMostSizeB));
        }
        lines.push_back(line);
        lines.emplace_back();
    }
    if (c.Attributes) {
        lines.push_back(L"Attributes");
        if (c.Match == MatchExact) {
            lines.push_back(L"Files and folders that match the following attributes:");
            for (const AttributeDescriptor& attribute : kAttributes)
                lines.push_back(std::wstring(attribute.caption) + L": " + YesNoText(c.*attribute.flag));
        } else {
            std::wstring line = L"Files and folders that contain the following attributes: ";
            for (const AttributeDescriptor& attribute : kAttributes) {
                if (c.*attribute.flag) line += std::wstring(attribute.summaryWord) + L", ";
            }
            line.resize(line.size() - 2);  // the last ", " (or ": " when none is on)
            lines.push_back(line + L".");
        }
        lines.emplace_back();
    }
    if (c.ContainingText) {
        lines.push_back(L"Containing text");
        lines.push_back(L"Text: " + c.ContainingText0);
        if (!c.MatchCase) lines.push_back(L"Match case: no");
        if (c.PhrasesAreRegularExpressions) lines.push_back(L"Phrases are regular expressions");
        if (c.PhrasesAreWholeWords) lines.push_back(L"Whole words only");
        for (const AdditionalTextRow& row : c.AdditionalText) {
            if (row.Enabled) lines.push_back(std::wstring(OperatorText(row.Option)) + L" " + row.Text);
        }
        lines.emplace_back();
    }
    lines.push_back(L"Advanced search options");
    if (c.SearchAllFilesAndFolders) {
        lines.push_back(L"Search all files and folders: yes");
    } else {
        lines.push_back(L"Search system folders: " + YesNoText(c.SearchSystemFolders));
        lines.push_back(L"Search hidden files and folders: " + YesNoText(c.SearchHiddenFilesAndFolders));
    }
    lines.push_back(L"Search subfolders: " + YesNoText(c.SearchSubfolders));
    if (!c.SkipFolders.empty()) lines.push_back(L"Skip folders: " + c.SkipFolders);
    return lines;
}

}  // namespace findlark
