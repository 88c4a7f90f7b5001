// Loading and applying, and capturing and saving, an icon set of 10,000
// objects: ten tray icons of a thousand items each (folders of every action,
// some with folders inside, separators and column separators).
#include <benchmark/benchmark.h>

#include <string>

#include "quillet/document/tdf_document.h"
#include "quillet/model/class_id.h"

namespace {

using namespace quillet;

const DocumentInfo kInfo{"Quillet tray menus", "2.1.0.7"};
constexpr int kTrayIcons = 10;
constexpr int kItemsPerIcon = 999;  // with its tray icon, 1,000 objects each

void Started(ObjectModel& model) {
    RegisterStandardFactories(model);
    model.AddStandardTrayIcon();
}

RefPtr<Object> NewObject(const ObjectModel& model, const Guid& classId) {
    RefPtr<Object> object;
    model.CreateSavedObject(classId, &object);
    return object;
}

void BuildLargeIconSet(ObjectModel& model) {
    RegisterStandardFactories(model);
    IconSetRoot& root = *model.Root();
    root.SetProperty(kTagClickSound, Value::FromText("C:\\WINDOWS\\MEDIA\\ding.wav"));
    for (int icon = 0; icon < kTrayIcons; ++icon) {
        RefPtr<Object> tray = NewObject(model, kClassStandardTrayIcon);
        tray->SetProperty(kTagName, Value::FromText("Tray icon " + std::to_string(icon)));
        root.Insert(tray.Get());
        RefPtr<Object> outer;
        for (int item = 0; item < kItemsPerIcon; ++item) {
            RefPtr<Object> object;
            switch (item % 10) {
            case 8: object = NewObject(model, kClassSeparator); break;
            case 9: object = NewObject(model, kClassColumnSeparator); break;
            default:
                object = NewObject(model, kClassFolder);
                object->SetProperty(kTagName, Value::FromText("Folder & files " + std::to_string(item)));
                object->SetProperty(kTagFolderPath, Value::FromText("C:\\Data\\Projects\\" + std::to_string(icon) +
                                                                    "\\" + std::to_string(item)));
                object->SetProperty(kTagFolderAction, Value::FromInteger(1 + item % 4));
                object->SetProperty(kTagFolderNewWindow, Value::FromBoolean(item % 3 == 0));
                object->SetProperty(kTagIconFile, Value::FromText("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL"));
                object->SetProperty(kTagIconIndex, Value::FromInteger(item % 40));
                break;
            }
            // Every fifth item goes into the folder before it.
            if (item % 5 == 4 && outer) {
                outer->Insert(object.Get());
            } else {
                tray->Insert(object.Get());
                outer = object->ClassId() == kClassFolder ? object : RefPtr<Object>();
            }
        }
    }
}

int CountObjects(const Object& object) {
    int count = 1;
    for (const RefPtr<Object>& child : object.Children()) count += CountObjects(*child);
    return count;
}

void BM_LoadAndApply(benchmark::State& state) {
    ObjectModel source;
    BuildLargeIconSet(source);
    std::string bytes;
    SaveDocumentToBytes(source, kInfo, &bytes);
    for (auto _ : state) {
        ObjectModel model;
        Started(model);
        if (LoadDocumentFromBytes(model, bytes) != kStatusOk) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(model.Root()->Count());
    }
    state.counters["objects"] = CountObjects(*source.Root()) - 1;
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadAndApply)->Unit(benchmark::kMillisecond);

void BM_CaptureAndSave(benchmark::State& state) {
    ObjectModel model;
    BuildLargeIconSet(model);
    std::string bytes;
    for (auto _ : state) {
        if (SaveDocumentToBytes(model, kInfo, &bytes) != kStatusOk) state.SkipWithError("save failed");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["objects"] = CountObjects(*model.Root()) - 1;
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_CaptureAndSave)->Unit(benchmark::kMillisecond);

}  // namespace
