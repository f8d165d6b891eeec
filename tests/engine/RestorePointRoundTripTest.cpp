// A restore point taken on a carried image, every row and service changed, then the restore
// point put back: the machine is as it was, but for what the file cannot hold.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <set>

#include "engine/RestorePoint.h"
#include "foundation/OpenKey.h"
#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

using testing::EngineFixture;

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The registry as "ROOT\key\" for every key and "ROOT\key\name" -> type and bytes for every
// value (names in lower case). Compared this way rather than by the hive files' bytes: the
// images are written by hand (expand:"..."), which the sandbox writes back in regedit's own form,
// and a value deleted and written again moves to the end of its key.
using RegistryDump = std::map<std::string, std::string>;

void dumpKey(platform::Registry& registry, platform::RootKey root, const std::string& path, RegistryDump& out) {
    foundation::OpenKey key(registry, root, path, platform::KeyAccess::Query);
    if (!key) return;
    const std::string prefix = std::string(platform::rootKeyName(root)) + "\\" + lower(path) + "\\";
    out[prefix] = "";
    std::string name;
    for (std::uint32_t i = 0; registry.enumValue(key.handle(), i, name) == platform::win32error::Success; ++i) {
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        registry.queryValue(key.handle(), name, &type, nullptr, &size);
        std::string data(size, '\0');
        registry.queryValue(key.handle(), name, &type, reinterpret_cast<std::uint8_t*>(data.data()), &size);
        out[prefix + lower(name)] = std::to_string(type) + ":" + data;
    }
    std::vector<std::string> subKeys;
    for (std::uint32_t i = 0; registry.enumKey(key.handle(), i, name) == platform::win32error::Success; ++i)
        subKeys.push_back(name);
    for (const std::string& sub : subKeys) dumpKey(registry, root, path.empty() ? sub : path + "\\" + sub, out);
}

RegistryDump dumpRegistry(platform::Registry& registry) {
    RegistryDump out;
    for (platform::RootKey root :
         {platform::RootKey::LocalMachine, platform::RootKey::CurrentUser, platform::RootKey::ClassesRoot})
        dumpKey(registry, root, "", out);
    return out;
}

// Names of the keys and values that differ, are new or have gone.
std::set<std::string> differences(const RegistryDump& before, const RegistryDump& after) {
    std::set<std::string> out;
    for (const auto& [name, value] : after) {
        const auto it = before.find(name);
        if (it == before.end() || it->second != value) out.insert(name);
    }
    for (const auto& [name, value] : before)
        if (!after.contains(name)) out.insert(name);
    return out;
}

std::string crlf(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

// The settings file without the sections in which rows keep what they changed: the restore
// writes those on purpose.
std::string withoutMemorySections(const std::string& text) {
    static const std::set<std::string> memory = {"[システム9]", "[デスクトップ]", "[デスクトップ10]", "[エクスプローラ]",
                                                 "[その他]", "[不要サービス]"};
    std::string out;
    bool skipping = false;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        std::string line = text.substr(at, end - at);
        const std::string bare = line.substr(0, line.find_first_of("\r\n"));
        if (bare.starts_with("[")) skipping = memory.contains(bare);
        if (!skipping) out += line;
        at = end;
    }
    return out;
}

TEST(RestorePointRoundTrip, EveryRowAndServiceChangedThenRestoredOnXpAnd98) {
    struct Case {
        const char* image;
        const char* bootFile;  // relative to the machine folder
        std::set<std::string> kept;  // nothing: every value comes back
    };
    const std::vector<Case> cases = {{"xp", "drives/C/boot.ini", {}}, {"98", "drives/C/Msdos.sys", {}}};
    const std::string point = "C:\\Program Files\\Hastelyn\\復元ポイント round trip.ini";
    const std::string settings = "drives/C/Program Files/Hastelyn/Hastelyn.ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        EngineFixture fx(c.image);
        Session& s = fx.session();
        readPass(s);
        WriteRestorePoint(s, point);
        const std::uint32_t bootAttributes = fx.platform().files.getFileAttributes(s.paths.boot);
        const RegistryDump registryBefore = dumpRegistry(fx.platform().registry);
        const auto filesBefore = testing::filesBelow(fx.folder());

        for (std::size_t category = 0; category < kTweakCategoryCount; ++category) fx.tickAll(category, true);
        for (Row& row : s.model.services().rows) row.ticked = true;
        applyPass(s);
        // Not a restore of nothing: the apply changed the registry and, on XP, stopped services.
        EXPECT_GT(differences(registryBefore, dumpRegistry(fx.platform().registry)).size(), 10u);
        if (std::string(c.image) == "xp") {
            EXPECT_NE(testing::fileText(fx.folder() / "services.ini"), filesBefore.at("services.ini"));
        }

        ApplyRestorePoint(s, point);
        EXPECT_EQ(differences(registryBefore, dumpRegistry(fx.platform().registry)), c.kept);

        const auto filesAfter = testing::filesBelow(fx.folder());
        // The files the restore writes through the profile functions, which end lines with CR LF.
        for (const std::string& name : {std::string(c.bootFile), std::string("drives/C/WINDOWS/inf/sysoc.inf")}) {
            if (!filesBefore.contains(name)) continue;
            EXPECT_EQ(filesAfter.at(name), crlf(filesBefore.at(name))) << name;
        }
        EXPECT_EQ(withoutMemorySections(filesAfter.at(settings)), withoutMemorySections(filesBefore.at(settings)));
        // Writing the boot file took its read-only attribute away, as every profile write does.
        EXPECT_EQ(fx.platform().files.getFileAttributes(s.paths.boot), bootAttributes & ~platform::fileattr::ReadOnly);
        // Every DLL that regsvr32 touched is registered again, as all were.
        const std::string dlls = filesAfter.at("dlls.ini");
        EXPECT_NE(dlls.find("cabview.dll=1"), std::string::npos) << dlls;
        EXPECT_EQ(dlls.find("=0"), std::string::npos) << dlls;

        // Every other file is as it was, byte for byte (services.ini included), but for the
        // machine's record of events, its window table and locks, and the copy of the boot file
        // kept before its first change.
        const std::set<std::string> elsewhere = {c.bootFile, "drives/C/WINDOWS/inf/sysoc.inf", settings,
                                                 "attributes.ini", "dlls.ini", "journal.log"};
        auto compared = [&](const std::string& name) {
            return !elsewhere.contains(name) && !name.starts_with("registry/") && !name.starts_with("windows/") &&
                   !name.starts_with("locks/") && name != ".state.lock" &&
                   name != std::string(c.bootFile) + ".hastelyn-backup";
        };
        for (const auto& [name, text] : filesAfter) {
            if (!compared(name)) continue;
            const auto before = filesBefore.find(name);
            if (before == filesBefore.end())
                ADD_FAILURE() << "new file " << name;
            else
                EXPECT_TRUE(before->second == text) << name;
        }
        for (const auto& [name, text] : filesBefore) {
            if (compared(name) && !filesAfter.contains(name)) ADD_FAILURE() << "gone: " << name;
        }
    }
}

}  // namespace
}  // namespace hastelyn::engine
