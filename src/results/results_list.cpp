#include "results/results_list.h"

#include "model/ascii_case.h"
#include "results/icon_rule.h"
#include "results/modified_text.h"
#include "results/size_text.h"
#include "win/case_folding_table.h"
#include "win/long_path.h"

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
    rows_.clear();
    published_ = {};  // the next run's first rows show at once
    view_->setSortArrow(-1, true);  // a new run's rows come in the walk's order
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
    const std::int32_t focused = focusedRow >= 0 && focusedRow < rows_.count() ? rows_.order()[static_cast<std::size_t>(focusedRow)] : -1;
    change();
    const std::unordered_set<std::int32_t> keep(selected.begin(), selected.end());
    view_->clearSelection(selectedRows, focusedRow);
    view_->setRowCount(rows_.count());
    for (int row = 0; (!keep.empty() || focused >= 0) && row < rows_.count(); ++row) {
        const std::int32_t data = rows_.order()[static_cast<std::size_t>(row)];
        if (keep.count(data)) view_->setSelected(row, true);
        if (data == focused) view_->setFocused(row);
    }
    view_->redrawAll();
}

void ResultsList::removeWhere(const std::function<bool(const ResultEntry&)>& remove) {
    finishChanges();
    keepingSelection([&] { rows_.removeWhere(remove); });
}

void ResultsList::sort(const SortState& state) {
    view_->setSortArrow(state.column(), state.ascending(state.column()));
    pending_.push_back({state, nullptr});
    if (!sorter_.busy()) startChanges();
}

void ResultsList::setFilter(std::wstring_view text) {
    auto filter = std::make_shared<const RowFilter>(text, PlatformCaseFolding().units.data());
    if (filter->empty()) filter.reset();
    if (!filter && !filtered()) return;
    // Typing on narrows the rows listed, unless they are still being worked on.
    const bool narrowing = filter && filtered() && !sorting() && filter->narrows(*rows_.filter());
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
    return change.narrowing ? rows_.snapshot() : rows_.unfilteredRows();
}

BackgroundSort::Work ResultsList::workOf(const OrderChange& change) {
    return [change](const RowsSnapshot& rows, const std::function<bool()>& cancelled) {
        if (!change.sort) return FilteredOrder(rows, *change.filter, cancelled);
        std::vector<std::int32_t> sorted = SortedOrder(rows, *change.sort, cancelled);
        if (!change.filter || sorted.empty()) return sorted;
        // Every kept row sorted, then those the filter lets through, in that order.
        RowsSnapshot all = rows;
        all.setOrder(sorted);
        *change.sortedAll = std::move(sorted);
        return FilteredOrder(all, *change.filter, cancelled);
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

void ResultsList::getDispInfo(NMLVDISPINFOW& info) {
    if (info.item.iItem < 0 || info.item.iItem >= rows_.count()) return;
    const ResultEntry entry = rows_.entry(info.item.iItem);
    if (info.item.mask & LVIF_IMAGE) info.item.iImage = iconOf(entry);
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
        CopyText(info, FormatSizeText(entry.size, unit, unitText));
        break;
    }
    case 3:
        CopyText(info, FormatDateText(entry.modified));
        break;
    default:
        break;
    }
}

}  // namespace findlark
