#pragma once
// The one JSON writer of the command line: a value built up in order and written as UTF-8.
// An object or array that holds only plain values is written on one line, others one member
// a line, indented by two blanks.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace hastelyn::cli {

class Json {
public:
    Json() = default;  // null
    Json(std::nullptr_t) {}
    Json(bool value) : value_(value) {}
    Json(int value) : value_(static_cast<std::int64_t>(value)) {}
    Json(std::string value) : value_(std::move(value)) {}
    Json(std::string_view value) : value_(std::string(value)) {}
    Json(const char* value) : value_(std::string(value)) {}
    // null when absent.
    Json(const std::optional<std::string>& value);

    static Json object();
    static Json array();

    // Adds a member of an object (in the order added) or an element of an array.
    Json& set(std::string key, Json value);
    Json& push(Json value);
    bool empty() const;

    std::string text() const;

private:
    struct Object {
        std::vector<std::string> keys;
        std::vector<Json> values;
    };
    struct Array {
        std::vector<Json> values;
    };
    bool plain() const;
    void write(std::string& out, int indent) const;

    std::variant<std::nullptr_t, bool, std::int64_t, std::string, Object, Array> value_;
};

// A JSON string literal of a text. Bytes that are not UTF-8 (a Shift_JIS value read from the
// registry) are written as the characters U+0080 to U+00FF of the same number, so that the
// output stays valid UTF-8 and no byte is lost.
std::string jsonText(std::string_view text);

}  // namespace hastelyn::cli
