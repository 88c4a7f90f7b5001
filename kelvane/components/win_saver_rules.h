// What the position saver stores for a form: value names, their texts and
// the window-state codes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kelvane {

// What the position saver stores; the values are the bits of the stored set.
enum class CSaveOption : unsigned { soSaveLocation = 1, soSaveSize = 2, soSaveState = 4, soSaveVisible = 8 };

class CSaveOptions {
public:
    CSaveOptions() = default;
    CSaveOptions(std::initializer_list<CSaveOption> options) {
        for (CSaveOption option : options) Include(option);
    }
    static CSaveOptions FromBits(unsigned bits) {
        CSaveOptions options;
        options.m_bits = bits & 15u;
        return options;
    }
    unsigned Bits() const { return m_bits; }
    bool Has(CSaveOption option) const { return (m_bits & static_cast<unsigned>(option)) != 0; }
    void Include(CSaveOption option) { m_bits |= static_cast<unsigned>(option); }
    void Exclude(CSaveOption option) { m_bits &= ~static_cast<unsigned>(option); }
    bool operator==(const CSaveOptions& other) const { return m_bits == other.m_bits; }

private:
    unsigned m_bits = 0;
};

enum class FormWindowState { Normal, Minimized, Maximized };

// Stored codes: 2 normal, 1 minimised, 3 maximised; any other code reads as normal.
int WindowStateCode(FormWindowState state);
FormWindowState WindowStateFromCode(int code);

// A form's place as the saver stores it (screen pixels of the normal,
// restored rectangle).
struct FormPosition {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    FormWindowState state = FormWindowState::Normal;
    bool visible = true;
};

// What was found stored; a missing or unreadable value is left empty.
struct StoredFormPosition {
    std::optional<int32_t> left, top, width, height;
    std::optional<FormWindowState> state;
    std::optional<bool> visible;
};

// (value name, text) pairs to write for the options: the form's class name
// followed by "_Width", "_Height", "_Top", "_Left", "_WindowState", "_Visible".
std::vector<std::pair<std::string, std::string>> FormPositionValues(const std::string& formClass, CSaveOptions options,
                                                                    const FormPosition& position);

// Reads back what the options store; `read` gives a value's text or nothing.
using ReadText = std::function<std::optional<std::string>(const std::string& valueName)>;
StoredFormPosition ReadFormPosition(const std::string& formClass, CSaveOptions options, const ReadText& read);

}  // namespace kelvane
