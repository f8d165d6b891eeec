#pragma once
// Whether a file may be put back as the current identity's mail rules: checked by the program
// itself before the system's tool is started, because the tools import whatever a file says
// (the registry editor every key of its text, reg restore any hive into the key it is given).
#include <string>
#include <string_view>

namespace hastelyn::engine {

struct MailRuleKey;

enum class MailRuleFileVerdict {
    Fits,           // the rules key and keys below it, nothing else
    NotRules,       // not an export of a rules key at all (random bytes, empty, another kind of key)
    Outside,        // names a key outside the rules key, or deletes one: detail is that key
    OtherIdentity,  // a text export of another identity's rules, nothing else: detail is that
                    // identity (movedToIdentity puts them under the current one)
};

struct MailRuleFileCheck {
    MailRuleFileVerdict verdict = MailRuleFileVerdict::NotRules;
    std::string detail;
};

// A registry editor text must begin with key's own line ("HKEY_CURRENT_USER" + key path) and
// name no key outside it and no deletion. With savedHive (XP, "reg restore"), the file is put
// into the current identity's key whatever key it was saved from: a binary hive whose root is a
// key named "Mail", or the sandbox's stand-in for one (a text whose first key is the rules key
// of any identity, with the same rule for the keys below).
MailRuleFileCheck checkMailRuleFile(std::string_view bytes, const MailRuleKey& key, bool savedHive);

// A registry editor text of identity `from`'s rules with every key line naming identity `to`
// instead, in the file's own encoding; the values stay byte for byte. Meant for a text the
// check found to be `from`'s rules and nothing else (OtherIdentity); check the result again.
std::string movedToIdentity(std::string_view bytes, std::string_view from, std::string_view to);

}  // namespace hastelyn::engine
