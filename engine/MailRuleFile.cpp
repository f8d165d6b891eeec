#include "engine/MailRuleFile.h"

#include <optional>

#include "engine/MailRules.h"
#include "foundation/RegistryExportFile.h"
#include "platform/Text.h"

namespace hastelyn::engine {
namespace {

constexpr std::string_view kIdentities = "HKEY_CURRENT_USER\\Identities\\";
// The name of the rules key's own node, the root of a hive saved from it.
constexpr std::string_view kRulesNodeName = "Mail";

// The identity ("{...}") whose rules key the name is; nothing for any other key.
std::optional<std::string> identityOfRulesKey(std::string_view name) {
    if (name.size() < kIdentities.size() || !text::equalsNoCase(name.substr(0, kIdentities.size()), kIdentities))
        return std::nullopt;
    name.remove_prefix(kIdentities.size());
    const std::size_t slash = name.find('\\');
    if (slash == std::string_view::npos || !name.starts_with('{') ||
        !text::equalsNoCase(name.substr(slash), kMailRulesBelowIdentity))
        return std::nullopt;
    return std::string(name.substr(0, slash));
}

// The ASCII text as a file of that width writes it: one byte a character, or UTF-16LE.
std::string encoded(std::string_view ascii, bool wide) {
    std::string out;
    for (const char c : ascii) {
        out += c;
        if (wide) out += '\0';
    }
    return out;
}

bool matchesAt(std::string_view bytes, std::size_t at, std::string_view wanted) {
    return at <= bytes.size() && bytes.size() - at >= wanted.size() &&
           text::equalsNoCase(bytes.substr(at, wanted.size()), wanted);
}

}  // namespace

MailRuleFileCheck checkMailRuleFile(std::string_view bytes, const MailRuleKey& key, bool savedHive) {
    using enum MailRuleFileVerdict;
    if (savedHive) {
        if (const auto root = foundation::savedHiveRootName(bytes))
            return text::equalsNoCase(*root, kRulesNodeName) ? MailRuleFileCheck{Fits, {}} : MailRuleFileCheck{NotRules, *root};
    }
    const auto keys = foundation::readRegistryTextKeys(bytes);
    if (!keys || keys->empty()) return {NotRules, {}};
    for (const foundation::RegistryTextKey& line : *keys)
        if (line.deletion || !line.wellFormed) return {Outside, (line.deletion ? "-" : "") + line.name};
    const std::string& scope = keys->front().name;
    const auto identity = identityOfRulesKey(scope);
    if (!identity) return {NotRules, scope};
    for (const foundation::RegistryTextKey& line : *keys)
        if (!foundation::isKeyOrBelow(line.name, scope)) return {Outside, line.name};
    // The registry editor imports the text where it names: only the current identity's.
    if (!savedHive && !text::equalsNoCase(*identity, key.identity)) return {OtherIdentity, *identity};
    return {Fits, {}};
}

std::string movedToIdentity(std::string_view bytes, std::string_view from, std::string_view to) {
    const bool wide = bytes.starts_with("\xFF\xFE");
    const std::size_t unit = wide ? 2 : 1;
    const std::string keyStart = encoded("[" + std::string(kIdentities), wide);
    const std::string oldIdentity = encoded(from, wide);
    const std::string newIdentity = encoded(to, wide);
    const auto is = [&](std::size_t i, char c) { return bytes[i] == c && (!wide || bytes[i + 1] == '\0'); };

    std::size_t at = wide ? 2 : 0;
    std::string moved(bytes.substr(0, at));
    bool lineStart = true;
    while (at + unit <= bytes.size()) {
        if (lineStart && matchesAt(bytes, at, keyStart) && matchesAt(bytes, at + keyStart.size(), oldIdentity)) {
            moved.append(bytes.substr(at, keyStart.size())).append(newIdentity);
            at += keyStart.size() + oldIdentity.size();
            lineStart = false;
            continue;
        }
        const bool blank = is(at, ' ') || is(at, '\t');
        const bool lineEnd = is(at, '\r') || is(at, '\n');
        lineStart = lineEnd || (lineStart && blank);
        moved.append(bytes.substr(at, unit));
        at += unit;
    }
    moved.append(bytes.substr(at));  // an odd last byte of a UTF-16 text
    return moved;
}

}  // namespace hastelyn::engine
