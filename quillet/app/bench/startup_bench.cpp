// Start-up benchmark, run by hand under Wine (see the README): the time from
// starting quillet.exe to its tray icons being up, with an icon set of 1,000
// objects, beside the time of loading the same icon set file alone in this
// process, and beside a start with an icon set of one tray icon. Prints
// figures; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "quillet/app/quillet_names.h"
#include "quillet/options/options.h"
#include "quillet/document/tdf_win32.h"
#include "test_support/fake_taskbar.h"
#include "test_support/win_test_support.h"

namespace {

using Clock = std::chrono::steady_clock;
using quillet::ObjectModel;

constexpr int kTrayIcons = 5;
constexpr int kItemsPerIcon = 199;  // with the root: 1 + 5 * (1 + 199) = 1,001 objects

// The icon set: five tray icons, each with folders and now and then a
// separator or a column break.
std::string LargeDocument(int trayIcons, int itemsPerIcon) {
    ObjectModel model;
    quillet::RegisterStandardFactories(model);
    for (int icon = 0; icon < trayIcons; ++icon) {
        model.AddStandardTrayIcon();
        quillet::RefPtr<quillet::Object> tray = model.Root()->GetChild(icon);
        for (int item = 0; item < itemsPerIcon; ++item) {
            quillet::RefPtr<quillet::Object> object;
            if (item % 20 == 19) {
                model.CreateObject(item % 40 == 39 ? quillet::kClassColumnSeparator : quillet::kClassSeparator,
                                   &object);
            } else {
                quillet::Value path = quillet::Value::FromText("C:\\windows\\folder" + std::to_string(item));
                model.CreateObject(quillet::kClassFolder, &object, &path);
                object->SetProperty(quillet::kTagName,
                                    quillet::Value::FromText("Folder number " + std::to_string(item)));
            }
            tray->Insert(object.Get());
        }
    }
    std::string bytes;
    quillet::SaveDocumentToBytes(model, {"Quillet tray menus", "1.0.0.0"}, &bytes);
    return bytes;
}

struct Figures {
    double best = 0;
    double median = 0;
};

Figures Summarise(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2]};
}

// Milliseconds from CreateProcess to the last NIM_ADD of `icons` icons.
double TimeStart(const std::string& exe, test_support::FakeTaskbar& taskbar, size_t icons) {
    size_t before = taskbar.Calls().size();
    auto adds = [&] {
        size_t count = 0;
        for (size_t i = before; i < taskbar.Calls().size(); ++i) count += taskbar.Calls()[i].message == NIM_ADD;
        return count;
    };
    auto started = Clock::now();
    test_support::RunningProgram program(exe);
    if (!program.Started() || !test_support::WaitUntil([&] { return adds() >= icons; }, std::chrono::seconds(60))) {
        fprintf(stderr, "quillet did not put its %u icons up\n", static_cast<unsigned>(icons));
        return -1;
    }
    double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    HWND main = program.WaitForWindow("HV:quilletMainWnd");
    PostMessageA(main, WM_CLOSE, 0, 0);
    program.WaitForExit(std::chrono::seconds(30));
    return elapsed;
}

double TimeLoad(const std::string& path) {
    auto started = Clock::now();
    ObjectModel model;
    quillet::RegisterStandardFactories(model);
    model.AddStandardTrayIcon();
    quillet::Win32DocumentFiles files;
    if (quillet::LoadDocument(model, files, path) != quillet::kStatusOk) fprintf(stderr, "the load failed\n");
    return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
}

// A copy of the program with its English library and `document` as the
// common icon set beside it.
std::string Install(const test_support::ScratchFolder& folder, const std::string& document) {
    for (const char* file : {"quillet.exe", "quillet009.mlb"}) {
        if (!CopyFileA(test_support::BinPath(file).c_str(), (folder.Path() + "\\" + file).c_str(), FALSE)) {
            fprintf(stderr, "cannot copy %s\n", file);
            return std::string();
        }
    }
    std::ofstream(folder.Path() + "\\quilletcmn.tdf", std::ios::binary) << document;
    return folder.Path() + "\\quillet.exe";
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    test_support::ScratchRegistry scratch;
    SetEnvironmentVariableA(quillet::kTestRegistryVariable, scratch.RealPath().c_str());
    platform::RegistryKey::Create(HKEY_CURRENT_USER, "Software\\Nimbrel\\Quillet")
        .WriteDword(quillet::kSplashValueName, 0);
    platform::RegistryKey::Create(HKEY_CURRENT_USER, "Software\\Nimbrel\\Quillet")
        .WriteDword(quillet::kShowTipsValueName, 0);
    test_support::ScratchFolder smallInstall, largeInstall;
    const std::string bytes = LargeDocument(kTrayIcons, kItemsPerIcon);
    const std::string smallExe = Install(smallInstall, LargeDocument(1, 0));
    const std::string largeExe = Install(largeInstall, bytes);
    if (smallExe.empty() || largeExe.empty()) return 1;
    test_support::FakeTaskbar taskbar;

    // The two starts take turns, so that a busy moment of the machine does not
    // fall on one of them only.
    std::vector<double> small, large, load;
    for (int run = 0; run < runs; ++run) {
        small.push_back(TimeStart(smallExe, taskbar, 1));
        large.push_back(TimeStart(largeExe, taskbar, kTrayIcons));
        load.push_back(TimeLoad(largeInstall.Path() + "\\quilletcmn.tdf"));
    }

    Figures smallFigures = Summarise(small), largeFigures = Summarise(large), loadFigures = Summarise(load);
    printf("quillet start-up, %d runs each (milliseconds, best / median)\n", runs);
    printf("  start to tray icons up, 1 tray icon, no items:        %8.1f / %8.1f\n", smallFigures.best,
           smallFigures.median);
    printf("  start to tray icons up, 1,001 objects (%u bytes): %8.1f / %8.1f\n", static_cast<unsigned>(bytes.size()),
           largeFigures.best, largeFigures.median);
    printf("  loading the same 1,001-object file alone:              %8.1f / %8.1f\n", loadFigures.best,
           loadFigures.median);
    printf("  start-up cost of the larger icon set:                  %8.1f ms (best against best)\n",
           largeFigures.best - smallFigures.best);
    SetEnvironmentVariableA(quillet::kTestRegistryVariable, nullptr);
    return 0;
}
