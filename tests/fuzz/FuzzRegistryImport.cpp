// Any bytes as a mail-rule backup: the check and the readers survive them, and neither a file the
// check lets through (also once moved from another identity) nor what reg restore makes of any file
// changes anything outside the rules key.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/MailRuleFile.h"
#include "engine/MailRules.h"
#include "foundation/RegistryExportFile.h"
#include "platform/sandbox/SavedKeyText.h"
#include "platform/sandbox/registry/HiveFileReader.h"

namespace {

using hastelyn::platform::RootKey;
namespace sandbox = hastelyn::sandbox;

constexpr const char* kIdentity = "{5F2A8C41-9B3E-4D17-A6C2-7E0B1D93F458}";
constexpr RootKey kRoots[] = {RootKey::CurrentUser, RootKey::LocalMachine, RootKey::Users, RootKey::ClassesRoot};

// Keys beside and above the rules key, each with a value a stray write or deletion would touch.
std::unique_ptr<sandbox::HiveKey> machineHive(RootKey root) {
    auto hive = std::make_unique<sandbox::HiveKey>();
    hive->child("Software").child("Sentinel").setValue("v", 1, std::string("x\0", 2));
    if (root != RootKey::CurrentUser) return hive;
    sandbox::HiveKey& identity = hive->child("Identities").child(kIdentity);
    identity.setValue("Username", 1, std::string("main\0", 5));
    sandbox::HiveKey& rules = identity.child("Software").child("Microsoft").child("Outlook Express").child("5.0").child("Rules");
    rules.setValue("r", 4, std::string(4, '\1'));
    rules.child("MailX").setValue("v", 4, std::string(4, '\2'));
    hive->child("Identities").child("{00000000-0000-0000-0000-000000000000}").setValue("v", 4, std::string(4, '\3'));
    return hive;
}

// Imports the text into each root of a machine and aborts when anything but the rules key changed.
void expectOnlyRulesChange(std::string_view text) {
    for (const RootKey root : kRoots) {
        const auto before = machineHive(root);
        const auto after = machineHive(root);
        sandbox::applyHiveFile(text, root, *after);
        if (root == RootKey::CurrentUser) {
            sandbox::HiveKey* rules = after.get();
            for (const char* name : {"Identities", kIdentity, "Software", "Microsoft", "Outlook Express", "5.0", "Rules"})
                rules = rules ? rules->findChild(name) : nullptr;
            if (rules) rules->removeChild("Mail");
        }
        if (!(*before == *after)) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace engine = hastelyn::engine;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)hastelyn::foundation::savedHiveRootName(bytes);
    const engine::MailRuleKey key{kIdentity, "HKEY_CURRENT_USER",
                                  std::string("\\Identities\\") + kIdentity + std::string(engine::kMailRulesBelowIdentity)};
    const engine::MailRuleFileCheck check = engine::checkMailRuleFile(bytes, key, false);
    if (check.verdict == engine::MailRuleFileVerdict::Fits) expectOnlyRulesChange(bytes);
    // Another identity's rules, moved under this one, pass the same check before they are imported.
    if (check.verdict == engine::MailRuleFileVerdict::OtherIdentity) {
        const std::string moved = engine::movedToIdentity(bytes, check.detail, kIdentity);
        if (engine::checkMailRuleFile(moved, key, false).verdict == engine::MailRuleFileVerdict::Fits) expectOnlyRulesChange(moved);
    }
    (void)engine::checkMailRuleFile(bytes, key, true);
    if (const auto restored = sandbox::restoredKeyText(bytes, "HKEY_CURRENT_USER" + key.keyPath)) expectOnlyRulesChange(*restored);
    return 0;
}
