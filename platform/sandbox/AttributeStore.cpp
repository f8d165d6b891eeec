#include "platform/sandbox/AttributeStore.h"

#include <cstdio>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/IniValue.h"

namespace hastelyn::sandbox {
namespace {

constexpr std::string_view kSection = "Attributes";

}  // namespace

AttributeStore::AttributeStore(std::filesystem::path file) : file_(std::move(file)) {}

std::optional<std::uint32_t> AttributeStore::find(std::string_view windowsPath) {
    const ProfileDocument* doc = cache_.document(file_);
    if (doc == nullptr) return std::nullopt;
    const auto value = doc->value(kSection, text::lowerAscii(windowsPath));
    if (!value) return std::nullopt;
    const auto bits = parseHex(withoutComment(*value));
    if (!bits || *bits > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::uint32_t>(*bits);
}

bool AttributeStore::readOnly(std::string_view windowsPath) {
    return (find(windowsPath).value_or(0) & platform::fileattr::ReadOnly) != 0;
}

bool AttributeStore::set(std::string_view windowsPath, std::optional<std::uint32_t> bits) {
    ProfileDocument* doc = cache_.document(file_);
    if (doc == nullptr) {
        if (!bits) return true;
        doc = &cache_.fresh(file_);
    }
    const std::string name = text::lowerAscii(windowsPath);
    bool changed = false;
    if (bits) {
        char hex[16];
        std::snprintf(hex, sizeof(hex), "%X", static_cast<unsigned>(*bits));
        changed = doc->setValue(kSection, name, hex);
    } else {
        changed = doc->removeKey(kSection, name);
    }
    if (!changed) return true;
    FileStamp stamp;
    if (!writeFileAtomically(file_, doc->text(), stamp)) {
        cache_.forget(file_);
        return false;
    }
    cache_.written(file_, stamp);
    return true;
}

}  // namespace hastelyn::sandbox
