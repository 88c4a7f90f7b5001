// Bytes to the live model: any file must load or be refused without harm,
// and whatever loads must save and load back to the same text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "quillet/document/tdf_document.h"

namespace {

void LoadInto(quillet::ObjectModel& model) {
    quillet::RegisterStandardFactories(model);
    model.AddStandardTrayIcon();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quillet;
    const DocumentInfo info{"Quillet", "1.0"};
    ObjectModel model;
    LoadInto(model);
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (LoadDocumentFromBytes(model, bytes) != kStatusOk) return 0;
    if (model.Root()->Count() == 0) __builtin_trap();

    std::string first;
    if (SaveDocumentToBytes(model, info, &first) != kStatusOk) __builtin_trap();
    ObjectModel again;
    LoadInto(again);
    if (LoadDocumentFromBytes(again, first) != kStatusOk) __builtin_trap();
    std::string second;
    if (SaveDocumentToBytes(again, info, &second) != kStatusOk) __builtin_trap();
    if (first != second) __builtin_trap();
    return 0;
}
