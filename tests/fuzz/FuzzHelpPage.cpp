// Reads arbitrary bytes as a help page, as the site search does: the text a reader sees comes
// out in one pass, whatever the page holds, and is tidy: valid UTF-8 from valid UTF-8, no blank
// at either end, never two blanks in a row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "foundation/HelpSearch.h"
#include "platform/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view html(reinterpret_cast<const char*>(data), size);
    const std::string text = hastelyn::foundation::pageText(html);
    if (hastelyn::text::isValidUtf8(html) && !hastelyn::text::isValidUtf8(text)) std::abort();
    if (!text.empty() && (text.front() == ' ' || text.back() == ' ')) std::abort();
    if (text.find("  ") != std::string::npos) std::abort();
    return 0;
}
