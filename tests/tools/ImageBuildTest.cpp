// The builder and the carried images as files: every image makes a complete machine folder, the
// embedded table matches tools/images, and nothing an image names is missing or unused.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "tests/support/FileText.h"
#include "tests/support/TempFolder.h"
#include "tools/machine/EmbeddedFiles.h"
#include "tools/machine/MachineImages.h"

namespace hastelyn::images {
namespace {

namespace fs = std::filesystem;
namespace fileattr = platform::fileattr;
using testing::TempFolder;

const char* const kEditions[] = {"2000", "2003", "95", "98", "me", "nt4", "vista", "xp"};

std::string embedded(std::string_view path) {
    for (const EmbeddedFile& file : embeddedImageFiles())
        if (file.path == path) return std::string(file.text());
    return "<missing " + std::string(path) + ">";
}

bool isNt(std::string_view image) { return image != "95" && image != "98" && image != "me"; }

// Every edition is listed with a title, the default among them, and makes a complete machine.
TEST(MachineImages, EveryListedImageMakesACompleteMachine) {
    std::vector<std::string> names;
    for (const ImageInfo& info : listImages()) {
        const std::string& image = info.name;
        SCOPED_TRACE(image);
        names.push_back(image);
        EXPECT_FALSE(info.title.empty());
        TempFolder temp;
        const fs::path folder = temp.path() / "machine";
        ASSERT_EQ(buildMachine(image, folder), "");

        EXPECT_EQ(testing::fileText(folder / "machine.ini"), embedded(image + "/machine.ini"));
        std::vector<std::string> roots = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER",
                                          "HKEY_LOCAL_MACHINE", "HKEY_USERS"};
        if (!isNt(image)) roots.push_back("HKEY_DYN_DATA");
        std::vector<std::string> hives;
        for (const auto& entry : fs::directory_iterator(folder / "registry")) {
            hives.push_back(entry.path().stem().string());
            const std::string text = testing::fileText(entry.path());
            EXPECT_TRUE(text.starts_with("Windows Registry Editor Version 5.00\n")) << entry.path();
            EXPECT_EQ(text.find("\n;"), std::string::npos) << "comment left in " << entry.path();
        }
        std::sort(hives.begin(), hives.end());
        std::sort(roots.begin(), roots.end());
        EXPECT_EQ(hives, roots);

        sandbox::SandboxPlatform sandbox(folder);
        platform::FileSystem& files = sandbox.files();
        const std::string windows = sandbox.machine().windowsDirectory();
        EXPECT_NE(files.getFileAttributes(windows) & fileattr::Directory, 0u) << windows;
        EXPECT_NE(files.getFileAttributes("C:\\Program Files\\Hastelyn") & fileattr::Directory, 0u);
        EXPECT_EQ(sandbox.system().programPath(), "C:\\Program Files\\Hastelyn\\Hastelyn.exe");
        const auto programFolder = sandbox.machine().mapPath("C:\\Program Files\\Hastelyn");
        ASSERT_TRUE(programFolder);
        EXPECT_TRUE(fs::is_empty(programFolder->host));
        for (const sandbox::Drive& drive : sandbox.machine().drives()) {
            if (drive.type != platform::drivetype::Fixed) continue;
            ASSERT_TRUE(drive.hostFolder) << drive.letter;
            EXPECT_TRUE(fs::is_directory(*drive.hostFolder)) << drive.letter;
        }
        const std::string bootFile = isNt(image) ? "C:\\boot.ini" : "C:\\Msdos.sys";
        const std::uint32_t bootAttributes = image == "vista" ? fileattr::Invalid : 0x27;
        EXPECT_EQ(files.getFileAttributes(bootFile), bootAttributes) << bootFile;
    }
    EXPECT_EQ(names, std::vector<std::string>(std::begin(kEditions), std::end(kEditions)));
    EXPECT_NE(std::find(names.begin(), names.end(), kDefaultImage), names.end());
}

// A folder that lost its machine.ini still holds the machine's hives and drives; only a missing
// or empty folder takes a new machine, and only from a known image.
TEST(MachineImages, BuildsOnlyAKnownImageInAMissingOrEmptyFolder) {
    TempFolder temp;
    for (const char* unknown : {"xp2", "", "common"}) EXPECT_NE(buildMachine(unknown, temp.path() / "other"), "");
    EXPECT_FALSE(fs::exists(temp.path() / "other" / "machine.ini"));
    std::ofstream(temp.path() / "plain-file") << "x";
    EXPECT_NE(buildMachine(kDefaultImage, temp.path() / "plain-file"), "");

    const fs::path machine = temp.path() / "machine";
    ASSERT_EQ(buildMachine(kDefaultImage, machine), "");
    fs::remove(machine / "machine.ini");
    std::ofstream(machine / "registry" / "HKEY_CURRENT_USER.reg") << "kept";
    const std::string problem = buildMachine(kDefaultImage, machine);
    EXPECT_NE(problem.find(machine.string()), std::string::npos) << problem;
    EXPECT_EQ(testing::fileText(machine / "registry" / "HKEY_CURRENT_USER.reg"), "kept");
    EXPECT_FALSE(fs::exists(machine / "machine.ini"));

    fs::create_directories(temp.path() / "stray");
    std::ofstream(temp.path() / "stray" / "notes.txt") << "x";
    EXPECT_NE(buildMachine(kDefaultImage, temp.path() / "stray"), "");
    EXPECT_EQ(testing::filesBelow(temp.path() / "stray").size(), 1u);

    fs::create_directories(temp.path() / "empty");
    EXPECT_EQ(buildMachine(kDefaultImage, temp.path() / "empty"), "");
    EXPECT_TRUE(fs::exists(temp.path() / "empty" / "machine.ini"));
}

// The table is regenerated from tools/images at build time: a stale or lossy table shows here.
TEST(MachineImages, EmbeddedFilesAreExactlyTheImageFolder) {
    const fs::path source = fs::path(HASTELYN_SOURCE_DIR) / "tools" / "images";
    ASSERT_TRUE(fs::is_directory(source)) << source;
    std::set<std::string> onDisk;
    for (const auto& entry : fs::recursive_directory_iterator(source))
        if (entry.is_regular_file()) onDisk.insert(fs::relative(entry.path(), source).generic_string());

    std::set<std::string> carried;
    std::string previous;
    for (const EmbeddedFile& file : embeddedImageFiles()) {
        EXPECT_LT(previous, file.path) << "table not sorted";
        previous = file.path;
        carried.insert(std::string(file.path));
        EXPECT_EQ(file.text(), testing::fileText(source / file.path)) << file.path;
    }
    EXPECT_EQ(carried, onDisk);
}

// Every file of the image folder is used by some image (a misspelt name in an image.ini would
// otherwise leave a fragment silently out), and every file an image names exists.
TEST(MachineImages, EveryImageFileIsUsedAndEveryNamedFileExists) {
    std::set<std::string> named;
    for (const char* image : kEditions) {
        named.insert(std::string(image) + "/image.ini");
        std::istringstream lines(embedded(std::string(image) + "/image.ini"));
        std::string section, line;
        while (std::getline(lines, line)) {
            if (line.empty() || line[0] == ';') continue;
            if (line[0] == '[') {
                section = line;
                continue;
            }
            std::string file;
            if (section.starts_with("[HKEY_")) file = line;
            if (section == "[Files]" || (section == "[Image]" && line.starts_with("Machine=")))
                file = line.substr(line.find('=') + 1);
            if (file.empty()) continue;
            named.insert(file);
            EXPECT_FALSE(embedded(file).starts_with("<missing")) << image << " names " << file;
        }
    }
    for (const EmbeddedFile& file : embeddedImageFiles())
        EXPECT_TRUE(named.count(std::string(file.path))) << file.path << " is used by no image";
}

}  // namespace
}  // namespace hastelyn::images
