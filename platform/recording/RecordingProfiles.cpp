#include "platform/recording/RecordingProfiles.h"

#include <algorithm>

#include "platform/Text.h"

namespace hastelyn::recording {
namespace {

// A default no profile value can hold, to tell an absent key from an empty one.
constexpr std::string_view kAbsent{"\x01\x02", 2};
constexpr std::size_t kWholeValue = 1 << 16;

std::string sectionKey(std::string_view file, std::string_view section) {
    return text::upperAscii(file) + '\n' + text::upperAscii(section);
}

std::string target(std::string_view file, std::string_view section, std::string_view key) {
    return std::string(file) + " [" + std::string(section) + "] " + std::string(key);
}

}  // namespace

RecordingProfiles::Section& RecordingProfiles::section(std::string_view file, std::string_view section) {
    return sections_[sectionKey(file, section)];
}

const RecordingProfiles::Section* RecordingProfiles::findSection(std::string_view file, std::string_view section) const {
    const auto found = sections_.find(sectionKey(file, section));
    return found == sections_.end() ? nullptr : &found->second;
}

std::optional<std::string> RecordingProfiles::current(std::string_view file, std::string_view section,
                                                      std::string_view key) {
    if (const Section* s = findSection(file, section)) {
        for (const auto& [name, value] : s->keys)
            if (text::equalsNoCase(name, key)) return value;
        if (s->removed) return std::nullopt;
    }
    std::string value = real_.getString(file, section, key, kAbsent, kWholeValue);
    if (value == kAbsent) return std::nullopt;
    return value;
}

std::vector<std::string> RecordingProfiles::currentKeys(std::string_view file, std::string_view section) {
    const Section* s = findSection(file, section);
    std::vector<std::string> names;
    if (s == nullptr || !s->removed) names = real_.getKeyNames(file, section, kWholeValue);
    if (s == nullptr) return names;
    for (const auto& key : s->keys) {
        const auto same = std::find_if(names.begin(), names.end(),
                                       [&](const std::string& n) { return text::equalsNoCase(n, key.first); });
        if (!key.second && same != names.end()) names.erase(same);
        if (key.second && same == names.end()) names.push_back(key.first);
    }
    return names;
}

std::string RecordingProfiles::getString(std::string_view file, std::string_view section, std::string_view key,
                                         std::string_view defaultValue, std::size_t bufferSize) {
    if (mode_ == RecordingMode::PassThrough || findSection(file, section) == nullptr)
        return real_.getString(file, section, key, defaultValue, bufferSize);
    const std::optional<std::string> value = current(file, section, key);
    if (!value) return std::string(defaultValue);
    return std::string(text::cutToShiftJisLength(*value, bufferSize == 0 ? 0 : bufferSize - 1));
}

std::vector<std::string> RecordingProfiles::getKeyNames(std::string_view file, std::string_view section,
                                                        std::size_t bufferSize) {
    if (mode_ == RecordingMode::PassThrough || findSection(file, section) == nullptr)
        return real_.getKeyNames(file, section, bufferSize);
    std::vector<std::string> names = currentKeys(file, section);
    // As many as fit the buffer: each name and its NUL, and the final NUL.
    std::size_t used = 1;
    std::size_t fit = 0;
    while (fit < names.size() && used + names[fit].size() + 1 <= bufferSize) used += names[fit++].size() + 1;
    names.resize(fit);
    return names;
}

void RecordingProfiles::apply(std::string_view file, std::string_view sectionName, std::optional<std::string_view> key,
                              std::optional<std::string_view> value) {
    if (!key) {
        for (const std::string& name : currentKeys(file, sectionName))
            log_.record(ChangeKind::Profile, target(file, sectionName, name), current(file, sectionName, name), std::nullopt);
        if (mode_ == RecordingMode::DryRun) section(file, sectionName) = Section{true, {}};
        return;
    }
    const std::optional<std::string> after = value ? std::optional<std::string>(*value) : std::nullopt;
    log_.record(ChangeKind::Profile, target(file, sectionName, *key), current(file, sectionName, *key), after);
    if (mode_ == RecordingMode::PassThrough) return;
    Section& s = section(file, sectionName);
    const auto same = std::find_if(s.keys.begin(), s.keys.end(), [&](const auto& k) { return text::equalsNoCase(k.first, *key); });
    if (same == s.keys.end()) s.keys.emplace_back(std::string(*key), after);
    else same->second = after;
}

platform::CallResult RecordingProfiles::writeString(std::string_view file, std::string_view section,
                                                    std::optional<std::string_view> key,
                                                    std::optional<std::string_view> value) {
    if (mode_ == RecordingMode::DryRun) {
        apply(file, section, key, value);
        return platform::CallResult();
    }
    // What the key held is read before the write changes it, and recorded once it is done.
    ChangeLog pending;
    RecordingProfiles view(real_, RecordingMode::PassThrough, pending);
    view.apply(file, section, key, value);
    const platform::CallResult result = real_.writeString(file, section, key, value);
    if (result.ok())
        for (const RowChanges& row : pending.byRow())
            for (const Change& c : row.changes) log_.record(c.kind, c.target, c.before, c.after);
    return result;
}

platform::CallResult RecordingProfiles::writeStrings(std::string_view file,
                                                     const std::vector<platform::ProfileWrite>& writes) {
    if (mode_ == RecordingMode::DryRun) {
        for (const platform::ProfileWrite& w : writes) apply(file, w.section, w.key, w.value);
        return platform::CallResult();
    }
    // In one go on the machine: the keys are read before it, each once, in order.
    ChangeLog pending;
    RecordingProfiles view(real_, RecordingMode::DryRun, pending);
    for (const platform::ProfileWrite& w : writes) view.apply(file, w.section, w.key, w.value);
    const platform::CallResult result = real_.writeStrings(file, writes);
    if (result.ok())
        for (const RowChanges& row : pending.byRow())
            for (const Change& c : row.changes) log_.record(c.kind, c.target, c.before, c.after);
    return result;
}

}  // namespace hastelyn::recording
