#include "app/cli/JsonWriter.h"

#include <cstdio>

#include "platform/Text.h"

namespace hastelyn::cli {

Json::Json(const std::optional<std::string>& value) {
    if (value) value_ = *value;
}

Json Json::object() {
    Json json;
    json.value_ = Object{};
    return json;
}

Json Json::array() {
    Json json;
    json.value_ = Array{};
    return json;
}

Json& Json::set(std::string key, Json value) {
    Object& object = std::get<Object>(value_);
    object.keys.push_back(std::move(key));
    object.values.push_back(std::move(value));
    return *this;
}

Json& Json::push(Json value) {
    std::get<Array>(value_).values.push_back(std::move(value));
    return *this;
}

bool Json::empty() const {
    if (const auto* object = std::get_if<Object>(&value_)) return object->values.empty();
    if (const auto* array = std::get_if<Array>(&value_)) return array->values.empty();
    return false;
}

bool Json::plain() const {
    const std::vector<Json>* members = nullptr;
    if (const auto* object = std::get_if<Object>(&value_)) members = &object->values;
    if (const auto* array = std::get_if<Array>(&value_)) members = &array->values;
    if (members == nullptr) return true;
    for (const Json& member : *members)
        if (std::holds_alternative<Object>(member.value_) || std::holds_alternative<Array>(member.value_)) return false;
    return true;
}

void Json::write(std::string& out, int indent) const {
    const auto member = [&](std::size_t i, const std::string* key, const Json& value) {
        const bool oneLine = plain();
        if (i > 0) out += oneLine ? ", " : ",";
        if (!oneLine) out += "\n" + std::string(static_cast<std::size_t>(indent + 2), ' ');
        if (key != nullptr) out += jsonText(*key) + ": ";
        value.write(out, indent + 2);
    };
    const auto close = [&](char bracket, bool any) {
        if (!plain() && any) out += "\n" + std::string(static_cast<std::size_t>(indent), ' ');
        out += bracket;
    };
    if (std::holds_alternative<std::nullptr_t>(value_)) out += "null";
    else if (const bool* b = std::get_if<bool>(&value_)) out += *b ? "true" : "false";
    else if (const std::int64_t* n = std::get_if<std::int64_t>(&value_)) out += std::to_string(*n);
    else if (const std::string* s = std::get_if<std::string>(&value_)) out += jsonText(*s);
    else if (const Object* object = std::get_if<Object>(&value_)) {
        out += '{';
        for (std::size_t i = 0; i < object->values.size(); ++i) member(i, &object->keys[i], object->values[i]);
        close('}', !object->values.empty());
    } else {
        const Array& array = std::get<Array>(value_);
        out += '[';
        for (std::size_t i = 0; i < array.values.size(); ++i) member(i, nullptr, array.values[i]);
        close(']', !array.values.empty());
    }
}

std::string Json::text() const {
    std::string out;
    write(out, 0);
    return out;
}

std::string jsonText(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = text::utf8CharLength(text, i);
        if (c >= 0x80 && length == 1) {
            // Not UTF-8: the byte as the character of its number.
            text::appendUtf8(out, c);
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            static constexpr const char* kNamed[] = {"\\b", "\\t", "\\n", nullptr, "\\f", "\\r"};
            if (c >= 8 && c <= 13 && kNamed[c - 8] != nullptr) {
                out += kNamed[c - 8];
            } else {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            }
        } else {
            out.append(text.substr(i, length));
        }
        i += length;
    }
    return out + "\"";
}

}  // namespace hastelyn::cli
