// The market settings reader on any bytes: whatever the file holds, every
// setting ends usable (the defaults where the file's value is not) and the
// settings written again read back as the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "market/MarketFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvisol;
    const std::string text(reinterpret_cast<const char*>(data), size);
    MarketSettings m = DefaultMarketSettings(size % 2 == 1);
    std::vector<std::string> messages;
    ReadMarketText(text, m, messages);
    if (!MarketSettingsProblem(m).empty()) __builtin_trap();
    MarketSettings again = DefaultMarketSettings(false);
    std::vector<std::string> none;
    ReadMarketText(MarketText(m), again, none);
    if (!(again == m) || !none.empty()) __builtin_trap();
    return 0;
}
