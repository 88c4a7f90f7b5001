#include "quillet/document/bench/bench_document.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {
namespace {

// The reference generator draws from Python's random module. Drawing the same
// numbers in the same order gives the same document: the Mersenne Twister
// seeded the way Python seeds it from an integer, and Python's ways of
// turning its output into a float, a bounded integer and a choice.
class ReferenceRandom {
public:
    explicit ReferenceRandom(uint32_t seed) {
        // init_by_array over the seed's one 32-bit word.
        m_state[0] = 19650218u;
        for (int i = 1; i < kSize; ++i)
            m_state[i] = 1812433253u * (m_state[i - 1] ^ (m_state[i - 1] >> 30)) + static_cast<uint32_t>(i);
        int i = 1;
        for (int k = kSize; k > 0; --k) {
            m_state[i] = (m_state[i] ^ ((m_state[i - 1] ^ (m_state[i - 1] >> 30)) * 1664525u)) + seed;
            if (++i >= kSize) {
                m_state[0] = m_state[kSize - 1];
                i = 1;
            }
        }
        for (int k = kSize - 1; k > 0; --k) {
            m_state[i] =
                (m_state[i] ^ ((m_state[i - 1] ^ (m_state[i - 1] >> 30)) * 1566083941u)) - static_cast<uint32_t>(i);
            if (++i >= kSize) {
                m_state[0] = m_state[kSize - 1];
                i = 1;
            }
        }
        m_state[0] = 0x80000000u;
        m_index = kSize;
    }

    // random(): 53 bits from two draws, in [0, 1).
    double Fraction() {
        uint32_t high = Next() >> 5, low = Next() >> 6;
        return (high * 67108864.0 + low) * (1.0 / 9007199254740992.0);
    }

    // _randbelow(n): draws of n's bit length until one is below n.
    uint32_t Below(uint32_t n) {
        int bits = 0;
        for (uint32_t rest = n; rest; rest >>= 1) ++bits;
        uint32_t drawn;
        do {
            drawn = Next() >> (32 - bits);
        } while (drawn >= n);
        return drawn;
    }

    // randint(low, high), both included.
    int Between(int low, int high) { return low + static_cast<int>(Below(static_cast<uint32_t>(high - low + 1))); }

    template <typename T, size_t N>
    const T& Choice(const T (&items)[N]) {
        return items[Below(static_cast<uint32_t>(N))];
    }

private:
    static constexpr int kSize = 624;

    uint32_t Next() {
        if (m_index >= kSize) Twist();
        uint32_t y = m_state[m_index++];
        y ^= y >> 11;
        y ^= (y << 7) & 0x9D2C5680u;
        y ^= (y << 15) & 0xEFC60000u;
        return y ^ (y >> 18);
    }

    void Twist() {
        for (int i = 0; i < kSize; ++i) {
            uint32_t y = (m_state[i] & 0x80000000u) | (m_state[(i + 1) % kSize] & 0x7FFFFFFFu);
            m_state[i] = m_state[(i + 397) % kSize] ^ (y >> 1) ^ ((y & 1u) ? 0x9908B0DFu : 0u);
        }
        m_index = 0;
    }

    uint32_t m_state[kSize];
    int m_index = kSize;
};

const std::string_view kTitles[] = {
    "My icon",
    "Program Files & more",
    "Tools & Utilities",
    "\"Quoted\" shortcut",
    "a < b comparisons",
    "Documents",
    "Games",
    "Internet",
    "Syst\xC3\xA8me",
    "M\xC3\xBAsica & V\xC3\xAD"
    "deo",
    "Control Panel",
    "Recent <files>",
    "Say \"hello\"",
    "Network & Dial-up",
    "Startup",
};
const std::string_view kPaths[] = {
    "C:\\Program Files",       "C:\\Windows\\Media\\ding.wav", "C:\\Windows\\notepad.exe",
    "D:\\Music\\Rock & Roll",  "C:\\Users\\Public\\Desktop",   "C:\\Program Files\\App\\app.exe",
    "\\\\server\\share\\docs", "C:\\Tools\\run.cmd \"%1\"",    "C:\\Temp\\a<b>.txt",
};
const std::string_view kClasses[] = {
    "{DC83F3D0-F4B8-11D1-B9C9-006008536FD9}",
    "{DC83F3D1-F4B8-11D1-B9C9-006008536FD9}",
    "{7FF48765-F53B-11D1-B9CA-006008536FD9}",
    "{7FF48766-F53B-11D1-B9CA-006008536FD9}",
};
const std::string_view kFactoryTitles[] = {"Folder", "Shortcut", "Icon & menu", "Separator"};
const int kNumbers[] = {-1, 0, 1, 2, 16, 32, 255, 1000};
const int kTags[] = {1001, 1002, 1003, 1004, 1010, 9001, 9006, 9010};
constexpr int kDeepestLevel = 5;

class Writer {
public:
    Writer(size_t target, uint32_t seed) : m_target(static_cast<int64_t>(target)), m_random(seed) {}

    std::string Document() {
        constexpr int64_t kClosingBytes = sizeof("</trayicon>\r\n") - 1;
        Line(0, "<?xml version=\"1.0\"?>");
        Line(0, "");
        Line(0, "<trayicon app=\"Tray menus\" version=\"1.0\">");
        Line(1, "<factoryset>");
        for (int i = 0; i < 4; ++i) {
            Open(2, "<factory class=\"");
            Append(kClasses[i]);
            Append("\" title=\"");
            AppendEscaped(kFactoryTitles[i]);
            Close("\">");
            PropertySet(3, 1 + i % 3);
            Line(2, "</factory>");
        }
        Line(1, "</factoryset>");
        for (bool done = false; !done;) {
            Line(1, "<iconset>");
            Line(2, "<propertyset>");
            Line(3, "<property tag=\"9001\" data=\"1\"/>");
            Line(3, "<property tag=\"9006\" data=\"C:\\Windows\\Media\\ding.wav\"/>");
            Line(2, "</propertyset>");
            Line(2, "<contents>");
            for (int count = m_random.Between(2, 8); count > 0; --count) {
                Object(3, 0);
                // Stop once the closing tags would take the document to the target.
                if (Size() + kClosingBytes + 40 >= m_target) {
                    done = true;
                    break;
                }
            }
            Line(2, "</contents>");
            Line(1, "</iconset>");
        }
        Line(0, "</trayicon>");
        return std::move(m_out);
    }

private:
    int64_t Size() const { return static_cast<int64_t>(m_out.size()); }

    void Open(int depth, std::string_view text) {
        m_out.append(static_cast<size_t>(depth), '\t');
        m_out += text;
    }
    void Append(std::string_view text) { m_out += text; }
    void Close(std::string_view text) {
        m_out += text;
        m_out += "\r\n";
    }
    void Line(int depth, std::string_view text) {
        Open(depth, text);
        Close("");
    }

    void AppendEscaped(std::string_view text) {
        for (char c : text) {
            switch (c) {
            case '&': m_out += "&amp;"; break;
            case '"': m_out += "&quot;"; break;
            case '<': m_out += "&lt;"; break;
            case '>': m_out += "&gt;"; break;
            default: m_out += c; break;
            }
        }
    }

    void Data() {
        double kind = m_random.Fraction();
        if (kind < 0.45)
            Append(std::to_string(m_random.Choice(kNumbers)));
        else if (kind < 0.9)
            AppendEscaped(m_random.Choice(kPaths));
        else
            Append(m_random.Choice(kClasses));
    }

    void PropertySet(int depth, int properties) {
        Line(depth, "<propertyset>");
        for (int i = 0; i < properties; ++i) {
            Open(depth + 1, "<property tag=\"");
            Append(std::to_string(m_random.Choice(kTags)));
            Append("\" data=\"");
            Data();
            Close("\"/>");
        }
        Line(depth, "</propertyset>");
    }

    void Object(int depth, int level) {
        ++m_objects;
        std::string_view classId = m_random.Choice(kClasses);
        if (m_random.Fraction() < 0.15) {  // an object with nothing set
            Open(depth, "<object class=\"");
            Append(classId);
            Close("\"/>");
            return;
        }
        Open(depth, "<object class=\"");
        Append(classId);
        Append("\" title=\"");
        AppendEscaped(m_random.Choice(kTitles));
        Append(" ");
        Append(std::to_string(m_objects));
        Close("\">");
        PropertySet(depth + 1, m_random.Between(1, 5));
        // No new subtree once the target is nearly reached; deeper levels branch
        // less. The threshold is computed in two steps, as the reference does, so
        // that no fused multiply-add changes its last bit.
        if (level < kDeepestLevel && Size() < m_target - 2000) {
            double threshold = 0.08 * level;
            threshold = 0.55 - threshold;
            if (m_random.Fraction() < threshold) {
                Line(depth + 1, "<contents>");
                for (int count = m_random.Between(1, 6); count > 0; --count) Object(depth + 2, level + 1);
                Line(depth + 1, "</contents>");
            }
        }
        Line(depth, "</object>");
    }

    int64_t m_target;
    ReferenceRandom m_random;
    std::string m_out;
    int m_objects = 0;
};

}  // namespace

std::string MakeBenchDocument(size_t targetBytes, uint32_t seed) {
    return Writer(targetBytes, seed).Document();
}

}  // namespace quillet
