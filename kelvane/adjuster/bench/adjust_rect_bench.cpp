// Cost of the adjuster's decision per window, over a mix like a real desktop:
// most top-level windows are hidden, most visible ones are already inside the
// work area, and a few stick out, are minimised, maximised or shell windows.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "kelvane/adjuster/adjust_rect.h"

using namespace kelvane::adjuster;

namespace {

const ScreenFacts kScreen{{0, 0, 1024, 768}, {0, 0, 1024, 740}};

WindowFacts Make(Rect rect, const char* className, bool visible = true, ShowState state = ShowState::Normal) {
    WindowFacts facts;
    facts.windowRect = rect;
    facts.className = className;
    facts.visible = visible;
    facts.showState = state;
    return facts;
}

std::vector<WindowFacts> DesktopMix() {
    std::vector<WindowFacts> windows;
    // Hidden helper windows: the bulk of any top-level list.
    for (int i = 0; i < 24; ++i) windows.push_back(Make({0, 0, 100, 100}, "OleMainThreadWndClass", false));
    // Visible windows already in place.
    for (int i = 0; i < 8; ++i) {
        windows.push_back(Make({40 * i, 30 * i, 40 * i + 500, 30 * i + 400}, "Notepad"));
    }
    windows.push_back(Make({0, 740, 1024, 768}, "Shell_TrayWnd"));
    windows.push_back(Make({-4, -4, 1028, 744}, "IEFrame", true, ShowState::Maximized));
    windows.push_back(Make({-32000, -32000, -31840, -31969}, "ExploreWClass", true, ShowState::Minimized));
    // Windows sticking out, some parked far off.
    windows.push_back(Make({-90, 100, 310, 400}, "Notepad"));
    windows.push_back(Make({100, -50, 500, 250}, "CabinetWClass"));
    windows.push_back(Make({800, 100, 1200, 400}, "TfrmMain"));
    windows.push_back(Make({100, 0, 500, 900}, "WordPadClass"));
    WindowFacts shaped = Make({-40, 100, 360, 400}, "SkinnedPlayer");
    shaped.regionBox = Rect{0, 0, 200, 150};
    windows.push_back(shaped);
    return windows;
}

void BM_DecisionPerWindow(benchmark::State& state) {
    const std::vector<WindowFacts> windows = DesktopMix();
    const AdjusterSettings settings;
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(AdjustedWindowRect(windows[next], settings, false, kScreen));
        next = next + 1 == windows.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("Time is per window; " + std::to_string(windows.size()) + " mixed windows");
}
BENCHMARK(BM_DecisionPerWindow);

// One whole run over the same list, as the timer does it.
void BM_DecisionForWholeDesktop(benchmark::State& state) {
    const std::vector<WindowFacts> windows = DesktopMix();
    const AdjusterSettings settings;
    for (auto _ : state) {
        int moved = 0;
        for (const WindowFacts& window : windows) moved += AdjustedWindowRect(window, settings, false, kScreen) ? 1 : 0;
        benchmark::DoNotOptimize(moved);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(windows.size()));
}
BENCHMARK(BM_DecisionForWholeDesktop);

}  // namespace
