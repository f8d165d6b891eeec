// Arbitrary bytes as a profile file: reading every section and key must work on anything, the
// file must be written back byte for byte when nothing changed, and an edit must come back from
// the written text exactly, leaving the other sections as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Text.h"
#include "platform/sandbox/ProfileDocument.h"

namespace {

using hastelyn::sandbox::ProfileDocument;

void check(bool condition) {
    if (!condition) std::abort();
}

std::vector<std::vector<std::string>> keyLists(const ProfileDocument& doc, const std::vector<std::string>& sections) {
    std::vector<std::vector<std::string>> lists;
    for (const std::string& section : sections) {
        std::vector<std::string> names;
        for (std::string_view name : doc.keyNames(section)) names.emplace_back(name);
        lists.push_back(std::move(names));
    }
    return lists;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ProfileDocument doc = ProfileDocument::parse(bytes);
    check(doc.text() == bytes);

    std::vector<std::string> sections;
    for (std::string_view name : doc.sectionNames()) {
        if (sections.size() < 32) sections.emplace_back(name);
    }
    for (const std::string& section : sections) {
        const std::vector<std::string_view> names = doc.keyNames(section);
        for (std::size_t i = 0; i < names.size() && i < 256; ++i) {
            const auto value = doc.value(section, names[i]);
            check(value.has_value());
            const std::string cut = hastelyn::sandbox::profileValueForBuffer(*value, 1 + i % 40);
            check(hastelyn::text::shiftJisLength(cut) <= i % 40);
        }
        std::size_t listed = 0;
        for (const std::string& name : hastelyn::sandbox::profileNamesForBuffer(names, 64)) {
            listed += hastelyn::text::shiftJisLength(name) + 1;
        }
        check(listed <= 63);
    }

    // The written text reads back as the same document.
    const std::string text = doc.text();
    check(ProfileDocument::parse(text).text() == text);

    // An edit shows in the written text and touches no other section.
    const std::string target = sections.empty() ? std::string("Fuzz") : sections[size % sections.size()];
    const auto before = keyLists(doc, sections);
    doc.setValue(target, "FuzzKey", "fuzz=value");
    const ProfileDocument reread = ProfileDocument::parse(doc.text());
    check(reread.value(target, "FuzzKey") == std::optional<std::string_view>("fuzz=value"));
    const auto after = keyLists(reread, sections);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (!hastelyn::text::equalsNoCase(sections[i], target)) check(before[i] == after[i]);
    }
    check(doc.removeKey(target, "FuzzKey"));
    check(doc.removeSection(target));
    check(!doc.hasSection(target) || ProfileDocument::parse(doc.text()).hasSection(target));
    return 0;
}
