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

}  // namespace hastelyn::engine
