#include "tests/support/JsonValue.h"

#include <cstdlib>

namespace hastelyn::testing {
namespace {

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    JsonValue document() {
        JsonValue v = value();
        blanks();
        if (pos_ != text_.size()) fail("text after the value");
        return v;
    }

private:
    [[noreturn]] void fail(const std::string& why) const {
        throw std::runtime_error("JSON: " + why + " at " + std::to_string(pos_));
    }
    void blanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n' || text_[pos_] == '\r' || text_[pos_] == '\t'))
            ++pos_;
    }
    bool take(char c) {
        blanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    void expect(char c) {
        if (!take(c)) fail(std::string("'") + c + "' expected");
    }
    bool word(std::string_view w) {
        if (text_.substr(pos_, w.size()) != w) return false;
        pos_ += w.size();
        return true;
    }

    JsonValue value() {
        blanks();
        if (pos_ >= text_.size()) fail("value expected");
        const char c = text_[pos_];
        if (c == '{') return object();
        if (c == '[') return array();
        if (c == '"') return {string()};
        if (word("true")) return {true};
        if (word("false")) return {false};
        if (word("null")) return {nullptr};
        const char* start = text_.data() + pos_;
        char* end = nullptr;
        const double number = std::strtod(start, &end);
        if (end == start) fail("value expected");
        pos_ += static_cast<std::size_t>(end - start);
        return {number};
    }

    JsonValue object() {
        expect('{');
        auto members = std::make_shared<JsonValue::Object>();
        if (!take('}')) {
            do {
                blanks();
                const std::string key = string();
                expect(':');
                if (!members->emplace(key, value()).second) fail("key twice: " + key);
            } while (take(','));
            expect('}');
        }
        return {members};
    }

    JsonValue array() {
        expect('[');
        auto items = std::make_shared<JsonValue::Array>();
        if (!take(']')) {
            do items->push_back(value());
            while (take(','));
            expect(']');
        }
        return {items};
    }

    std::string string() {
        if (pos_ >= text_.size() || text_[pos_] != '"') fail("string expected");
        ++pos_;
        std::string out;
        while (true) {
            if (pos_ >= text_.size()) fail("unclosed string");
            const char c = text_[pos_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) fail("control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) fail("unclosed string");
            const char e = text_[pos_++];
            switch (e) {
                case '"': case '\\': case '/': out += e; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    if (pos_ + 4 > text_.size()) fail("short \\u");
                    const unsigned code = static_cast<unsigned>(std::stoul(std::string(text_.substr(pos_, 4)), nullptr, 16));
                    pos_ += 4;
                    if (code < 0x80) {
                        out += static_cast<char>(code);
                    } else if (code < 0x800) {
                        out += static_cast<char>(0xC0 | (code >> 6));
                        out += static_cast<char>(0x80 | (code & 0x3F));
                    } else {
                        out += static_cast<char>(0xE0 | (code >> 12));
                        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                        out += static_cast<char>(0x80 | (code & 0x3F));
                    }
                    break;
                }
                default: fail("bad escape");
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

JsonValue parseJson(std::string_view text) { return Reader(text).document(); }

}  // namespace hastelyn::testing
