#pragma once
// The program's settings file: an INI file beside the program, read key by key at the moment
// of use and written as soon as a setting changes. Nothing is cached.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/ProfileValues.h"

namespace hastelyn::foundation {

// Section names.
inline constexpr std::string_view kGeneralSection = "環境設定";
inline constexpr std::string_view kDisabledItemSection = "DisabledItem";

// The program's path with its extension replaced by ".ini" (appended when there is none).
std::string settingsPathFor(std::string_view programPath);

class Settings {
public:
    Settings(ProfileValues& profiles, std::string path) : profiles_(profiles), path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    // "NULL" when the file or key is absent.
    std::string read(std::string_view section, std::string_view key) const;
    // Throws CommandError naming the file when the write is refused; "NULL" writes nothing.
    void write(std::string_view section, std::string_view key, std::string_view value);
    void remove(std::string_view section, std::string_view key);
    std::unique_ptr<std::vector<std::string>> keys(std::string_view section) const;

    // A setting of the general section.
    std::string general(std::string_view key) const { return read(kGeneralSection, key); }
    // "Sound" is "On".
    bool soundOn() const { return general("Sound") == "On"; }

    ProfileValues& profiles() const { return profiles_; }

private:
    ProfileValues& profiles_;
    std::string path_;
};

}  // namespace hastelyn::foundation
