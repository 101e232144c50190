#include "settings/recent_list.h"
#include "settings/registry_store.h"

#include <gtest/gtest.h>

#include <string>

namespace findlark {
namespace {

// A product key of the test's own, removed afterwards.
class RegistryStoreTest : public ::testing::Test {
protected:
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str()); }
    bool sectionExists(const wchar_t* section) const {
        HKEY key = nullptr;
        const bool exists = ::RegOpenKeyExW(HKEY_CURRENT_USER, (path + L"\\" + section).c_str(), 0, KEY_READ, &key) ==
                            ERROR_SUCCESS;
        if (key) ::RegCloseKey(key);
        return exists;
    }
    const std::wstring path = L"Software\\Norvale\\Findlark test " + std::to_wstring(::GetCurrentProcessId());
    RegistryStore store{path};
};

TEST_F(RegistryStoreTest, AnEmptyStoreGivesDefaultsAndAReadMakesNoSection) {
    EXPECT_EQ(store.read(setting::WindowState), 0);
    EXPECT_TRUE(store.read(setting::ShowTipOfTheDayOnStartup));
    EXPECT_FALSE(store.read(setting::OverwriteWithoutPrompting));
    EXPECT_FALSE(sectionExists(L"Preferences"));
    store.write(setting::MainWindowTop, 120);
    EXPECT_TRUE(sectionExists(L"Preferences"));
    EXPECT_EQ(store.read(setting::MainWindowTop), 120);
}

TEST_F(RegistryStoreTest, ValuesAreStringsAndAnyOtherTypeReadsAsTheDefault) {
    store.write(setting::ActivePageIndex, 5);
    DWORD type = 0;
    wchar_t text[16] = {};
    DWORD bytes = sizeof(text);
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, (path + L"\\Preferences").c_str(), L"ActivePageIndex", RRF_RT_ANY, &type,
                             text, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, L"5");

    const DWORD number = 3;
    ::RegSetKeyValueW(HKEY_CURRENT_USER, (path + L"\\Preferences").c_str(), L"WindowState", REG_DWORD, &number,
                      sizeof(number));
    EXPECT_EQ(store.read(setting::WindowState), 0);
    EXPECT_EQ(store.ReadString(L"Preferences", L"WindowState", L"fallback"), L"fallback");
}

// Masks and phrases in any script come back from the registry as they were typed, by a new store as
// the next start reads them.
TEST_F(RegistryStoreTest, RecentListsRoundTripInAnyScript) {
    std::vector<std::wstring> entries;
    for (int i = 0; i < 28; ++i) entries.push_back(L"*." + std::to_wstring(i) + L" \u00e9");
    entries[0] = L"\u65e5\u672c*.txt";
    entries[1] = L"\u03ba\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1 \U0001F600";
    WriteRecentEntries(store, kRecentTexts[2], entries);
    RegistryStore nextStart{path};
    EXPECT_EQ(ReadRecentEntries(nextStart, kRecentTexts[2]), std::vector<std::wstring>(entries.begin(), entries.begin() + 26));
}

}  // namespace
}  // namespace findlark
