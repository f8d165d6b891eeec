#include "foundation/Migration.h"

#include <string>

#include "foundation/RegistryValues.h"

namespace hastelyn::foundation {
namespace {

struct OlderFiles {
    std::string current;  // this edition's file name in the current folder
    std::string older;    // the older edition's
};

std::string inFolder(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    return path + std::string(name);
}

// Every key of a section of another file into the settings; "NULL" values are skipped by the
// writer.
void copySection(Settings& settings, const std::string& file, std::string_view section) {
    ProfileValues& profiles = settings.profiles();
    const auto keys = profiles.GetProfileSectionKeys(file, section);
    for (const std::string& key : *keys) settings.write(section, key, profiles.ReadProfileValue(file, section, key));
}

// This edition's value, or the older edition's where this edition has none.
std::string eitherValue(Settings& settings, const OlderFiles& files, std::string_view section, std::string_view key) {
    ProfileValues& profiles = settings.profiles();
    std::string value = profiles.ReadProfileValue(files.current, section, key);
    if (value == kNull || value.empty()) value = profiles.ReadProfileValue(files.older, section, key);
    return value;
}

}  // namespace

void migrateOlderSettings(Settings& settings, std::string_view currentDirectory) {
    if (settings.general("TransitOption") != kNull) return;

    const OlderFiles files{inFolder(currentDirectory, "Hastelyn.ini"), inFolder(currentDirectory, "Tervossa.ini")};
    ProfileValues& profiles = settings.profiles();

    copySection(settings, files.current, kGeneralSection);

    constexpr std::string_view kSysoc = "システム9";
    const bool currentHasSysoc = !profiles.GetProfileSectionKeys(files.current, kSysoc)->empty();
    copySection(settings, currentHasSysoc ? files.current : files.older, kSysoc);

    settings.write("デスクトップ", "7", eitherValue(settings, files, "デスクトップ", "7"));
    settings.write("デスクトップ10", "Security Center",
                   profiles.ReadProfileValue(files.current, "デスクトップ10", "Security Center"));
    settings.write("エクスプローラ", "8", eitherValue(settings, files, "エクスプローラ", "8"));

    // The kept menu-animation mask: a first byte of B0 (animations off, the ticked state itself)
    // is kept as BE, the same mask with the menu, combo-box and list-box animations on.
    std::string others6 = eitherValue(settings, files, "その他", "6");
    if (others6.ends_with("B0")) others6.replace(others6.size() - 2, 2, "BE");
    settings.write("その他", "6", others6);

    copySection(settings, files.current, "不要サービス");
    settings.write(kGeneralSection, "TransitOption", "1");
}

}  // namespace hastelyn::foundation
