#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/handles.h"
#include "platform/window_base.h"
#include "test_support/win_test_support.h"

namespace {

constexpr char kProbeClass[] = "PlatformBaseWindowProbe";

class ProbeWindow : public platform::BaseWindow<ProbeWindow> {
public:
    bool Create() {
        WNDCLASSEXA windowClass = {};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kProbeClass;
        if (!platform::RegisterWindowClass(windowClass)) return false;
        return CreateBound(0, kProbeClass, "probe", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr,
                           GetModuleHandleA(nullptr)) != nullptr;
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        messages.push_back(message);
        if (message == WM_NCDESTROY) windowAtNcDestroy = Window();
        return DefaultHandling(message, wParam, lParam);
    }

    void Paint(HDC dc) {
        ++paints;
        RECT all = {0, 0, 40, 30};
        platform::unique_hbrush red(CreateSolidBrush(RGB(255, 0, 0)));
        FillRect(dc, &all, red.get());
    }

    std::vector<UINT> messages;
    HWND windowAtNcDestroy = nullptr;
    int paints = 0;
};

bool Saw(const std::vector<UINT>& messages, UINT message) {
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

}  // namespace

TEST(BaseWindow, BindsOnCreationAndLetsGoOnDestruction) {
    ProbeWindow probe;
    ASSERT_TRUE(probe.Create()) << test_support::LastErrorText();
    HWND window = probe.Window();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(Saw(probe.messages, WM_NCCREATE)) << "WM_NCCREATE reaches the object that it binds";
    EXPECT_TRUE(Saw(probe.messages, WM_CREATE));

    DestroyWindow(window);
    EXPECT_EQ(window, probe.windowAtNcDestroy) << "the handle is still known while WM_NCDESTROY is handled";
    EXPECT_EQ(nullptr, probe.Window());
    EXPECT_FALSE(IsWindow(window));

    // A second window of the same class: registering again is not a failure.
    ProbeWindow second;
    ASSERT_TRUE(second.Create()) << test_support::LastErrorText();
    DestroyWindow(second.Window());
}

TEST(BaseWindow, PaintServesBothPaintAndPrintClient) {
    ProbeWindow probe;
    ASSERT_TRUE(probe.Create()) << test_support::LastErrorText();
    platform::unique_hwnd owned(probe.Window());

    ShowWindow(probe.Window(), SW_SHOWNOACTIVATE);
    UpdateWindow(probe.Window());
    int paintsBefore = probe.paints;
    InvalidateRect(probe.Window(), nullptr, FALSE);
    UpdateWindow(probe.Window());
    EXPECT_EQ(paintsBefore + 1, probe.paints);
    EXPECT_FALSE(Saw(probe.messages, WM_PAINT)) << "WM_PAINT goes to Paint, not to the message handler";

    platform::unique_hdc_window screen(nullptr);
    platform::unique_hdc memory(CreateCompatibleDC(screen.get()));
    platform::unique_hbitmap picture(CreateCompatibleBitmap(screen.get(), 40, 30));
    {
        platform::unique_select_object selected(memory.get(), picture.get());
        SendMessageA(probe.Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
        EXPECT_EQ(paintsBefore + 2, probe.paints);
        EXPECT_EQ(RGB(255, 0, 0), GetPixel(memory.get(), 10, 10)) << "WM_PRINTCLIENT draws into the given context";
    }
    EXPECT_NE(picture.get(), GetCurrentObject(memory.get(), OBJ_BITMAP)) << "the selection is undone on scope exit";
}
