#pragma once
// The criteria in option files (File > "Load search options ..." and "Save search options ...", and
// the automatic file) and the summary of the criteria shown while a search runs.
#include "criteria/criteria_pages.h"
#include "win/controls.h"
#include "win/form.h"
#include "win/interaction.h"

#include <string>

namespace findlark {

class CriteriaFiles {
public:
    CriteriaFiles(CriteriaPages& criteria, win::Interaction& interaction, win::Form& owner)
        : criteria_(criteria), interaction_(interaction), owner_(owner) {}
    // Asks for a file, then loads or saves it.
    void open();
    void save();
    // Every value goes through its control's ordinary setter; `switchDefault` is true for the
    // automatic file.
    void load(const std::wstring& path, bool switchDefault);
    // A file that cannot be written, or a size box that holds no number, says so in a message.
    void saveTo(const std::wstring& path);

private:
    CriteriaPages& criteria_;
    win::Interaction& interaction_;
    win::Form& owner_;
};

class SearchSummary {
public:
    SearchSummary(const CriteriaPages& criteria, win::RichEdit& text, win::PageControl& panel)
        : criteria_(criteria), text_(text), panel_(panel) {}
    // Writes the summary of the criteria and shows its panel.
    void show();

private:
    const CriteriaPages& criteria_;
    win::RichEdit& text_;
    win::PageControl& panel_;
};

}  // namespace findlark
