// The herd settings reader on any bytes: whatever the file holds, the
// settings end usable (the defaults where the file's value is not) and the
// settings written again read back as the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "market/HerdFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvisol;
    const std::string text(reinterpret_cast<const char*>(data), size);
    HerdSettings h;
    std::vector<std::string> messages;
    ReadHerdText(text, h, messages);
    if (!HerdSettingsProblem(h).empty()) __builtin_trap();
    HerdSettings again;
    std::vector<std::string> none;
    ReadHerdText(HerdText(h), again, none);
    if (!(again == h) || !none.empty()) __builtin_trap();
    return 0;
}
