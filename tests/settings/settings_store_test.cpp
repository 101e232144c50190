#include "settings/recent_list.h"
#include "settings/settings_store.h"
#include "support/memory_store.h"

#include <gtest/gtest.h>

namespace findlark {
namespace {

using testing_support::MemoryStore;
using Entries = std::vector<std::wstring>;

TEST(SettingsStore, MissingOrMalformedValuesGiveTheirDefaults) {
    MemoryStore store;
    EXPECT_EQ(store.read(setting::MainWindowTop), -10000);
    EXPECT_EQ(store.read(setting::MainWindowWidth), 443);
    EXPECT_EQ(store.read(setting::MainWindowHeight), 633);
    EXPECT_TRUE(store.read(setting::RememberSearchOptions));
    EXPECT_FALSE(store.read(setting::DeleteWithoutPrompting));
    EXPECT_EQ(store.ReadString(L"Preferences", L"Nothing", L"dflt"), L"dflt");

    const auto readBack = [&](const wchar_t* text) {
        store.set(kPreferences, L"X", text);
        return store.ReadInteger(kPreferences, L"X", 77);
    };
    EXPECT_EQ(readBack(L"-12"), -12);
    EXPECT_EQ(readBack(L"2147483647"), 2147483647);
    EXPECT_EQ(readBack(L"-2147483648"), -2147483647 - 1);
    for (const wchar_t* bad : {L"", L"-", L"12a", L" 12", L"2147483648", L"0x10", L"yes"}) EXPECT_EQ(readBack(bad), 77);

    store.set(kPreferences, setting::DeleteWithoutPrompting.key, L"2");
    EXPECT_TRUE(store.read(setting::DeleteWithoutPrompting));
    store.set(kPreferences, setting::DeleteWithoutPrompting.key, L"yes");
    EXPECT_FALSE(store.read(setting::DeleteWithoutPrompting));
    store.set(kPreferences, setting::RememberWindowSize.key, L"yes");
    EXPECT_TRUE(store.read(setting::RememberWindowSize));

    store.write(setting::WindowState, -3);
    store.write(setting::RememberWindowSize, false);
    EXPECT_EQ(*store.find(kPreferences, L"WindowState"), L"-3");
    EXPECT_EQ(*store.find(kPreferences, L"RememberWindowSize"), L"0");
}

TEST(RecentList, PushingMovesTheTextToTheTopComparingExactly) {
    EXPECT_EQ(PushedEntries({L"x", L"abc", L"y"}, L"abc"), (Entries{L"abc", L"x", L"y"}));
    EXPECT_EQ(PushedEntries({L"x", L"abc", L"y"}, L"ABC"), (Entries{L"ABC", L"x", L"abc", L"y"}));
    EXPECT_EQ(PushedEntries({}, L""), Entries{L""});
    EXPECT_EQ(PushedEntries({L"a", L"a"}, L"a"), Entries{L"a"});
}

TEST(RecentList, TwentySixAreKeptAndComeBackInOrder) {
    MemoryStore store;
    Entries thirty;
    for (int i = 0; i < 30; ++i) thirty.push_back(L"entry " + std::to_wstring(i));
    WriteRecentEntries(store, kRecentMasks, thirty);
    EXPECT_EQ(*store.find(kRecentMasks, L"MRUList"), L"abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(*store.find(kRecentMasks, L"z"), L"entry 25");
    const Entries loaded = ReadRecentEntries(store, kRecentMasks);
    EXPECT_EQ(loaded, Entries(thirty.begin(), thirty.begin() + 26));

    // A list that shrank leaves its old letters in the store, unnamed and unread.
    WriteRecentEntries(store, kRecentMasks, {L"one", L"two"});
    EXPECT_EQ(*store.find(kRecentMasks, L"MRUList"), L"ab");
    EXPECT_EQ(*store.find(kRecentMasks, L"c"), L"entry 2");
    EXPECT_EQ(ReadRecentEntries(store, kRecentMasks), (Entries{L"one", L"two"}));
    WriteRecentEntries(store, kRecentMasks, {});
    EXPECT_EQ(*store.find(kRecentMasks, L"MRUList"), L"");
    EXPECT_TRUE(ReadRecentEntries(store, kRecentMasks).empty());
}

TEST(RecentList, MruListLettersAreTakenAsTheyStand) {
    MemoryStore store;
    store.set(kRecentWebPhrases, L"a", L"first");
    store.set(kRecentWebPhrases, L"b", L"");
    store.set(kRecentWebPhrases, L"c", L"third");
    store.set(kRecentWebPhrases, L"MRUList", L"cabaq");  // b is empty, q names nothing, a twice
    EXPECT_EQ(ReadRecentEntries(store, kRecentWebPhrases), (Entries{L"third", L"first", L"first"}));
    EXPECT_TRUE(ReadRecentEntries(store, L"NoSuchSection").empty());
}

}  // namespace
}  // namespace findlark
