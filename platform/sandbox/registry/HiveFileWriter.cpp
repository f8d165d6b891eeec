#include "platform/sandbox/registry/HiveFileWriter.h"

#include <cstdio>

#include "platform/Win32Types.h"
#include "platform/sandbox/registry/RegistryText.h"

namespace hastelyn::sandbox {
namespace {

namespace regtype = platform::regtype;

// regedit keeps hex lines within 80 columns, going on after a backslash.
constexpr std::size_t kLineWidth = 80;

void appendQuoted(std::string& out, std::string_view s) {
    out += '"';
    std::size_t pos = 0;
    while (true) {
        const std::size_t stop = s.find_first_of("\"\\", pos);
        if (stop == std::string_view::npos) break;
        out.append(s.substr(pos, stop - pos));
        out += '\\';
        out += s[stop];
        pos = stop + 1;
    }
    out.append(s.substr(pos));
    out += '"';
}

// A REG_SZ that reads back the same from "name"="text": one terminating NUL, no other, no line
// break.
bool isPlainString(const HiveValue& value) {
    const std::string_view d = value.data;
    return value.type == regtype::Sz && !d.empty() && d.back() == '\0' &&
           d.find_first_of(std::string_view("\0\r\n", 3)) == d.size() - 1;
}

void appendHex(std::string& out, std::string_view bytes, std::size_t column) {
    static constexpr char kDigits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool last = i + 1 == bytes.size();
        if (column + (last ? 2 : 3) > kLineWidth - 2) {
            out += "\\\n  ";
            column = 2;
        }
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += kDigits[b >> 4];
        out += kDigits[b & 0xF];
        if (!last) out += ',';
        column += last ? 2 : 3;
    }
}

void appendValue(std::string& out, const HiveValue& value) {
    const std::size_t lineStart = out.size();
    if (value.name.empty())
        out += '@';
    else
        appendQuoted(out, value.name);
    out += '=';
    if (isPlainString(value)) {
        appendQuoted(out, std::string_view(value.data).substr(0, value.data.size() - 1));
    } else if (value.type == regtype::Dword && value.data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(value.data[i]);
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "dword:%08x", number);
        out += buffer;
    } else if (value.type == regtype::Binary) {
        out += "hex:";
        appendHex(out, value.data, out.size() - lineStart);
    } else {
        char buffer[24];
        std::snprintf(buffer, sizeof buffer, "hex(%x):", value.type);
        out += buffer;
        const bool text = value.type == regtype::Sz || value.type == regtype::ExpandSz || value.type == regtype::MultiSz;
        appendHex(out, text ? utf8ToUtf16le(value.data) : value.data, out.size() - lineStart);
    }
    out += '\n';
}

void appendKey(std::string& out, const HiveKey& key, std::string& path) {
    out += '[';
    out += path;
    out += "]\n";
    HiveKey::ValuesText& values = key.valuesText();
    if (!values.valid) {
        values.text.clear();
        key.forEachValue([&values](const HiveValue& value) { appendValue(values.text, value); });
        values.valid = true;
    }
    out += values.text;
    out += '\n';
    for (const auto& [name, child] : key.children()) {
        const std::size_t length = path.size();
        path += '\\';
        path += name;
        appendKey(out, *child, path);
        path.resize(length);
    }
}

}  // namespace

std::string writeHiveFile(const HiveKey& key, std::string_view keyPath, std::size_t sizeHint) {
    std::string out;
    out.reserve(sizeHint);
    out += "Windows Registry Editor Version 5.00\n\n";
    std::string path(keyPath);
    appendKey(out, key, path);
    return out;
}

}  // namespace hastelyn::sandbox
