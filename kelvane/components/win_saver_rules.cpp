#include "kelvane/components/win_saver_rules.h"

#include "kelvane/components/stored_value.h"

namespace kelvane {
namespace {

const char* const kWidthSuffix = "_Width";
const char* const kHeightSuffix = "_Height";
const char* const kTopSuffix = "_Top";
const char* const kLeftSuffix = "_Left";
const char* const kWindowStateSuffix = "_WindowState";
const char* const kVisibleSuffix = "_Visible";

std::optional<int32_t> ReadNumber(const ReadText& read, const std::string& name) {
    std::optional<std::string> text = read(name);
    if (!text) return std::nullopt;
    return AsInteger(StoredValue::FromText(*text));
}

}  // namespace

int WindowStateCode(FormWindowState state) {
    switch (state) {
    case FormWindowState::Minimized: return 1;
    case FormWindowState::Maximized: return 3;
    case FormWindowState::Normal: break;
    }
    return 2;
}

FormWindowState WindowStateFromCode(int code) {
    if (code == 1) return FormWindowState::Minimized;
    if (code == 3) return FormWindowState::Maximized;
    return FormWindowState::Normal;
}

std::vector<std::pair<std::string, std::string>> FormPositionValues(const std::string& formClass, CSaveOptions options,
                                                                    const FormPosition& position) {
    std::vector<std::pair<std::string, std::string>> values;
    if (options.Has(CSaveOption::soSaveSize)) {
        values.emplace_back(formClass + kWidthSuffix, std::to_string(position.width));
        values.emplace_back(formClass + kHeightSuffix, std::to_string(position.height));
    }
    if (options.Has(CSaveOption::soSaveLocation)) {
        values.emplace_back(formClass + kTopSuffix, std::to_string(position.top));
        values.emplace_back(formClass + kLeftSuffix, std::to_string(position.left));
    }
    if (options.Has(CSaveOption::soSaveState)) {
        values.emplace_back(formClass + kWindowStateSuffix, std::to_string(WindowStateCode(position.state)));
    }
    if (options.Has(CSaveOption::soSaveVisible)) {
        values.emplace_back(formClass + kVisibleSuffix, position.visible ? "1" : "0");
    }
    return values;
}

StoredFormPosition ReadFormPosition(const std::string& formClass, CSaveOptions options, const ReadText& read) {
    StoredFormPosition stored;
    if (options.Has(CSaveOption::soSaveSize)) {
        // A zero or negative size would leave a window nobody can see or grab.
        stored.width = ReadNumber(read, formClass + kWidthSuffix);
        stored.height = ReadNumber(read, formClass + kHeightSuffix);
        if (stored.width && *stored.width <= 0) stored.width.reset();
        if (stored.height && *stored.height <= 0) stored.height.reset();
    }
    if (options.Has(CSaveOption::soSaveLocation)) {
        stored.top = ReadNumber(read, formClass + kTopSuffix);
        stored.left = ReadNumber(read, formClass + kLeftSuffix);
    }
    if (options.Has(CSaveOption::soSaveState)) {
        if (auto code = ReadNumber(read, formClass + kWindowStateSuffix)) stored.state = WindowStateFromCode(*code);
    }
    if (options.Has(CSaveOption::soSaveVisible)) {
        if (auto text = read(formClass + kVisibleSuffix)) stored.visible = AsBoolean(StoredValue::FromText(*text));
    }
    return stored;
}

}  // namespace kelvane
