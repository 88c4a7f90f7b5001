// Settings keys are edited by hand and by other programs: whatever they hold,
// loading must keep every setting within its rules, and saving what was
// loaded must load back the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <map>

#include "kelvane/components/kelvane_settings.h"
#include "kelvane/components/registry_path.h"
#include "kelvane/components/win_saver_rules.h"

using namespace kelvane;

namespace {

class MapStore : public SettingsStore {
public:
    std::map<std::string, StoredValue> values;
    std::optional<StoredValue> ReadValue(const std::string& name) const override {
        auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return found->second;
    }
    bool WriteBool(const std::string& name, bool value) override {
        values[name] = StoredValue::FromDword(value ? 1 : 0);
        return true;
    }
    bool WriteInteger(const std::string& name, int32_t value) override {
        values[name] = StoredValue::FromDword(static_cast<uint32_t>(value));
        return true;
    }
    bool WriteString(const std::string& name, const std::string& text) override {
        values[name] = StoredValue::FromText(text);
        return true;
    }
};

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    MapStore store;
    for (const SettingDescriptor& row : KelvaneSettingsTable()) {
        switch (input.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: break;
        case 1: store.values[row.valueName] = StoredValue::FromText(input.ConsumeRandomLengthString(64)); break;
        case 2: store.values[row.valueName] = StoredValue::FromDword(input.ConsumeIntegral<uint32_t>()); break;
        case 3: store.values[row.valueName] = StoredValue::FromBinary(input.ConsumeRandomLengthString(64)); break;
        }
    }

    KelvaneSettings loaded;
    loaded.LoadFrom(store);
    Check(loaded.AdjustFrequency() >= kMinimumAdjustFrequency);
    Check(loaded.EmptyDocumentsInterval() >= 0);
    for (const SettingDescriptor& row : KelvaneSettingsTable()) {
        int32_t value = loaded.Get(row.setting);
        if (row.type == SettingType::Boolean) Check(value == 0 || value == 1);
        if (row.type == SettingType::Enumeration) {
            Check(value == kNoValidValue || !EnumText(*row.identifiers, value).empty());
        }
    }

    MapStore saved = store;
    loaded.SaveTo(saved);
    KelvaneSettings reloaded;
    reloaded.LoadFrom(saved);
    Check(reloaded == loaded);

    std::string text = input.ConsumeRandomLengthString(64);
    std::string path = SettingsKeyPath({text, text, text, text});
    Check(path.find("\\\\") == std::string::npos);
    Check(path.empty() || path.back() != '\\');
    AddressValue(path, text);
    RegistryVersionFromProductVersion(text);

    ReadFormPosition("TfrmProbe", CSaveOptions::FromBits(15), [&](const std::string&) {
        return std::optional<std::string>(input.ConsumeRandomLengthString(16));
    });
    return 0;
}
