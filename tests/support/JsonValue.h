#pragma once
// A small JSON reader for the tests of the command line's output: strict enough that a stray
// comma, an unclosed bracket, bad escapes or text after the value fail the parse.
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace hastelyn::testing {

struct JsonValue {
    using Object = std::map<std::string, JsonValue>;
    using Array = std::vector<JsonValue>;
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<Object>, std::shared_ptr<Array>> value;

    bool isNull() const { return std::holds_alternative<std::nullptr_t>(value); }
    bool boolean() const { return std::get<bool>(value); }
    const std::string& text() const { return std::get<std::string>(value); }
    // null as nullopt.
    std::optional<std::string> optionalText() const {
        return isNull() ? std::nullopt : std::optional<std::string>(text());
    }
    const Array& array() const { return *std::get<std::shared_ptr<Array>>(value); }
    const Object& object() const { return *std::get<std::shared_ptr<Object>>(value); }
    bool has(const std::string& key) const { return object().count(key) != 0; }
    const JsonValue& operator[](const std::string& key) const { return object().at(key); }
};

// Throws std::runtime_error on anything that is not exactly one JSON value (blanks around it).
JsonValue parseJson(std::string_view text);

}  // namespace hastelyn::testing
