// The window-size reader on any bytes: the window always ends at the fixed
// height and at least the default width.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "location/WindowSize.h"
#include "shared/MainWindowForm.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvisol;
    const std::string text(reinterpret_cast<const char*>(data), size);
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    s->Main = form.get();
    ReadWindowSizeText(*s, text);
    if (form->Height != kWindowHeight) __builtin_trap();
    if (form->Width != kDefaultWidth && form->Width < kMinStoredWidth) __builtin_trap();
    return 0;
}
