// Fuzzes the language library loader: any bytes may arrive as a .mlb file.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "quillet/strings/key_hash.h"
#include "quillet/strings/mlb_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A private copy, so that ASan catches a read one past the image.
    std::vector<uint8_t> image(data, data + size);
    auto table = quillet::MlbTable::Parse(image.data(), image.size());
    if (!table) return 0;

    const char* keys[] = {"mnuClose", "menu:cannotrun", "", "tipCount", "helpFile"};
    for (const char* key : keys) table->Lookup(key);
    // Look up every stored hash and its neighbours, so each entry's offset
    // and text are checked, bounded so that huge tables stay fast.
    const uint32_t entries = table->EntryCount() < 512 ? table->EntryCount() : 512;
    for (uint32_t i = 0; i < entries; ++i) {
        uint32_t hash = 0;
        std::memcpy(&hash, image.data() + quillet::kMlbHeaderSize + i * quillet::kMlbEntrySize, 4);
        for (uint32_t probe : {hash - 1, hash, hash + 1}) {
            if (auto text = table->Find(probe)) {
                volatile char sink = 0;
                for (char c : *text) sink = static_cast<char>(sink ^ c);
            }
        }
    }
    return 0;
}
