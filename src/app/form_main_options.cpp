// The criteria in option files: File > "Load search options ..." and "Save search options ...", the
// automatic file, and the summary of the criteria shown while a search runs.
#include "app/form_main.h"

#include "criteria/profile_file.h"
#include "criteria/regional_texts.h"
#include "criteria/summary.h"
#include "win/system_date_time.h"

namespace findlark {

void TFormMain::Open1Click() {
    win::FileDialogRequest request;
    request.filter = L"Findlark Options Files (*.flk)|*.flk";
    request.defaultExtension = L"flk";
    if (const auto path = interaction_.openFileName(hwnd(), request)) LoadSearchOptions(*path, false);
}

void TFormMain::Save1Click() {
    win::FileDialogRequest request;
    request.filter = L"Findlark Options Files, (*.flk)|*.flk|All Files, (*.*)|*.*";
    request.defaultExtension = L"flk";
    request.promptOverwrite = true;
    request.hideReadOnly = true;
    request.resizable = true;
    if (const auto path = interaction_.saveFileName(hwnd(), request)) SaveSearchOptions(*path);
}

// Every value goes through its control's ordinary setter, so every enabling rule runs.
void TFormMain::LoadSearchOptions(const std::wstring& path, bool switchDefault) {
    ProfileFile file(path, ProfileFile::Use::Reading);
    for (const OptionAssignment& option : findlark::LoadSearchOptions(
             file, switchDefault, Criteria.Common.ComboBoxExLookIn.count(), RegionalDateTimeTexts(), win::LocalNow()))
        Criteria.applyOption(option);
}

void TFormMain::SaveSearchOptions(const std::wstring& path) {
    ProfileFile file(path, ProfileFile::Use::Writing);
    const std::optional<OptionsWriteFailure> failure = findlark::SaveSearchOptions(Criteria.read(), file, RegionalDateTimeTexts());
    if (!failure) return;
    const std::wstring message = failure->kind == OptionsWriteFailure::Kind::Unwritable
                                     ? L"Unable to write to " + path
                                     : NotAnIntegerMessage(failure->text);
    interaction_.messageBox(hwnd(), message, L"Findlark 1.0", MB_OK | MB_ICONERROR);
}

void TFormMain::ShowSearchSummary() {
    const SearchCriteria criteria = Criteria.read();
    const DateTimeTexts regional = RegionalDateTimeTexts();
    const SummaryTexts texts{criteria.LookInWhere >= 0 ? Criteria.Common.ComboBoxExLookIn.text() : std::wstring(),
                             regional.formatDate, regional.formatTime};
    std::wstring text;
    for (const std::wstring& line : SearchSummaryLines(criteria, texts)) text += line + L"\r\n";
    if (text.size() >= 2) text.resize(text.size() - 2);  // no line break after the last line
    RichEditSearchInformation.setText(text);
    PageControlSearchInformation.setVisible(true);
}

}  // namespace findlark
