// The temperature-file reader on any bytes; what was read, written and read
// again must write the same file (numbers are written to 15 digits).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "growth/Temperature.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvisol;
    const std::string text(reinterpret_cast<const char*>(data), size);
    auto s = std::make_unique<SharedState>();
    SetTemps(*s);
    ReadTempText(*s, text);
    const std::string written = TempFileText(*s);
    auto again = std::make_unique<SharedState>();
    ReadTempText(*again, written);
    if (TempFileText(*again) != written) __builtin_trap();
    return 0;
}
