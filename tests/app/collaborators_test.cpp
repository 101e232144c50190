// The main window's collaborators built on a bare form of their own, without the main window.
#include "app/help_actions.h"
#include "app/results_actions.h"
#include "help/help_links.h"
#include "support/temp_tree.h"
#include "support/ui_test.h"
#include "win/handle.h"

#include <atomic>
#include <chrono>
#include <memory>

#include <gtest/gtest.h>

using namespace findlark;

namespace {

class BareForm : public win::Form {
public:
    BareForm() { createWindow({.caption = L"bare", .designClient = {400, 300}}); }
    ~BareForm() override { destroyWindow(); }
};

TEST(Collaborators, ResultsActionsSortExportAndCheckTheMenuOnABareForm) {
    BareForm form;
    win::VirtualListView list;
    list.create(form, {0, 0, 400, 300}, win::AnchorsDefault, {{L"Name", 100}, {L"In Folder", 100}, {L"Size", 100}, {L"Date", 100}});
    ResultsList results;
    results.attach(list, [] { return std::pair<int, std::wstring>(0, L"B"); });
    const HMENU menu = ::CreatePopupMenu();
    std::array<win::MenuItem, 4> items;
    for (UINT id = 0; id < 4; ++id) {
        ::AppendMenuW(menu, MF_STRING, 100 + id, L"item");
        items[id] = win::MenuItem(menu, 100 + id, false);
    }
    testing_support::ScriptedInteraction interaction;
    ResultsActions actions(results, list, {&items[0], &items[1], &items[2], &items[3]}, interaction, form);

    auto batch = std::make_shared<RowBatch>();
    const auto folder = std::make_shared<const std::wstring>(L"C:\\f");
    batch->add(L"small", folder, 1, 0, 0);
    batch->add(L"large", folder, 9, 0, 0);
    results.append({RowSlice{batch, 0, batch->size()}});
    actions.sortByMenu(SortBySize);
    actions.sortByMenu(SortBySize);  // again: largest first
    EXPECT_TRUE(items[2].checked());
    EXPECT_FALSE(items[0].checked());
    EXPECT_EQ(results.rows().entry(0).name, L"large");

    const testing_support::TempTree tree;
    interaction.fileAnswers.push_back(tree.path(L"list.txt"));
    actions.exportList();
    EXPECT_TRUE(interaction.messages.empty());
    EXPECT_NE(::GetFileAttributesW(tree.path(L"list.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    ::DestroyMenu(menu);
}

TEST(Collaborators, HelpActionsAskForTopicsOnlyWhenTheHelpFileIsThere) {
    BareForm form;
    testing_support::ScriptedInteraction interaction;
    HelpActions help(interaction, form);
    const testing_support::TempTree tree;
    help.setHelpFile(tree.path(L"Help.chm"));
    help.showTopic(HelpSize);
    EXPECT_TRUE(interaction.helpShown.empty());
    tree.file(L"Help.chm", 10);
    help.showTopic(HelpSize);
    ASSERT_EQ(interaction.helpShown.size(), 1u);
    EXPECT_EQ(interaction.helpShown[0].context, static_cast<unsigned>(HelpSize));
    EXPECT_EQ(interaction.helpShown[0].page, HelpTopicPage(HelpSize));
    help.showAbout();  // no about box connected: nothing to show
    EXPECT_TRUE(interaction.dialogs.empty());
}

// A shortcut whose target never answers: painting its row takes the icon of its kind at once, and
// the row gets its own icon when the fetch, on another thread, comes back. Network paths are never
// read for an icon.
TEST(Collaborators, IconsThatLiveInFilesAreFetchedOffThePaintingThread) {
    BareForm form;
    win::VirtualListView list;
    list.create(form, {0, 0, 400, 300}, win::AnchorsDefault, {{L"Name", 100}, {L"In Folder", 100}, {L"Size", 100}, {L"Date", 100}});
    const win::UniqueKernelHandle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    auto fetched = std::make_shared<std::atomic<int>>(0);
    constexpr int kOwnIcon = 12345;
    {
        ResultsList results;
        results.attach(list, [] { return std::pair<int, std::wstring>(0, L"B"); },
                       [gate = release.get(), fetched](const std::wstring&) {
                           ::WaitForSingleObject(gate, INFINITE);
                           ++*fetched;
                           return kOwnIcon;
                       });
        auto batch = std::make_shared<RowBatch>();
        batch->add(L"stuck.lnk", std::make_shared<const std::wstring>(L"C:\\links"), 1, 0, 0);
        batch->add(L"remote.exe", std::make_shared<const std::wstring>(L"\\\\server\\share"), 1, 0, 0);
        results.append({RowSlice{batch, 0, batch->size()}});
        const auto started = std::chrono::steady_clock::now();
        const int first = results.iconOf(results.rows().entry(0));
        results.iconOf(results.rows().entry(1));
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(500));
        EXPECT_NE(first, kOwnIcon);
        ::SetEvent(release.get());
        EXPECT_TRUE(testing_support::PumpUntil([&] { return results.iconOf(results.rows().entry(0)) == kOwnIcon; }));
        EXPECT_NE(results.iconOf(results.rows().entry(1)), kOwnIcon);
    }
    EXPECT_EQ(fetched->load(), 1);
}

}  // namespace
