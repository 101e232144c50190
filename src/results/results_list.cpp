#include "results/results_list.h"

#include "results/size_text.h"
#include "win/system_time.h"

#include <shellapi.h>

namespace findlark {
namespace {

void CopyText(NMLVDISPINFOW& info, const std::wstring& text) {
    if (info.item.cchTextMax <= 0) return;
    ::lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
}

int SystemIconIndex(const std::wstring& path) {
    SHFILEINFOW file{};
    if (!::SHGetFileInfoW(path.c_str(), 0, &file, sizeof(file), SHGFI_SYSICONINDEX | SHGFI_SMALLICON)) return 0;
    return file.iIcon;
}

HIMAGELIST SystemSmallImages() {
    SHFILEINFOW file{};
    return reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(L"C:\\", 0, &file, sizeof(file), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

}  // namespace

std::wstring FormatDateText(DateTime local) {
    const SYSTEMTIME time = win::ToSystemTime(local);
    wchar_t date[128] = {}, clock[128] = {};
    ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 128, nullptr);
    if (time.wHour == 0 && time.wMinute == 0 && time.wSecond == 0 && time.wMilliseconds == 0) return date;
    ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &time, nullptr, clock, 128);
    return std::wstring(date) + L" " + clock;
}

void ResultsList::attach(win::VirtualListView& view, std::function<std::pair<int, std::wstring>()> sizeUnit) {
    view_ = &view;
    sizeUnit_ = std::move(sizeUnit);
    view.setSmallImages(SystemSmallImages());
    view.onGetDispInfo = [this](NMLVDISPINFOW& info) { GetDispInfo(info); };
}

void ResultsList::clear() {
    rows_.clear();
    view_->setRowCount(0);
    view_->redrawAll();
}

void ResultsList::append(std::vector<FoundRow>&& rows) {
    rows_.append(std::move(rows));
    view_->setRowCount(rows_.count());
}

void ResultsList::GetDispInfo(NMLVDISPINFOW& info) {
    if (info.item.iItem < 0 || info.item.iItem >= rows_.count()) return;
    ResultEntry& entry = rows_.entry(info.item.iItem);
    if (info.item.mask & LVIF_IMAGE) {
        if (entry.icon < 0) entry.icon = SystemIconIndex(entry.fullPath());
        info.item.iImage = entry.icon;
    }
    if (!(info.item.mask & LVIF_TEXT)) return;
    switch (info.item.iSubItem) {
    case 0:
        CopyText(info, entry.name);
        break;
    case 1:
        CopyText(info, *entry.folder);
        break;
    case 2: {
        const auto [unit, unitText] = sizeUnit_();
        CopyText(info, FormatSizeText(rows_.record(entry).size, unit, unitText));
        break;
    }
    case 3:
        CopyText(info, FormatDateText(rows_.record(entry).modified));
        break;
    default:
        break;
    }
}

}  // namespace findlark
