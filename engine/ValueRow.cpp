#include "engine/ValueRow.h"

#include <algorithm>

#include "engine/ExactValues.h"
#include "engine/RestoreRefusal.h"

namespace hastelyn::engine {

bool ValueRow::inForce(Session& session) const {
    return std::all_of(spec_.values.begin(), spec_.values.end(), [&](const RegValue& v) {
        const std::string text = session.registry.ReadRegValue(v.root, v.key, v.name, v.type);
        return std::find(spec_.inForceTexts.begin(), spec_.inForceTexts.end(), text) != spec_.inForceTexts.end();
    });
}

bool ValueRow::apply(Session& session, bool ticked) const {
    const std::optional<std::string_view>& text = ticked ? spec_.tickedText : spec_.untickedText;
    for (const RegValue& v : spec_.values) {
        if (text)
            session.registry.WriteRegValue(v.root, v.key, v.name, *text, v.type);
        else
            session.registry.DeleteRegValue(v.root, v.key, v.name);
    }
    return true;
}

std::string ValueRow::restoreKey(std::size_t i) const {
    std::string key(spec_.number);
    if (spec_.values.size() > 1) key.push_back(static_cast<char>('a' + i));
    return key;
}

void ValueRow::backup(Session& session, RestorePointWriter& file) const {
    for (std::size_t i = 0; i < spec_.values.size(); ++i) {
        const RegValue& v = spec_.values[i];
        file.put(spec_.section, restoreKey(i), session.registry.ReadRegValue(v.root, v.key, v.name, v.type));
        backupExactValue(session, file, exactKey(spec_.section, restoreKey(i), v), v);
    }
}

void ValueRow::restore(Session& session, RestorePointReader& file) const {
    for (std::size_t i = 0; i < spec_.values.size(); ++i)
        restoreValue(session, spec_.values[i], file.get(spec_.section, restoreKey(i)), spec_.restore);
}

void ValueRow::restoreExact(Session& session, RestorePointReader& file) const {
    for (std::size_t i = 0; i < spec_.values.size(); ++i) {
        const RegValue& v = spec_.values[i];
        restoreExactValue(session, file, exactKey(spec_.section, restoreKey(i), v), v);
    }
}

void ValueRow::checkRestore(Session& session, RestorePointReader& file) const {
    const std::string row = rowName(spec_.section, spec_.number);
    for (std::size_t i = 0; i < spec_.values.size(); ++i) {
        const RegValue& v = spec_.values[i];
        if (v.type == RegType::Binary) checkBinaryText(file, spec_.section, restoreKey(i), row);
        checkExactValue(session, file, exactKey(spec_.section, restoreKey(i), v), v, row);
    }
}

void checkBinaryText(RestorePointReader& file, std::string_view section, std::string_view key, std::string_view row) {
    const std::string saved = file.get(section, key);
    std::uint32_t number = 0;
    if (saved != foundation::kNull && saved != foundation::kUnfitType && !foundation::parseDwordText("$" + saved, number))
        throw restoreRefusal(row, section, key);
}

void restoreValue(Session& session, const RegValue& value, const std::string& saved, RestoreRule rule) {
    if (saved == foundation::kNull) {
        if (rule == RestoreRule::WriteOrDelete) session.registry.DeleteRegValue(value.root, value.key, value.name);
        return;
    }
    session.registry.WriteRegValue(value.root, value.key, value.name, saved, value.type);
}

RowScope ValueRow::scope(Session& /*session*/) const {
    bool user = false, machine = false;
    for (const RegValue& value : spec_.values) (value.root == platform::RootKey::CurrentUser ? user : machine) = true;
    return user && machine ? RowScope::Both : user ? RowScope::User : RowScope::Machine;
}

}  // namespace hastelyn::engine
