#include "results/results_list.h"

#include "model/ascii_case.h"
#include "results/icon_rule.h"
#include "results/modified_text.h"
#include "results/size_text.h"
#include "win/case_folding_table.h"
#include "win/long_path.h"
#include "win/system_date_time.h"

#include <shellapi.h>

#include <algorithm>
#include <unordered_set>

namespace findlark {
namespace {

// Lists at least this long are sorted and filtered off the UI thread.
constexpr int kBackgroundSortRows = 100000;

void CopyText(NMLVDISPINFOW& info, std::wstring_view text) {
    if (info.item.cchTextMax <= 0) return;
    const size_t length = std::min<size_t>(text.size(), static_cast<size_t>(info.item.cchTextMax - 1));
    text.copy(info.item.pszText, length);
    info.item.pszText[length] = L'\0';
}

int SystemIconIndex(const std::wstring& path, DWORD attributes, UINT extraFlags) {
    SHFILEINFOW file{};
    if (!::SHGetFileInfoW(path.c_str(), attributes, &file, sizeof(file), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extraFlags))
        return 0;
    return file.iIcon;
}

HIMAGELIST SystemSmallImages() {
    SHFILEINFOW file{};
    return reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(L"C:\\", FILE_ATTRIBUTE_DIRECTORY, &file, sizeof(file),
                                                         SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
}

constexpr std::chrono::milliseconds kPublishInterval{100};

}  // namespace

int ResultsList::systemFileIcon(const std::wstring& path) { return SystemIconIndex(path, 0, 0); }

void ResultsList::attach(win::VirtualListView& view, std::function<std::pair<int, std::wstring>()> sizeUnit,
                         IconLoader::Fetch iconFetch) {
    view_ = &view;
    sizeUnit_ = std::move(sizeUnit);
    iconLoader_ = std::make_unique<IconLoader>(std::move(iconFetch), [this] { deliverIcons(); });
    view.setSmallImages(SystemSmallImages());
    view.onGetDispInfo = [this](NMLVDISPINFOW& info) { getDispInfo(info); };
    // A path cut off in its column shows whole.
    view.onInfoTip = [this](int row) { return row >= 0 && row < rows_.count() ? rows_.entry(row).fullPath() : std::wstring(); };
}

void ResultsList::clear() {
    sorter_.cancel();  // before the names and folders it reads go
    pending_.clear();
    filterMemory_.clear();
    rows_.clear();
    published_ = {};  // the next run's first rows show at once
    arrow_.reset();  // a new run's rows come in the walk's order
    showSortArrow();
    iconsFromFiles_.clear();
    ++generation_;
    view_->setRowCount(0);
    view_->redrawAll();
}

void ResultsList::append(const std::vector<RowSlice>& slices) {
    for (const RowSlice& slice : slices) rows_.append(slice);
    // The list control's row count costs time in proportion to the rows, so a long list is told less often.
    const auto interval = kPublishInterval + std::chrono::milliseconds(rows_.count() / 20000);
    if (std::chrono::steady_clock::now() - published_ >= interval) publish();
}

void ResultsList::publish() {
    published_ = std::chrono::steady_clock::now();
    if (view_->rowCount() == rows_.count()) return;
    view_->setRowCount(rows_.count());
    if (onPublished) onPublished();
}

std::vector<std::int32_t> ResultsList::selectedData() const { return dataOf(view_->selectedRows()); }

std::vector<std::int32_t> ResultsList::dataOf(const std::vector<int>& rows) const {
    std::vector<std::int32_t> data;
    for (const int row : rows) {
        if (row < rows_.count()) data.push_back(rows_.order()[static_cast<std::size_t>(row)]);
    }
    return data;
}

void ResultsList::keepingSelection(const std::function<void()>& change) {
    publish();
    const std::vector<int> selectedRows = view_->selectedRows();
    const std::vector<std::int32_t> selected = dataOf(selectedRows);
    const int focusedRow = view_->focusedRow();
    std::int32_t focused = focusedRow >= 0 && focusedRow < rows_.count() ? rows_.order()[static_cast<std::size_t>(focusedRow)] : -1;
    change();
    std::unordered_set<std::int32_t> keep(selected.begin(), selected.end());
    view_->clearSelection(selectedRows, focusedRow);
    // Costs time in proportion to the list even when the count stays.
    if (view_->rowCount() != rows_.count()) view_->setRowCount(rows_.count());
    // Looks no further than the last of those rows.
    for (int row = 0; (!keep.empty() || focused >= 0) && row < rows_.count(); ++row) {
        const std::int32_t data = rows_.order()[static_cast<std::size_t>(row)];
        if (keep.erase(data)) view_->setSelected(row, true);
        if (data == focused) {
            view_->setFocused(row);
            focused = -1;
        }
    }
    view_->redrawAll();
}

void ResultsList::removeWhere(const std::function<bool(const ResultEntry&)>& remove) {
    finishChanges();
    keepingSelection([&] { rows_.removeWhere(remove); });
}

void ResultsList::sort(const SortState& state) {
    arrow_ = state;
    showSortArrow();
    SortState named = state;
    named.setTypeNames([this](const ResultEntry& entry) { return typeName(entry); });
    pending_.push_back({named, nullptr});
    if (!sorter_.busy()) startChanges();
}

void ResultsList::setFilter(std::wstring_view text) {
    auto filter = std::make_shared<const RowFilter>(text, PlatformCaseFolding().units.data());
    if (filter->empty()) filter.reset();
    if (!filter && !filtered()) return;
    // Typing on (or the first key) narrows the rows listed, unless they are still being worked on;
    // taking a key back while every kept row is listed leaves them all listed.
    const bool narrowing = filter && !sorting() && (!filtered() || filter->narrows(*rows_.filter()));
    if (filter && filtered() && !sorting() && rows_.count() == rows_.keptCount() && rows_.filter()->narrows(*filter)) {
        rows_.setFilter(std::move(filter));
        if (onFiltered) onFiltered();
        return;
    }
    // The change of filter comes first: a sort under way begins again afterwards, over the rows it
    // then finds; the rows an older text let through are no longer wanted.
    if (sorter_.busy()) {
        sorter_.cancel();
        if (running_.sort) pending_.push_front({running_.sort, nullptr});
    }
    pending_.erase(std::remove_if(pending_.begin(), pending_.end(), [](const OrderChange& change) { return !change.sort; }),
                   pending_.end());
    // Taking the filter away lists every kept row again at once, in the list's order.
    if (filter) {
        rows_.setFilter(filter);
    } else {
        keepingSelection([&] { rows_.setFilter(nullptr); });
    }
    if (filter) pending_.push_front({std::nullopt, std::move(filter), narrowing});
    if (onFiltered) onFiltered();
    startChanges();
}

RowsSnapshot ResultsList::begin(OrderChange& change) {
    listedAtStart_ = static_cast<std::size_t>(rows_.count());
    if (change.sort) {
        change.filter = rows_.filter();
        change.sortedAll->clear();
    }
    if (change.filter) change.known = filterMemory_.find(*change.filter);
    // The rows listed lie in the unfiltered order as its subsequence: narrowing looks at them alone
    // when they are few, and otherwise reads the unfiltered order, which is shared rather than copied.
    return change.narrowing && rows_.count() < rows_.keptCount() / 2 ? rows_.snapshot() : rows_.unfilteredRows();
}

BackgroundSort::Work ResultsList::workOf(const OrderChange& change) {
    return [change, &pool = filterThreads_](const RowsSnapshot& rows, const std::function<bool()>& cancelled) {
        static const PassedRows kNone;
        const PassedRows& known = change.known ? *change.known : kNone;
        if (!change.sort) return FilteredOrder(rows, *change.filter, pool, cancelled, known, change.learnt.get());
        std::vector<std::int32_t> sorted = SortedOrder(rows, *change.sort, cancelled);
        if (!change.filter || sorted.empty()) return sorted;
        // Every kept row sorted, then those the filter lets through, in that order.
        RowsSnapshot all = rows;
        all.setOrder(sorted);
        *change.sortedAll = std::move(sorted);
        return FilteredOrder(all, *change.filter, pool, cancelled, known, change.learnt.get());
    };
}

void ResultsList::startChanges() {
    while (!pending_.empty() && !sorter_.busy()) {
        running_ = pending_.front();
        pending_.pop_front();
        const RowsSnapshot rows = begin(running_);
        // A short list is done faster than a thread starts.
        if (rows.size() < static_cast<std::size_t>(kBackgroundSortRows) || !sorter_.start(rows, workOf(running_)))
            apply(running_, workOf(running_)(rows, {}));
    }
}

void ResultsList::finishChanges() {
    if (sorter_.busy()) apply(running_, sorter_.take());
    for (; !pending_.empty(); pending_.pop_front()) {
        const RowsSnapshot rows = begin(pending_.front());
        apply(pending_.front(), workOf(pending_.front())(rows, {}));
    }
}

void ResultsList::apply(const OrderChange& change, const std::vector<std::int32_t>& order) {
    if (change.filter && !change.learnt->empty()) filterMemory_.remember(change.filter, change.learnt);
    // Rows added since the change began stay after the rows it worked on.
    const auto replaceListed = [&] {
        auto& listed = rows_.order();
        std::deque<std::int32_t> next(order.begin(), order.end());
        next.insert(next.end(), listed.begin() + static_cast<std::ptrdiff_t>(listedAtStart_), listed.end());
        listed.swap(next);
    };
    if (!change.sort) {
        // Typing on that hides nothing leaves the list as it is.
        if (change.narrowing && order.size() == listedAtStart_) {
            if (onFiltered) onFiltered();
            return;
        }
        keepingSelection(replaceListed);
        if (onFiltered) onFiltered();
        return;
    }
    // An empty order is a sort given up (out of memory): the list keeps its order.
    if (!change.filter) {
        if (!order.empty()) keepingSelection([&] { std::copy(order.begin(), order.end(), rows_.order().begin()); });
        return;
    }
    const std::vector<std::int32_t>& sorted = *change.sortedAll;
    if (sorted.empty()) return;
    std::vector<std::int32_t>& all = rows_.unfilteredOrder();
    std::copy(sorted.begin(), sorted.end(), all.begin());
    keepingSelection(replaceListed);
}

bool ResultsList::onRemoteDrive(const std::wstring& folder) {
    if (folder.size() < 2 || folder[1] != L':') return false;
    const wchar_t letter = AsciiUpper(folder[0]);
    const auto known = remoteDrives_.find(letter);
    if (known != remoteDrives_.end()) return known->second;
    const wchar_t root[] = {letter, L':', L'\\', 0};
    return remoteDrives_[letter] = ::GetDriveTypeW(root) == DRIVE_REMOTE;
}

int ResultsList::iconOf(const ResultEntry& entry) {
    if (IconReadFromFile(entry.name, *entry.folder, entry.attributes) && !onRemoteDrive(*entry.folder)) {
        const auto known = iconsFromFiles_.find(entry.data);
        if (known != iconsFromFiles_.end()) return known->second >= 0 ? known->second : typeIcon(entry);
        // The shell would read a name that the platform alters as another item's: such a row keeps
        // the icon of its kind.
        std::wstring path = entry.fullPath();
        if (!win::NeedsExactForm(path) && iconLoader_) {
            iconsFromFiles_[entry.data] = -1;
            iconLoader_->request((std::uint64_t{generation_} << 32) | static_cast<std::uint32_t>(entry.data), std::move(path));
        }
    }
    return typeIcon(entry);
}

void ResultsList::deliverIcons() {
    for (const auto& [key, index] : iconLoader_->takeAnswers()) {
        if (key >> 32 == generation_) iconsFromFiles_[static_cast<std::int32_t>(key & 0xFFFFFFFF)] = index;
    }
    view_->redrawAll();
}

int ResultsList::typeIcon(const ResultEntry& entry) {
    const std::wstring key = IconTypeKey(entry.name, entry.isFolder());
    const auto known = iconsByType_.find(key);
    if (known != iconsByType_.end()) return known->second;
    // The shell looks at the name and the attributes only, never at the file.
    const DWORD attributes = entry.isFolder() ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    return iconsByType_[key] = SystemIconIndex(L"x" + key, attributes, SHGFI_USEFILEATTRIBUTES);
}

void ResultsList::showSortArrow() {
    const auto at = arrow_ ? std::find(listColumns_.begin(), listColumns_.end(), arrow_->column()) : listColumns_.end();
    view_->setSortArrow(at == listColumns_.end() ? -1 : static_cast<int>(at - listColumns_.begin()),
                        arrow_ && arrow_->ascending(arrow_->column()));
}

void ResultsList::setColumns(const std::vector<int>& shown, const std::array<int, kColumnCount>& widths) {
    widths_ = widths;
    listColumns_ = {SortByName};
    std::vector<win::ListColumn> columns;
    for (const int column : shown) {
        if (column == SortByName || column < 0 || column >= kColumnCount) continue;
        listColumns_.push_back(column);
        columns.push_back({kColumnCaptions[column], widths_[static_cast<std::size_t>(column)]});
    }
    view_->setColumnWidth(0, widths_[SortByName]);
    view_->replaceColumnsAfterFirst(columns);
    std::vector<int> order;
    for (const int column : shown) {
        const auto at = std::find(listColumns_.begin(), listColumns_.end(), column);
        if (at != listColumns_.end() && std::find(order.begin(), order.end(), at - listColumns_.begin()) == order.end())
            order.push_back(static_cast<int>(at - listColumns_.begin()));
    }
    if (order.size() == listColumns_.size()) view_->setColumnOrder(order);
    showSortArrow();
    view_->redrawAll();
}

std::vector<int> ResultsList::shownColumns() const {
    std::vector<int> shown;
    for (const int listColumn : view_->columnOrder()) {
        if (listColumn >= 0 && listColumn < static_cast<int>(listColumns_.size()))
            shown.push_back(listColumns_[static_cast<std::size_t>(listColumn)]);
    }
    return shown;
}

std::array<int, kColumnCount> ResultsList::columnWidths() const {
    std::array<int, kColumnCount> widths = widths_;
    for (std::size_t i = 0; i < listColumns_.size(); ++i)
        widths[static_cast<std::size_t>(listColumns_[i])] = view_->columnWidth(static_cast<int>(i));
    return widths;
}

int ResultsList::columnAt(int listColumn) const {
    return listColumn >= 0 && listColumn < static_cast<int>(listColumns_.size()) ? listColumns_[static_cast<std::size_t>(listColumn)]
                                                                                : SortByName;
}

std::wstring_view ResultsList::typeName(const ResultEntry& entry) {
    const bool folder = entry.isFolder();
    std::wstring key(folder ? L"\\" : L".");
    for (const wchar_t c : ExtensionOf(entry.name, folder)) key += AsciiUpper(c);
    const std::lock_guard<std::mutex> lock(typeNamesLock_);
    const auto known = typeNames_.find(key);
    if (known != typeNames_.end()) return known->second;
    // The shell looks at the name and the attributes only, never at the file.
    SHFILEINFOW file{};
    const std::wstring probe = folder ? L"x" : L"x" + key;
    ::SHGetFileInfoW(probe.c_str(), folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &file, sizeof(file),
                     SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES);
    return typeNames_.emplace(std::move(key), file.szTypeName).first->second;
}

DateTime ResultsList::localTime(std::uint64_t utc) const {
    if (utc == 0) return 0;
    const FILETIME time{static_cast<DWORD>(utc), static_cast<DWORD>(utc >> 32)};
    return win::FromSystemTime(toLocal_(time));
}

CsvRow ResultsList::csvRow(const ResultEntry& entry) {
    return {std::wstring(entry.name), *entry.folder,       entry.size, entry.modified, std::wstring(typeName(entry)),
            entry.attributes,         localTime(entry.times.created), localTime(entry.times.accessed)};
}

std::wstring ResultsList::columnText(const ResultEntry& entry, int column) {
    const auto dateText = [&](std::uint64_t utc) { return utc ? FormatDateText(localTime(utc)) : std::wstring(); };
    switch (column) {
    case SortByName:
        return std::wstring(entry.name);
    case SortByFolder:
        return *entry.folder;
    case SortBySize: {
        const auto [unit, unitText] = sizeUnit_();
        return FormatSizeText(entry.size, unit, unitText);
    }
    case SortByDate:
        return FormatDateText(entry.modified);
    case SortByType:
        return std::wstring(typeName(entry));
    case SortByExtension:
        return std::wstring(ExtensionOf(entry.name, entry.isFolder()));
    case SortByCreated:
        return dateText(entry.times.created);
    case SortByAccessed:
        return dateText(entry.times.accessed);
    case SortByAttributes:
        return AttributeLetters(entry.attributes);
    default:
        return {};
    }
}

void ResultsList::getDispInfo(NMLVDISPINFOW& info) {
    if (info.item.iItem < 0 || info.item.iItem >= rows_.count()) return;
    const ResultEntry entry = rows_.entry(info.item.iItem);
    if (info.item.mask & LVIF_IMAGE) info.item.iImage = iconOf(entry);
    if (info.item.mask & LVIF_TEXT) CopyText(info, columnText(entry, columnAt(info.item.iSubItem)));
}

}  // namespace findlark
