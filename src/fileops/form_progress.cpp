#include "fileops/form_progress.h"

#include "model/size_units.h"
#include "win/busy_window.h"

#include <algorithm>
#include <cwchar>

namespace findlark {
namespace {

constexpr std::uint64_t kPumpEveryMs = 10;
constexpr std::uint64_t kTextsEveryMs = 100;

// The unit that writes the total with a few digits.
SizeUnit UnitFor(std::uint64_t bytes) {
    SizeUnit unit = 0;
    while (unit < 3 && bytes >= 1024ull * static_cast<std::uint64_t>(SizeUnitMultiplier(unit))) ++unit;
    return unit;
}

// A size in that unit, with a tenth where the number is small: "0.6 GB", "12.5 MB", "640 KB".
std::wstring ProgressSize(std::uint64_t bytes, SizeUnit unit) {
    const double value = static_cast<double>(bytes) / static_cast<double>(SizeUnitMultiplier(unit));
    wchar_t text[64] = {};
    std::swprintf(text, 64, unit > 0 && value < 100 ? L"%.1f %ls" : L"%.0f %ls", value, std::wstring(SizeUnitText(unit)).c_str());
    return text;
}

}  // namespace

TFormProgress::TFormProgress(HWND owner) {
    createDialog(L"Copying", {420, 118}, owner);
    LabelCounts.create(*this, L"", {12, 10, 396, 17});
    LabelItem.create(*this, L"", {12, 30, 396, 17});
    // The item in hand is a path: shortened in its middle rather than cut at its end.
    ::SetWindowLongPtrW(LabelItem.hwnd(), GWL_STYLE, ::GetWindowLongPtrW(LabelItem.hwnd(), GWL_STYLE) | SS_PATHELLIPSIS);
    ProgressBarDone.create(*this, {12, 54, 396, 18});
    BitBtnCancel.create(*this, L"Cancel", {333, 84, 75, 25});
    setDefaultButton(BitBtnCancel);
    setCancelButton(BitBtnCancel);
    BitBtnCancel.onClick = [this] { BitBtnCancelClick(); };
}

TFormProgress::~TFormProgress() { destroyWindow(); }

void TFormProgress::BitBtnCancelClick() {
    cancelled_ = true;
    BitBtnCancel.setEnabled(false);
    LabelCounts.setText(L"Stopping after the current file ...");
}

void TFormProgress::begin(std::wstring_view caption) {
    running_ = true;
    cancelled_ = false;
    itemsDone_ = itemsTotal_ = 0;
    bytesDone_ = bytesTotal_ = 0;
    current_.clear();
    startedAt_ = ::GetTickCount64();
    pumpedAt_ = shownAt_ = 0;
    ::SetWindowTextW(hwnd(), std::wstring(caption).c_str());
    BitBtnCancel.setEnabled(true);
    ProgressBarDone.setPosition(0);
}

void TFormProgress::addWork(std::size_t items, std::uint64_t bytes) {
    itemsTotal_ += items;
    bytesTotal_ += bytes;
    keepAlive();
}

void TFormProgress::working(std::wstring_view path) {
    current_.assign(path);
    keepAlive();
}

void TFormProgress::advance(std::size_t items, std::uint64_t bytes) {
    itemsDone_ += items;
    bytesDone_ += bytes;
    keepAlive();
}

bool TFormProgress::cancelled() {
    keepAlive();
    return cancelled_;
}

void TFormProgress::end() {
    running_ = false;
    if (::IsWindowVisible(hwnd())) ::ShowWindow(hwnd(), SW_HIDE);
}

void TFormProgress::keepAlive() {
    if (!running_) return;
    const std::uint64_t now = ::GetTickCount64();
    if (now - pumpedAt_ < kPumpEveryMs) return;
    pumpedAt_ = now;
    if (!::IsWindowVisible(hwnd()) && now - startedAt_ >= static_cast<std::uint64_t>(showDelay_.count())) {
        centerOn(::GetWindow(hwnd(), GW_OWNER));
        ::ShowWindow(hwnd(), SW_SHOW);
        showTexts();
        shownAt_ = now;
    } else if (::IsWindowVisible(hwnd()) && now - shownAt_ >= kTextsEveryMs) {
        showTexts();
        shownAt_ = now;
    }
    win::BusyWindow::pump();
}

void TFormProgress::showTexts() {
    if (!cancelled_) {
        std::wstring counts = std::to_wstring(itemsDone_) + L" of " + std::to_wstring(itemsTotal_) + L" items";
        if (bytesTotal_ > 0) {
            const SizeUnit unit = UnitFor(bytesTotal_);
            counts += L", " + ProgressSize(bytesDone_, unit) + L" of " + ProgressSize(bytesTotal_, unit);
        }
        LabelCounts.setText(counts);
    }
    LabelItem.setText(current_);
    const double done = bytesTotal_ > 0 ? static_cast<double>(bytesDone_) / static_cast<double>(bytesTotal_)
                        : itemsTotal_ > 0 ? static_cast<double>(itemsDone_) / static_cast<double>(itemsTotal_)
                                          : 0.0;
    ProgressBarDone.setPosition(static_cast<int>(std::min(1.0, done) * win::ProgressBar::kRange));
}

LRESULT TFormProgress::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The close box asks to stop, as Cancel does; the window goes when the operation ends.
    if (message == WM_CLOSE) {
        BitBtnCancelClick();
        return 0;
    }
    return Dialog::handleMessage(message, wParam, lParam);
}

}  // namespace findlark
