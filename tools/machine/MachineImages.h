#pragma once
// Machine images: descriptions of Windows machines (one per edition) that the program carries,
// and the builder that turns one into a sandbox machine folder (platform/sandbox/README.md).
//
// An image is a folder of tools/images holding image.ini, which names the image's machine.ini,
// the registry fragments of each hive (concatenated in order, so later ones override earlier
// ones), the files to place on the drives, empty folders to create and file attributes.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace hastelyn::images {

// The machine made on first run when none exists: Windows XP Professional SP2.
inline constexpr std::string_view kDefaultImage = "xp";

struct ImageInfo {
    std::string name;   // "xp", used with buildMachine
    std::string title;  // "Windows XP Professional Service Pack 2"
};

// Every image the program carries, sorted by name.
std::vector<ImageInfo> listImages();

// Makes the machine of imageName in targetFolder (created when missing): machine.ini,
// registry/<ROOT>.reg, the drives' files and folders and attributes.ini. machine.ini is
// written last, so a folder that has it holds a complete machine. Refuses a target that is
// neither missing nor an empty folder (a machine.ini there or not: a machine that lost it still
// holds hives and drives). Returns an empty text on success, otherwise what went wrong.
[[nodiscard]] std::string buildMachine(std::string_view imageName, const std::filesystem::path& targetFolder);

}  // namespace hastelyn::images
