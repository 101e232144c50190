#include "app/criteria_files.h"

#include "criteria/profile_file.h"
#include "criteria/regional_texts.h"
#include "criteria/summary.h"
#include "criteria/validation.h"
#include "win/system_date_time.h"

namespace findlark {

void CriteriaFiles::open() {
    win::FileDialogRequest request;
    request.filter = L"Findlark Options Files (*.flk)|*.flk";
    request.defaultExtension = L"flk";
    if (const auto path = interaction_.openFileName(owner_.hwnd(), request)) load(*path, false);
}

void CriteriaFiles::save() {
    win::FileDialogRequest request;
    request.filter = L"Findlark Options Files, (*.flk)|*.flk|All Files, (*.*)|*.*";
    request.defaultExtension = L"flk";
    request.promptOverwrite = true;
    request.hideReadOnly = true;
    request.resizable = true;
    if (const auto path = interaction_.saveFileName(owner_.hwnd(), request)) saveTo(*path);
}

void CriteriaFiles::load(const std::wstring& path, bool switchDefault) {
    ProfileFile file(path, ProfileFile::Use::Reading);
    for (const OptionAssignment& option : LoadSearchOptions(file, switchDefault, criteria_.Common.ComboBoxExLookIn.count(),
                                                            RegionalDateTimeTexts(), win::LocalNow(), criteria_.Common.driveLetters()))
        criteria_.applyOption(option);
}

void CriteriaFiles::saveTo(const std::wstring& path) {
    ProfileFile file(path, ProfileFile::Use::Writing);
    const std::optional<OptionsWriteFailure> failure = SaveSearchOptions(criteria_.read(), file, RegionalDateTimeTexts());
    if (!failure) return;
    const std::wstring message = failure->kind == OptionsWriteFailure::Kind::Unwritable ? L"Unable to write to " + path
                                                                                         : NotAnIntegerMessage(failure->text);
    interaction_.messageBox(owner_.hwnd(), message, L"Findlark 1.0", MB_OK | MB_ICONERROR);
}

void SearchSummary::show() {
    const SearchCriteria criteria = criteria_.read();
    const DateTimeTexts regional = RegionalDateTimeTexts();
    const SummaryTexts texts{criteria.LookInWhere >= 0 ? criteria_.Common.ComboBoxExLookIn.text() : std::wstring(),
                             regional.formatDate, regional.formatTime};
    std::wstring text;
    for (const std::wstring& line : SearchSummaryLines(criteria, texts)) text += line + L"\r\n";
    if (text.size() >= 2) text.resize(text.size() - 2);  // no line break after the last line
    text_.setText(text);
    panel_.setVisible(true);
}

}  // namespace findlark
