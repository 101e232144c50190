#include "search/compute_windows.h"

#include "model/attributes.h"
#include "model/size_units.h"

namespace findlark {
namespace {

DateWindow WindowOf(const DateCriterion& c, const std::function<DateTime()>& now) {
    DateWindow window;
    window.active = c.When != WhenDoNotRemember;
    switch (c.When) {
    case WhenDoNotRemember:
        break;
    case WhenWithinTheLastWeek:
        window.to = now();
        window.from = window.to - 7;
        break;
    case WhenWithinThePastMonth:
        window.to = now();
        window.from = MonthsBefore(window.to, 1);
        break;
    case WhenWithinThePastYear:
        window.to = now();
        window.from = MonthsBefore(window.to, 12);
        break;
    default:  // "Specify date and time"
        window.from = c.From ? DatePart(c.FromDate) + TimePart(c.FromTime) : 0;
        window.to = c.To && c.ToChosen ? DatePart(c.ToDate) + TimePart(c.ToTime) : now();
        break;
    }
    return window;
}

std::int64_t BoundOf(const std::wstring& number, int unit, std::int64_t missing) {
    const auto value = ReadSizeNumber(number);
    if (!value || !IsSizeUnit(unit)) return missing;
    return *value * SizeUnitMultiplier(unit);
}

}  // namespace

DateTime MonthsBefore(DateTime moment, int months) {
    CivilDateTime c = DecodeDateTime(moment);
    c.year -= months / 12;
    c.month -= months % 12;
    if (c.month < 1) {
        c.month += 12;
        c.year -= 1;
    }
    if (c.day > DaysInMonth(c.year, c.month)) c.day = DaysInMonth(c.year, c.month);
    return EncodeDateTime(c);
}

std::uint32_t AttributeMaskOf(const SearchCriteria& c) {
    std::uint32_t mask = 0;
    for (const AttributeDescriptor& attribute : kAttributes) {
        if (c.*attribute.flag) mask |= attribute.bit;
    }
    return mask;
}

DerivedBounds ComputeWindows(const SearchCriteria& c, const std::function<DateTime()>& now) {
    DerivedBounds bounds;
    bounds.ModifiedWindow = WindowOf(c.ModifiedDateTime, now);
    bounds.CreatedWindow = WindowOf(c.CreatedDateTime, now);
    bounds.AccessedWindow = WindowOf(c.AccessedDateTime, now);
    // The preset classes meet at their borders: 1024 bytes is both "very small" and "small".
    static constexpr std::int64_t kPresets[][2] = {
        {0, 1024}, {1024, 102400}, {102400, 1048576}, {1048576, 10485760}, {10485760, kNoUpperSize}};
    if (c.Size >= SizeVerySmall && c.Size <= SizeVeryLarge) {
        bounds.SizeLow = kPresets[c.Size - SizeVerySmall][0];
        bounds.SizeHigh = kPresets[c.Size - SizeVerySmall][1];
    } else if (c.Size == SizeSpecify) {
        bounds.SizeLow = c.AtLeast ? BoundOf(c.AtLeastSize, c.AtLeastSizeB, 0) : 0;
        bounds.SizeHigh = c.AtMost ? BoundOf(c.AtMostSize, c.AtMostSizeB, kNoUpperSize) : kNoUpperSize;
    }
    if (c.Attributes) bounds.AttributeMask = AttributeMaskOf(c);
    return bounds;
}

}  // namespace findlark
