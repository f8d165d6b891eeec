#pragma once
// Profile files behind the recording: every key written or removed, with what it held before;
// in a dry run the writes stay in an overlay of keys that the run's own reads see.
#include <map>
#include <string>
#include <vector>

#include "platform/ProfileFiles.h"
#include "platform/recording/ChangeLog.h"

namespace hastelyn::recording {

class RecordingProfiles : public platform::ProfileFiles {
public:
    RecordingProfiles(platform::ProfileFiles& real, RecordingMode mode, ChangeLog& log)
        : real_(real), mode_(mode), log_(log) {}

    std::string getString(std::string_view file, std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize) override;
    std::vector<std::string> getKeyNames(std::string_view file, std::string_view section, std::size_t bufferSize) override;
    [[nodiscard]] platform::CallResult writeString(std::string_view file, std::string_view section,
                                                   std::optional<std::string_view> key,
                                                   std::optional<std::string_view> value) override;
    [[nodiscard]] platform::CallResult writeStrings(std::string_view file,
                                                    const std::vector<platform::ProfileWrite>& writes) override;

private:
    struct Section {
        bool removed = false;  // the file's own keys of the section are gone
        std::vector<std::pair<std::string, std::optional<std::string>>> keys;  // nullopt: removed
    };
    std::optional<std::string> current(std::string_view file, std::string_view section, std::string_view key);
    std::vector<std::string> currentKeys(std::string_view file, std::string_view section);
    // Records (and in a dry run keeps) the writes that one writeString makes.
    void apply(std::string_view file, std::string_view section, std::optional<std::string_view> key,
               std::optional<std::string_view> value);
    Section& section(std::string_view file, std::string_view section);
    const Section* findSection(std::string_view file, std::string_view section) const;

    platform::ProfileFiles& real_;
    RecordingMode mode_;
    ChangeLog& log_;
    std::map<std::string, Section> sections_;  // by file and section in upper case
};

}  // namespace hastelyn::recording
