// Reads arbitrary bytes as a number or a colour of the settings file: whatever the text, the
// reading ends, and a colour read writes back as a text that reads as the same colour.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "foundation/ColorText.h"
#include "foundation/DisplaySettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace foundation = hastelyn::foundation;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)foundation::settingNumber(text);
    if (const auto color = foundation::colorFromText(text)) {
        if (foundation::colorFromText(foundation::colorToText(*color)) != color) std::abort();
    }
    return 0;
}
