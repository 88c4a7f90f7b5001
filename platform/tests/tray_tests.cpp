// The tray icon against the shell's own notification area: under Wine, as on
// Windows, a second NIM_ADD of the same owner and id fails, and NIM_MODIFY
// succeeds only for an icon the shell holds.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "platform/tray.h"
#include "test_support/win_test_support.h"

namespace {

constexpr UINT kId = 7;
constexpr UINT kCallback = WM_APP + 7;

NOTIFYICONDATAA IdentityOf(HWND owner, UINT id) {
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = id;
    return data;
}

// A modify that changes nothing: the shell's answer says whether it holds the icon.
bool ShellHoldsIcon(HWND owner, UINT id) {
    NOTIFYICONDATAA data = IdentityOf(owner, id);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

class TrayIconTest : public testing::Test {
protected:
    void SetUp() override {
        m_owner = test_support::CreateTestWindow("PlatformTrayOwner", RECT{0, 0, 0, 0}, WS_POPUP);
        ASSERT_TRUE(m_owner) << test_support::LastErrorText();
    }
    void TearDown() override {
        // Whatever a failing test left behind goes.
        NOTIFYICONDATAA data = IdentityOf(m_owner.get(), kId);
        Shell_NotifyIconA(NIM_DELETE, &data);
    }
    static HICON Image() { return LoadIcon(nullptr, IDI_APPLICATION); }

    platform::unique_hwnd m_owner;
};

TEST_F(TrayIconTest, TheRecordIsTheFirstVersionWithTheTipCutTo63Characters) {
    platform::TrayIcon icon(m_owner.get(), kId, kCallback);
    const std::string tip(80, 't');
    ASSERT_TRUE(icon.Add(Image(), tip));
    NOTIFYICONDATAA record = icon.Record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    EXPECT_EQ(88u, record.cbSize);
    EXPECT_EQ(m_owner.get(), record.hWnd);
    EXPECT_EQ(kId, record.uID);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), record.uFlags);
    EXPECT_EQ(kCallback, record.uCallbackMessage);
    EXPECT_EQ(Image(), record.hIcon);
    EXPECT_EQ(std::string(63, 't'), std::string(record.szTip)) << "64 bytes with the terminator";
    EXPECT_TRUE(ShellHoldsIcon(m_owner.get(), kId));
}

TEST_F(TrayIconTest, ARestoreThatFindsTheIconStillThereKeepsItAndRemovesItAtTheEnd) {
    {
        platform::TrayIcon icon(m_owner.get(), kId, kCallback);
        ASSERT_TRUE(icon.Add(Image(), "probe"));
        // "TaskbarCreated" reaching a shell that did not forget the icon: the
        // shell refuses a second add of the same owner and id.
        NOTIFYICONDATAA again = icon.Record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
        ASSERT_FALSE(Shell_NotifyIconA(NIM_ADD, &again)) << "the shell accepted a duplicate icon";

        EXPECT_TRUE(icon.Restore()) << "the icon is still up, brought up to date";
        EXPECT_TRUE(icon.Shown());
        EXPECT_TRUE(ShellHoldsIcon(m_owner.get(), kId));
    }
    EXPECT_FALSE(ShellHoldsIcon(m_owner.get(), kId)) << "a ghost icon stayed after its owner went";
}

TEST_F(TrayIconTest, RestoreAfterTheShellForgotTheIconPutsItUpAgain) {
    platform::TrayIcon icon(m_owner.get(), kId, kCallback);
    ASSERT_TRUE(icon.Add(Image(), "probe"));
    NOTIFYICONDATAA forget = IdentityOf(m_owner.get(), kId);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &forget));

    EXPECT_TRUE(icon.Restore());
    EXPECT_TRUE(ShellHoldsIcon(m_owner.get(), kId));
    icon.Remove();
    EXPECT_FALSE(icon.Shown());
    EXPECT_FALSE(ShellHoldsIcon(m_owner.get(), kId));
}

}  // namespace
