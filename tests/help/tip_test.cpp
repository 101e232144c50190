// The tip of the day at start-up and from the menu.
#include "app/app_fixture.h"

#include "help/tips.h"

using namespace findlark;

TEST(Tips, NextTipGoesRoundFromTheLastToTheFirst) {
    std::size_t tip = 3;
    for (std::size_t i = 0; i < kTips.size(); ++i) tip = NextTip(tip);
    EXPECT_EQ(tip, 3u);
    EXPECT_EQ(NextTip(kTips.size() - 1), 0u);
}

TEST_F(AppTest, TheFirstActivationShowsTheTipAndItsCheckBoxIsWrittenBack) {
    std::size_t first = 0;
    interaction.dialogScripts.push_back([&](win::Dialog& dialog) {
        auto& tip = dynamic_cast<TFormTip&>(dialog);
        EXPECT_TRUE(tip.CheckBoxShowTipsOnStartup.checked());
        EXPECT_EQ(tip.LabelDidYouKnow.text(), L"Did you know...");
        first = tip.tip();
        EXPECT_EQ(tip.LabelTip.text(), kTips[first]);
        for (std::size_t i = 0; i < kTips.size(); ++i) tip.ButtonNextTip.click();
        EXPECT_EQ(tip.tip(), first);
        tip.CheckBoxShowTipsOnStartup.click();
        tip.ButtonClose.click();
    });
    start();
    main().showInitially(SW_SHOWNORMAL);
    ::SetActiveWindow(main().hwnd());
    testing_support::PumpMessages(std::chrono::milliseconds(100));
    EXPECT_EQ(interaction.dialogs, std::vector<std::wstring>{L"Tips and Tricks"});
    EXPECT_FALSE(main().tipOfTheDay().showOnStartup());
    end();
    EXPECT_EQ(stored(L"ShowTipOfTheDayOnStartup"), L"0");

    // With the setting off nothing shows at start; the menu shows the tip unchecked.
    start();
    main().showInitially(SW_SHOWNORMAL);
    testing_support::PumpMessages(std::chrono::milliseconds(100));
    EXPECT_EQ(interaction.dialogs.size(), 1u);
    interaction.dialogScripts.push_back([](win::Dialog& dialog) {
        auto& tip = dynamic_cast<TFormTip&>(dialog);
        EXPECT_FALSE(tip.CheckBoxShowTipsOnStartup.checked());
        tip.CheckBoxShowTipsOnStartup.click();
        tip.ButtonClose.click();
    });
    main().runMenuCommand(main().ipoftheday1.id());
    end();
    EXPECT_EQ(stored(L"ShowTipOfTheDayOnStartup"), L"1");
}
