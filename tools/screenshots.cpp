// Shows the real main window and saves a bitmap of it for every criteria page and date sub-page.
// Usage: findlark_screenshots.exe OUTPUT_FOLDER (run under a display).
#include "app/application.h"
#include "help/form_tip.h"
#include "settings/registry_store.h"
#include "win/platform_init.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void Pump(DWORD milliseconds) {
    const DWORD end = ::GetTickCount() + milliseconds;
    while (::GetTickCount() < end) {
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) win::DispatchAppMessage(message);
        ::Sleep(10);
    }
}

bool SaveWindowBitmap(HWND hwnd, const std::wstring& path) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    ::SelectObject(memory, old);
    const int stride = ((w * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * h);
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    out.write(static_cast<const char*>(bits), stride * h);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return out.good();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: findlark_screenshots OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    const std::wstring folder = argv[1];
    const win::PlatformInit platform;
    win::SystemInteraction interaction;
    findlark::RegistryStore settings(L"Software\\Norvale\\Findlark tools");
    settings.write(findlark::setting::ShowTipOfTheDayOnStartup, false);
    // Its own options file: the program beside it must not start with the pictures' criteria.
    wchar_t temporary[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temporary);
    const std::wstring optionsFile = std::wstring(temporary) + L"FindlarkScreenshotOptions.ini";
    findlark::Application application({interaction, settings, findlark::WorkerLauncher(), nullptr, optionsFile});
    findlark::TFormMain& form = application.main();
    ::SetWindowPos(form.hwnd(), HWND_TOPMOST, 20, 20, 0, 0, SWP_NOSIZE);
    ::ShowWindow(form.hwnd(), SW_SHOW);
    Pump(800);
    const wchar_t* names[] = {L"1-common", L"2-additional-folders", L"3-date-time", L"4-size",
                              L"5-attributes", L"6-containing-text", L"7-advanced", L"8-internet"};
    int saved = 0;
    for (int page = 0; page < form.PageControlMain.count(); ++page) {
        form.PageControlMain.changePage(page);
        if (page == findlark::PageIndexDateTime) {
            const wchar_t* subNames[] = {L"-modified", L"-created", L"-accessed"};
            for (int sub = 0; sub < 3; ++sub) {
                form.Criteria.DateTime.PageControlDateTime.changePage(sub);
                form.Criteria.DateTime.Modified.RadioButtonSpecifyDateAndTime.click();
                Pump(300);
                saved += SaveWindowBitmap(form.hwnd(), folder + L"\\" + names[page] + subNames[sub] + L".bmp");
            }
            continue;
        }
        Pump(300);
        saved += SaveWindowBitmap(form.hwnd(), folder + L"\\" + names[page] + L".bmp");
    }
    // A finished search, to see rows with their icons, sizes and dates.
    form.PageControlMain.changePage(findlark::PageIndexCommon);
    findlark::SearchCriteria criteria;  // the defaults: the date pages above set a window of one instant
    criteria.LookIn = false;
    criteria.AdditionalFolders = true;
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    criteria.Directories = {windows};
    criteria.Mask = L"*.exe";
    form.Criteria.apply(criteria);
    form.BitBtnSearch.click();
    for (int waited = 0; form.searchState() == findlark::SearchState::Running && waited < 100; ++waited) Pump(100);
    Pump(300);
    saved += SaveWindowBitmap(form.hwnd(), folder + L"\\9-results.bmp");
    // The same rows narrowed by the filter box.
    form.EditFilter.setText(L"reg");
    Pump(300);
    saved += SaveWindowBitmap(form.hwnd(), folder + L"\\9-results-filtered.bmp");
    form.EditFilter.setText(L"");
    // The preview pane: a search for text, its first row shown with its matching lines.
    const std::filesystem::path texts = std::filesystem::path(temporary) / L"FindlarkScreenshotTexts";
    std::filesystem::create_directories(texts);
    std::ofstream(texts / L"notes.txt") << "Shopping list\nmilk\nbread\n\nCall Anna about the alpha release\n"
                                           "then the beta\nreview\nplan\nthe alpha notes\nend\n";
    std::ofstream(texts / L"todo.txt") << "ALPHA and alpha\n";
    ::SetWindowPos(form.hwnd(), nullptr, 0, 0, 760, 620, SWP_NOMOVE | SWP_NOZORDER);
    criteria.Directories = {texts.wstring()};
    criteria.Mask = L"*.txt";
    criteria.ContainingText = true;
    criteria.ContainingText0 = L"alpha";
    form.Criteria.apply(criteria);
    form.BitBtnSearch.click();
    for (int waited = 0; form.searchState() == findlark::SearchState::Running && waited < 100; ++waited) Pump(100);
    Pump(300);
    form.ListViewResults.setFocused(0);
    form.ListViewResults.setSelected(0, true);
    Pump(800);
    saved += SaveWindowBitmap(form.hwnd(), folder + L"\\9-preview.bmp");
    // The dialogs, shown without their modal loops for the pictures.
    const auto dialog = [&](win::Dialog& shown, const wchar_t* name) {
        ::SetWindowPos(shown.hwnd(), HWND_TOPMOST, 60, 60, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        Pump(400);
        saved += SaveWindowBitmap(shown.hwnd(), folder + L"\\" + name + L".bmp");
        ::ShowWindow(shown.hwnd(), SW_HIDE);
    };
    dialog(application.options(), L"10-preferences");
    dialog(application.about(), L"11-about");
    findlark::TFormTip tip(form.hwnd(), 2, true);
    dialog(tip, L"12-tip-of-the-day");
    std::printf("%d screenshots\n", saved);
    return saved > 0 ? 0 : 1;
}
