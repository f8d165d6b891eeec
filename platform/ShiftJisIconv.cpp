// Shift_JIS conversion through iconv (Linux and other POSIX systems).
#include <iconv.h>

#include <cerrno>
#include <vector>

#include "platform/Text.h"

namespace hastelyn::text {
namespace {

// Converts with iconv, replacing what cannot be converted by `replacement` and skipping one
// input byte (invalid input) or one input character (unconvertible) each time.
std::string convert(const char* to, const char* from, std::string_view input, std::string_view replacement,
                    bool inputIsUtf8) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input);
    std::string out;
    out.reserve(input.size() * 2);
    std::vector<char> buf(4096);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* o = buf.data();
        std::size_t oLeft = buf.size();
        const std::size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(buf.data(), buf.size() - oLeft);
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: replace and step over the offending input.
        out.append(replacement);
        const std::size_t skip = inputIsUtf8 ? utf8CharLength(std::string_view(in, inLeft), 0) : 1;
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string toShiftJis(std::string_view utf8) { return convert("CP932", "UTF-8", utf8, "?", true); }

std::string fromShiftJis(std::string_view sjis) { return convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD", false); }

}  // namespace hastelyn::text
