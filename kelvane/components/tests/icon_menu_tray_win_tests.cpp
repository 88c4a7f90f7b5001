// The icon popup menus and the tray icon component on real windows and menus.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "kelvane/components/cool_tray_icon_win32.h"
#include "kelvane/components/icon_popup_menu_win32.h"
#include "test_support/win_test_support.h"

using namespace kelvane;

namespace {

struct Form {
    platform::unique_hwnd window =
        test_support::CreateTestWindow("KelvaneComponentsForm", {0, 0, 200, 100}, WS_OVERLAPPEDWINDOW);
};

std::unique_ptr<CIconPopupMenu> MakeMenu(HWND owner) {
    CIconPopupMenu::Creation creation = CIconPopupMenu::Create(owner);
    EXPECT_TRUE(creation.menu) << creation.error;
    return std::move(creation.menu);
}

MENUITEMINFOA ItemInfo(HMENU menu, int position) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
    EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info)) << test_support::LastErrorText();
    return info;
}

}  // namespace

TEST(IconPopupMenu, OnlyAFormMayOwnOne) {
    CIconPopupMenu::Creation none = CIconPopupMenu::Create(nullptr);
    EXPECT_FALSE(none.menu);
    EXPECT_EQ(none.error, "Owner must be a TForm or descendant");

    Form form;
    platform::unique_hwnd child(
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, form.window.get(), nullptr, nullptr, nullptr));
    EXPECT_FALSE(CIconPopupMenu::Create(child.get()).menu);
    EXPECT_TRUE(CIconPopupMenu::Create(form.window.get()).menu);
}

TEST(IconPopupMenu, LoadedItemsAreOwnerDrawnAndDashesAreSeparators) {
    Form form;
    auto menu = MakeMenu(form.window.get());
    menu->Items().Add(std::make_unique<CMenuItem>("Settings")).isDefault = true;
    menu->Items().Add(std::make_unique<CMenuItem>("-"));
    CMenuItem& quick = menu->Items().Add(std::make_unique<CMenuItem>("Quick Commands"));
    quick.Add(std::make_unique<CMenuItem>("Adjust windows"));
    menu->Items().Add(std::make_unique<CMenuItem>("Exit"));
    menu->Loaded();
    HMENU handle = menu->Handle();
    ASSERT_EQ(GetMenuItemCount(handle), 4);

    MENUITEMINFOA settings = ItemInfo(handle, 0);
    EXPECT_TRUE(settings.fType & MFT_OWNERDRAW);
    EXPECT_TRUE(settings.fState & MFS_DEFAULT);
    EXPECT_EQ(CIconPopupMenu::ItemOfData(settings.dwItemData), &menu->Items()[0]);
    MENUITEMINFOA separator = ItemInfo(handle, 1);
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
    EXPECT_FALSE(separator.fType & MFT_OWNERDRAW);
    MENUITEMINFOA submenu = ItemInfo(handle, 2);
    ASSERT_NE(submenu.hSubMenu, nullptr);
    EXPECT_TRUE(ItemInfo(submenu.hSubMenu, 0).fType & MFT_OWNERDRAW);
    // Data that is not one of our items is refused.
    EXPECT_EQ(CIconPopupMenu::ItemOfData(12345), nullptr);
}

TEST(IconPopupMenu, MeasuringCapsTheWidthAtFiftyLetters) {
    Form form;
    auto menu = MakeMenu(form.window.get());
    CMenuItem& shortItem = menu->Items().Add(std::make_unique<CMenuItem>("Exit"));
    CMenuItem& longItem = menu->Items().Add(std::make_unique<CMenuItem>(std::string(120, 'W')));
    menu->Loaded();
    menu->Handle();

    auto measure = [&](CMenuItem& item) {
        MEASUREITEMSTRUCT measure = {};
        measure.CtlType = ODT_MENU;
        measure.itemID = item.Command();
        measure.itemData = reinterpret_cast<ULONG_PTR>(&item);
        EXPECT_TRUE(SendMessageA(CIconPopupMenu::ListWindow(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
        return measure;
    };
    platform::unique_hdc_window screen(nullptr);
    platform::unique_hfont font = MenuFont();
    platform::unique_select_object selected(screen.get(), font.get());
    SIZE limit = {};
    std::string letters(50, 'O');
    GetTextExtentPoint32A(screen.get(), letters.c_str(), 50, &limit);

    MEASUREITEMSTRUCT small = measure(shortItem);
    EXPECT_LT(static_cast<LONG>(small.itemWidth), limit.cx);
    EXPECT_GE(static_cast<int>(small.itemHeight), GetSystemMetrics(SM_CYSMICON) + 2);
    EXPECT_EQ(static_cast<LONG>(measure(longItem).itemWidth), limit.cx);
}

TEST(IconPopupMenu, CommandsReachTheirItemsThroughTheSharedWindow) {
    Form form;
    auto first = MakeMenu(form.window.get());
    auto second = MakeMenu(form.window.get());
    std::vector<std::string> clicked;
    first->Items().Add(std::make_unique<CMenuItem>("A", [&] { clicked.push_back("A"); }));
    CMenuItem& b = second->Items().Add(std::make_unique<CMenuItem>("Sub")).Add(std::make_unique<CMenuItem>("B", [&] {
        clicked.push_back("B");
    }));
    EXPECT_EQ(first->ListWindow(), second->ListWindow());
    ASSERT_TRUE(IsWindow(CIconPopupMenu::ListWindow()));

    SendMessageA(CIconPopupMenu::ListWindow(), WM_COMMAND, b.Command(), 0);
    SendMessageA(CIconPopupMenu::ListWindow(), WM_COMMAND, first->Items()[0].Command(), 0);
    EXPECT_EQ(clicked, (std::vector<std::string>{"B", "A"}));
    EXPECT_NE(first->Items()[0].Command(), b.Command());

    // The window lives as long as any icon menu does.
    HWND list = CIconPopupMenu::ListWindow();
    first.reset();
    EXPECT_TRUE(IsWindow(list));
    second.reset();
    EXPECT_FALSE(IsWindow(list));
}

TEST(IconPopupMenu, TallMenusBreakIntoColumnsAndTheOwnerMayChangeABreak) {
    Form form;
    auto menu = MakeMenu(form.window.get());
    for (int i = 0; i < 200; ++i) menu->Items().Add(std::make_unique<CMenuItem>("Window " + std::to_string(i)));
    menu->Loaded();
    std::vector<int> offered;
    menu->pOnBreakAt = [&](CIconPopupMenu&, int index, CMenuItemInfo&, MenuBreak& value) {
        if (value == MenuBreak::BarBreak) offered.push_back(index);
        if (index == 7) value = MenuBreak::Break;
    };
    menu->BreakIntoColumns();
    ASSERT_FALSE(offered.empty()) << "200 items fit on one screen?";
    const int per = offered.front();
    for (size_t k = 0; k < offered.size(); ++k) EXPECT_EQ(offered[k], per * static_cast<int>(k + 1));

    HMENU handle = menu->Handle();
    EXPECT_TRUE(ItemInfo(handle, per).fType & MFT_MENUBARBREAK);
    EXPECT_FALSE(ItemInfo(handle, per - 1).fType & MFT_MENUBARBREAK);
    EXPECT_TRUE(ItemInfo(handle, 7).fType & MFT_MENUBREAK);

    // A short menu loses its breaks again.
    menu->DeleteItems(5, 199);
    EXPECT_EQ(menu->Count(), 5);
    offered.clear();
    menu->pOnBreakAt = nullptr;
    menu->BreakIntoColumns();
    handle = menu->Handle();
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(ItemInfo(handle, i).fType & (MFT_MENUBARBREAK | MFT_MENUBREAK));
}

TEST(IconPopupMenu, HiddenItemsAreLeftOutOfTheSystemMenu) {
    Form form;
    auto menu = MakeMenu(form.window.get());
    menu->Items().Add(std::make_unique<CMenuItem>("-")).visible = false;
    menu->Items().Add(std::make_unique<CMenuItem>("Settings"));
    EXPECT_EQ(GetMenuItemCount(menu->Handle()), 1);
    menu->Items()[0].visible = true;
    EXPECT_EQ(GetMenuItemCount(menu->Handle()), 2);
}

TEST(CoolTrayIcon, TheTipIsCutTo63CharactersAndEmptyWithoutShowHint) {
    Form form;
    TCoolTrayIcon icon(form.window.get());
    icon.SetHint(std::string(100, 'h'));
    EXPECT_EQ(icon.Tip(), std::string(63, 'h'));
    icon.SetShowHint(false);
    EXPECT_EQ(icon.Tip(), "");
    icon.SetShowHint(true);
    icon.SetHint("Nimbrel Kelvane");
    EXPECT_EQ(icon.Tip(), "Nimbrel Kelvane");
}

TEST(CoolTrayIcon, ClicksRaiseEventsOnlyWhileEnabled) {
    Form form;
    TCoolTrayIcon icon(form.window.get());
    std::vector<std::string> events;
    icon.OnClick = [&](TCoolTrayIcon&) { events.push_back("click"); };
    icon.OnDblClick = [&](TCoolTrayIcon&) { events.push_back("double"); };
    icon.OnMouseDown = [&](TCoolTrayIcon&, TrayButton button, TrayShiftState, int, int) {
        events.push_back(button == TrayButton::Left ? "down left" : "down other");
    };
    icon.OnMouseUp = [&](TCoolTrayIcon&, TrayButton, TrayShiftState, int, int) { events.push_back("up"); };
    auto mouse = [&](UINT message) { SendMessageA(icon.Window(), kTrayCallbackMessage, kTrayIconId, message); };

    icon.Enabled = false;
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN}) mouse(message);
    EXPECT_TRUE(events.empty());

    icon.Enabled = true;
    mouse(WM_LBUTTONDOWN);
    mouse(WM_LBUTTONUP);
    mouse(WM_MBUTTONDOWN);
    EXPECT_EQ(events, (std::vector<std::string>{"down left", "click", "up", "down other"}));
    EXPECT_EQ(SendMessageA(icon.Window(), WM_QUERYENDSESSION, 0, 0), 1);
}

TEST(CoolTrayIcon, ADoubleClickRunsTheMenusDefaultItem) {
    Form form;
    auto menu = MakeMenu(form.window.get());
    std::vector<std::string> clicked;
    menu->Items().Add(std::make_unique<CMenuItem>("-"));
    menu->Items().Add(std::make_unique<CMenuItem>("Settings", [&] { clicked.push_back("Settings"); })).isDefault = true;
    menu->Items().Add(std::make_unique<CMenuItem>("Exit", [&] { clicked.push_back("Exit"); }));
    TCoolTrayIcon icon(form.window.get());
    icon.PopupMenu = menu.get();

    SendMessageA(icon.Window(), kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_EQ(clicked, std::vector<std::string>{"Settings"});
    // Not when the left button pops the menu up, nor when it does not pop up by itself.
    icon.LeftPopup = true;
    SendMessageA(icon.Window(), kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    icon.LeftPopup = false;
    menu->AutoPopup = false;
    SendMessageA(icon.Window(), kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_EQ(clicked.size(), 1u);
}

TEST(CoolTrayIcon, ARightClickPopsTheMenuUpAndAChoiceRunsItsItem) {
    Form form;
    auto menu = MakeMenu(form.window.get());
    std::vector<std::string> clicked;
    int popups = 0;
    menu->OnPopup = [&](CIconPopupMenu&) { ++popups; };
    menu->Items().Add(std::make_unique<CMenuItem>("First", [&] { clicked.push_back("First"); }));
    menu->Items().Add(std::make_unique<CMenuItem>("Second", [&] { clicked.push_back("Second"); }));
    menu->Loaded();
    TCoolTrayIcon icon(form.window.get());
    icon.PopupMenu = menu.get();

    // The icon processes pending messages before the menu opens, so the keys
    // are posted from another thread once the menu is up.
    std::thread user([] {
        HWND popup = nullptr;
        test_support::WaitUntil([&] {
            popup = FindWindowA("#32768", nullptr);
            return popup && IsWindowVisible(popup);
        });
        if (!popup) return;
        PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
    });
    SendMessageA(icon.Window(), kTrayCallbackMessage, kTrayIconId, WM_RBUTTONDOWN);
    user.join();
    test_support::WaitUntil([&] { return !clicked.empty(); }, std::chrono::seconds(5));
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(clicked, std::vector<std::string>{"Second"});
}

TEST(CoolTrayIcon, CyclingStepsThroughTheIconListAndWrapsAround) {
    Form form;
    std::vector<HICON> icons = {LoadIcon(nullptr, IDI_APPLICATION), LoadIcon(nullptr, IDI_INFORMATION),
                                LoadIcon(nullptr, IDI_WARNING)};
    TCoolTrayIcon icon(form.window.get());
    icon.SetIconList(&icons);
    std::vector<int> cycled;
    std::vector<HICON> shown;
    icon.OnCycle = [&](TCoolTrayIcon& sender, int current) {
        cycled.push_back(current);
        shown.push_back(sender.Icon());
    };
    icon.SetCycleInterval(10);
    icon.SetCycleIcons(true);
    ASSERT_TRUE(test_support::WaitUntil([&] { return cycled.size() >= 5; }));
    icon.SetCycleIcons(false);
    EXPECT_EQ(std::vector<int>(cycled.begin(), cycled.begin() + 5), (std::vector<int>{0, 1, 2, 0, 1}));
    EXPECT_EQ(shown[1], icons[1]);
    // Switching cycling on again starts from the first icon.
    cycled.clear();
    icon.SetCycleIcons(true);
    ASSERT_TRUE(test_support::WaitUntil([&] { return !cycled.empty(); }));
    EXPECT_EQ(cycled.front(), 0);
}
