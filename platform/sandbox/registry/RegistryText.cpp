#include "platform/sandbox/registry/RegistryText.h"

#include <cstdint>

#include "platform/Text.h"

namespace hastelyn::sandbox {

std::string replaceInvalidUtf8(std::string_view bytes) {
    bool ascii = true;
    for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = text::utf8CharLength(bytes, i);
        if (n == 1 && static_cast<unsigned char>(bytes[i]) >= 0x80)
            out += '?';
        else
            out.append(bytes.substr(i, n));
        i += n;
    }
    return out;
}

}  // namespace hastelyn::sandbox
