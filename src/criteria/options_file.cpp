#include "criteria/options_file.h"

#include "model/ascii_case.h"
#include "model/attributes.h"
#include "model/integer_text.h"
#include "model/size_units.h"

#include <array>
#include <cstdint>

namespace findlark {
namespace {

constexpr std::array<const wchar_t*, 3> kDateSections = {L"ModifiedDateTime", L"CreatedDateTime", L"AccessedDateTime"};
constexpr std::array<const wchar_t*, 3> kWhenKeys = {L"WhenModified", L"WhenCreated", L"WhenAccessed"};

// The keys of the two size bounds, "AtLeast" and "AtMost", and where they go.
struct SizeBoundKeys {
    const wchar_t* on;
    const wchar_t* number;
    const wchar_t* unit;
    bool SearchCriteria::*onFlag;
    std::wstring SearchCriteria::*numberText;
    int SearchCriteria::*unitIndex;
    OptionField onField, numberField, unitField;
};
const SizeBoundKeys kSizeBounds[] = {
    {L"AtLeast", L"AtLeastSize", L"AtLeastSizeB", &SearchCriteria::AtLeast, &SearchCriteria::AtLeastSize,
     &SearchCriteria::AtLeastSizeB, OptionField::AtLeast, OptionField::AtLeastSize, OptionField::AtLeastSizeB},
    {L"AtMost", L"AtMostSize", L"AtMostSizeB", &SearchCriteria::AtMost, &SearchCriteria::AtMostSize,
     &SearchCriteria::AtMostSizeB, OptionField::AtMost, OptionField::AtMostSize, OptionField::AtMostSizeB},
};

std::wstring Row(int row, const wchar_t* suffix) { return L"AdditionalText" + std::to_wstring(row) + suffix; }

// Writes keys in turn until one fails.
class Writer {
public:
    Writer(OptionsStore& file) : file_(file) {}
    bool text(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
        if (failed_) return false;
        if (!file_.write(section, key, value)) failure_ = OptionsWriteFailure{OptionsWriteFailure::Kind::Unwritable, {}};
        failed_ = failure_.has_value();
        return !failed_;
    }
    bool boolean(std::wstring_view section, std::wstring_view key, bool value) { return text(section, key, value ? L"1" : L"0"); }
    bool remove(std::wstring_view section, std::wstring_view key) {
        if (failed_) return false;
        if (!file_.remove(section, key)) failure_ = OptionsWriteFailure{OptionsWriteFailure::Kind::Unwritable, {}};
        failed_ = failure_.has_value();
        return !failed_;
    }
    bool integer(std::wstring_view section, std::wstring_view key, long long value) {
        return text(section, key, std::to_wstring(value));
    }
    // A size box's number: 0 when empty (text that is no number was refused before writing began).
    bool sizeNumber(std::wstring_view section, std::wstring_view key, const std::wstring& box) {
        return integer(section, key, ReadSizeNumber(box).value_or(0));
    }
    std::optional<OptionsWriteFailure> failure() const { return failure_; }

private:
    OptionsStore& file_;
    bool failed_ = false;
    std::optional<OptionsWriteFailure> failure_;
};

// Reads keys and notes what they do to the controls.
class Reader {
public:
    Reader(OptionsStore& file, const DateTimeTexts& texts, DateTime now) : file_(file), texts_(texts), now_(now) {}

    int integer(std::wstring_view section, std::wstring_view key, int fallback) {
        const std::optional<std::wstring> value = file_.read(section, key);
        return value ? ParseOptionInteger(*value).value_or(fallback) : fallback;
    }
    bool boolean(std::wstring_view section, std::wstring_view key, bool fallback) {
        return integer(section, key, fallback ? 1 : 0) != 0;
    }
    std::wstring text(std::wstring_view section, std::wstring_view key) { return file_.read(section, key).value_or(L""); }
    bool has(std::wstring_view section, std::wstring_view key) { return file_.read(section, key).has_value(); }
    DateTime date(std::wstring_view section, std::wstring_view key) {
        const std::optional<std::wstring> value = file_.read(section, key);
        const std::optional<DateTime> parsed = value && texts_.parseDate ? texts_.parseDate(*value) : std::nullopt;
        return parsed ? *parsed : DatePart(now_);
    }
    DateTime time(std::wstring_view section, std::wstring_view key) {
        const std::optional<std::wstring> value = file_.read(section, key);
        const std::optional<DateTime> parsed = value && texts_.parseTime ? texts_.parseTime(*value) : std::nullopt;
        return parsed ? *parsed : TimePart(now_);
    }

    void set(OptionField field, bool flag, int index = 0) { assignments.push_back({field, index, flag, 0, {}, 0}); }
    void setNumber(OptionField field, int number, int index = 0) { assignments.push_back({field, index, false, number, {}, 0}); }
    void setText(OptionField field, std::wstring text, int index = 0) {
        assignments.push_back({field, index, false, 0, std::move(text), 0});
    }
    void setMoment(OptionField field, DateTime moment, int index) { assignments.push_back({field, index, false, 0, {}, moment}); }

    std::vector<OptionAssignment> assignments;

private:
    OptionsStore& file_;
    const DateTimeTexts& texts_;
    DateTime now_;
};

}  // namespace

std::optional<int> ParseOptionInteger(std::wstring_view text) {
    const bool negative = !text.empty() && text.front() == L'-';
    const std::wstring_view signless = negative || (!text.empty() && text.front() == L'+') ? text.substr(1) : text;
    if (signless.size() <= 2 || signless[0] != L'0' || (signless[1] != L'x' && signless[1] != L'X')) return ParseInt32(text, true);
    const std::wstring_view hex = signless.substr(2);
    if (hex.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (const wchar_t c : hex) {
        const int digit = c >= L'0' && c <= L'9' ? c - L'0' : c >= L'a' && c <= L'f' ? c - L'a' + 10
                          : c >= L'A' && c <= L'F' ? c - L'A' + 10 : -1;
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    const auto signedValue = static_cast<std::int32_t>(value);  // "0xFFFFFFFF" is -1
    if (!negative) return signedValue;
    if (signedValue == INT32_MIN) return std::nullopt;
    return -signedValue;
}

std::optional<OptionsWriteFailure> SaveSearchOptions(const SearchCriteria& c, OptionsStore& file, const DateTimeTexts& texts) {
    // A size box that holds no number (only pasting puts such text there) is told before anything is
    // written: a saving never stops half-way for it.
    if (c.Size == SizeSpecify) {
        for (const SizeBoundKeys& bound : kSizeBounds) {
            const std::wstring& box = c.*bound.numberText;
            if (c.*bound.onFlag && !box.empty() && !ReadSizeNumber(box))
                return OptionsWriteFailure{OptionsWriteFailure::Kind::NotAnInteger, box};
        }
    }
    Writer w(file);
    w.boolean(L"Common", L"AllOrPartOfTheFileName", c.AllOrPartOfTheFileName);
    if (c.AllOrPartOfTheFileName) {
        w.text(L"Common", L"Mask", c.Mask);
        w.boolean(L"Common", L"CaseSensitive", c.CaseSensitive);
        // A new key, written only when on: files without it load as before.
        if (c.MaskIsRegularExpression) {
            w.boolean(L"Common", L"MaskIsRegularExpression", true);
        } else {
            w.remove(L"Common", L"MaskIsRegularExpression");
        }
    }
    w.boolean(L"Common", L"LookIn", c.LookIn);
    if (c.LookIn) {
        w.integer(L"Common", L"LookInWhere", c.LookInWhere);
        // Only a drive's row names a drive; otherwise an older letter would win over the row at load.
        if (!c.LookInDrive.empty()) {
            w.text(L"Common", L"LookInDrive", c.LookInDrive);
        } else {
            w.remove(L"Common", L"LookInDrive");
        }
    }

    w.boolean(L"Additional Folders", L"AdditionalFolders", c.AdditionalFolders);
    if (c.AdditionalFolders) {
        w.integer(L"Additional Folders", L"NumberOfDirectories", static_cast<long long>(c.Directories.size()));
        for (std::size_t i = 0; i < c.Directories.size(); ++i)
            w.text(L"Additional Folders", L"Directory" + std::to_wstring(i), c.Directories[i]);
    }

    const DateCriterion* groups[] = {&c.ModifiedDateTime, &c.CreatedDateTime, &c.AccessedDateTime};
    for (std::size_t g = 0; g < 3; ++g) {
        const DateCriterion& d = *groups[g];
        const wchar_t* section = kDateSections[g];
        w.integer(section, kWhenKeys[g], d.When);
        if (d.When != WhenSpecifyDateAndTime) continue;
        w.boolean(section, L"From", d.From);
        if (d.From) {
            w.text(section, L"FromDate", texts.formatDate(d.FromDate));
            w.text(section, L"FromTime", texts.formatTime(d.FromTime));
        }
        w.boolean(section, L"To", d.To);
        if (d.To) {
            w.text(section, L"ToDate", texts.formatDate(d.ToDate));
            w.text(section, L"ToTime", texts.formatTime(d.ToTime));
        }
    }

    w.integer(L"Size", L"Size", c.Size);
    if (c.Size == SizeSpecify) {
        for (const SizeBoundKeys& bound : kSizeBounds) {
            w.boolean(L"Size", bound.on, c.*bound.onFlag);
            if (!(c.*bound.onFlag)) continue;
            w.sizeNumber(L"Size", bound.number, c.*bound.numberText);
            w.integer(L"Size", bound.unit, c.*bound.unitIndex);
        }
    }

    w.boolean(L"Attributes", L"Attributes", c.Attributes);
    if (c.Attributes) {
        for (const AttributeDescriptor& attribute : kAttributes) w.boolean(L"Attributes", attribute.key, c.*attribute.flag);
        w.integer(L"Attributes", L"Match", c.Match == MatchExact ? MatchExact : MatchContainSelected);
    }

    w.boolean(L"Containing Text", L"ContainingText", c.ContainingText);
    if (c.ContainingText) {
        w.text(L"Containing Text", L"ContainingText0", c.ContainingText0);
        w.boolean(L"Containing Text", L"MatchCase", c.MatchCase);
        // Written only when on, so that files without them stay as they were.
        for (const auto& [on, key] : {std::pair{c.PhrasesAreRegularExpressions, L"PhrasesAreRegularExpressions"},
                                      std::pair{c.PhrasesAreWholeWords, L"PhrasesAreWholeWords"}}) {
            if (on) {
                w.boolean(L"Containing Text", key, true);
            } else {
                w.remove(L"Containing Text", key);
            }
        }
        for (int row = 1; row <= 3; ++row) {
            const AdditionalTextRow& r = c.AdditionalText[static_cast<std::size_t>(row - 1)];
            w.boolean(L"Containing Text", Row(row, L""), r.Enabled);
            if (!r.Enabled) continue;
            w.integer(L"Containing Text", Row(row, L"Option"), r.Option);
            w.text(L"Containing Text", Row(row, L"Text"), r.Text);
        }
    }

    w.boolean(L"Advanced", L"SearchAllFilesAndFolders", c.SearchAllFilesAndFolders);
    if (!c.SearchAllFilesAndFolders) {
        w.boolean(L"Advanced", L"SearchSystemFolders", c.SearchSystemFolders);
        w.boolean(L"Advanced", L"SearchHiddenFilesAndFolders", c.SearchHiddenFilesAndFolders);
    }
    w.boolean(L"Advanced", L"SearchSubfolders", c.SearchSubfolders);
    // Only files that skip folders hold the key, so older files stay as they were.
    if (!c.SkipFolders.empty()) {
        w.text(L"Advanced", L"SkipFolders", c.SkipFolders);
    } else {
        w.remove(L"Advanced", L"SkipFolders");
    }
    return w.failure();
}

std::vector<OptionAssignment> LoadSearchOptions(OptionsStore& file, bool switchDefault, int lookInRows,
                                                const DateTimeTexts& texts, DateTime now, std::wstring_view lookInDrives) {
    Reader r(file, texts, now);
    using F = OptionField;

    const bool name = r.boolean(L"Common", L"AllOrPartOfTheFileName", switchDefault);
    r.set(F::AllOrPartOfTheFileName, name);
    if (name) {
        r.setText(F::Mask, r.text(L"Common", L"Mask"));
        r.set(F::CaseSensitive, r.boolean(L"Common", L"CaseSensitive", false));
        r.set(F::MaskIsRegularExpression, r.boolean(L"Common", L"MaskIsRegularExpression", false));
    }
    const bool lookIn = r.boolean(L"Common", L"LookIn", switchDefault);
    r.set(F::LookIn, lookIn);
    if (lookIn) {
        // A drive's letter that is in the list wins over the row's position, which drives that came
        // or went since have shifted.
        // Only when the row is a drive's: a letter left by an older choice never overrides another row.
        const int stored = r.integer(L"Common", L"LookInWhere", 2);
        const std::wstring letter = stored >= LookInFirstDrive ? r.text(L"Common", L"LookInDrive") : std::wstring();
        const std::size_t drive = letter.size() == 1 ? lookInDrives.find(AsciiUpper(letter[0])) : std::wstring_view::npos;
        const int row = drive != std::wstring_view::npos ? LookInFirstDrive + static_cast<int>(drive) : stored;
        if (row >= 0 && row < lookInRows) r.setNumber(F::LookInWhere, row);
    }

    const bool folders = r.boolean(L"Additional Folders", L"AdditionalFolders", false);
    r.set(F::AdditionalFolders, folders);
    if (folders) {
        const int count = std::min(r.integer(L"Additional Folders", L"NumberOfDirectories", 0), kMaxOptionFolders);
        for (int i = 0; i < count; ++i) {
            const std::wstring key = L"Directory" + std::to_wstring(i);
            if (r.has(L"Additional Folders", key)) r.setText(F::Directory, r.text(L"Additional Folders", key));
        }
    }

    for (int g = 0; g < 3; ++g) {
        const wchar_t* section = kDateSections[static_cast<std::size_t>(g)];
        const int when = r.integer(section, kWhenKeys[static_cast<std::size_t>(g)], 0);
        const bool specify = when < WhenDoNotRemember || when > WhenWithinThePastYear;
        r.setNumber(F::When, specify ? WhenSpecifyDateAndTime : when, g);
        if (!specify) continue;
        const bool from = r.boolean(section, L"From", false);
        r.set(F::From, from, g);
        if (from) {
            r.setMoment(F::FromDate, r.date(section, L"FromDate"), g);
            r.setMoment(F::FromTime, r.time(section, L"FromTime"), g);
        }
        const bool to = r.boolean(section, L"To", false);
        r.set(F::To, to, g);
        if (to) {
            r.setMoment(F::ToDate, r.date(section, L"ToDate"), g);
            r.setMoment(F::ToTime, r.time(section, L"ToTime"), g);
        }
    }

    const int size = r.integer(L"Size", L"Size", 0);
    const bool specifySize = size < SizeDoNotRemember || size > SizeVeryLarge;
    r.setNumber(F::Size, specifySize ? SizeSpecify : size);
    if (specifySize) {
        for (const SizeBoundKeys& bound : kSizeBounds) {
            const bool on = r.boolean(L"Size", bound.on, false);
            r.set(bound.onField, on);
            if (!on) continue;
            // A number no size box can hold (negative, "0xFFFFFFFF") takes the key's default.
            const int number = r.integer(L"Size", bound.number, 0);
            r.setText(bound.numberField, std::to_wstring(number >= 0 ? number : 0));
            const int unit = r.integer(L"Size", bound.unit, 0);
            if (IsSizeUnit(unit)) r.setNumber(bound.unitField, unit);
        }
    }

    const bool attributes = r.boolean(L"Attributes", L"Attributes", false);
    r.set(F::Attributes, attributes);
    if (attributes) {
        for (std::size_t i = 0; i < kAttributes.size(); ++i)
            r.set(F::AttributeFlag, r.boolean(L"Attributes", kAttributes[i].key, false), static_cast<int>(i));
        r.setNumber(F::Match, r.integer(L"Attributes", L"Match", MatchExact) == MatchExact ? MatchExact : MatchContainSelected);
    }

    const bool text = r.boolean(L"Containing Text", L"ContainingText", false);
    r.set(F::ContainingText, text);
    if (text) {
        r.setText(F::ContainingText0, r.text(L"Containing Text", L"ContainingText0"));
        r.set(F::MatchCase, r.boolean(L"Containing Text", L"MatchCase", true));  // files from before it: on
        r.set(F::PhrasesAreRegularExpressions, r.boolean(L"Containing Text", L"PhrasesAreRegularExpressions", false));
        r.set(F::PhrasesAreWholeWords, r.boolean(L"Containing Text", L"PhrasesAreWholeWords", false));
        for (int row = 1; row <= 3; ++row) {
            const bool on = r.boolean(L"Containing Text", Row(row, L""), false);
            r.set(F::AdditionalText, on, row - 1);
            if (!on) continue;
            const int option = r.integer(L"Containing Text", Row(row, L"Option"), TextAnd);
            if (option >= TextAnd && option <= TextNot) r.setNumber(F::AdditionalTextOption, option, row - 1);
            r.setText(F::AdditionalTextText, r.text(L"Containing Text", Row(row, L"Text")), row - 1);
        }
    }

    const bool all = r.boolean(L"Advanced", L"SearchAllFilesAndFolders", switchDefault);
    r.set(F::SearchAllFilesAndFolders, all);
    if (!all) {
        r.set(F::SearchSystemFolders, r.boolean(L"Advanced", L"SearchSystemFolders", switchDefault));
        r.set(F::SearchHiddenFilesAndFolders, r.boolean(L"Advanced", L"SearchHiddenFilesAndFolders", switchDefault));
    }
    r.set(F::SearchSubfolders, r.boolean(L"Advanced", L"SearchSubfolders", switchDefault));
    r.setText(F::SkipFolders, r.text(L"Advanced", L"SkipFolders"));
    return r.assignments;
}

}  // namespace findlark
