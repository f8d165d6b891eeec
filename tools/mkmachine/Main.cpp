// hastelyn-mkmachine: makes a sandbox machine folder from one of the carried images.
//   hastelyn-mkmachine --list
//   hastelyn-mkmachine <image> <folder>
#include <cstdio>
#include <string_view>

#include "tools/machine/MachineImages.h"

namespace images = hastelyn::images;

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--list") {
        for (const images::ImageInfo& image : images::listImages()) {
            std::printf("%-6s %s%s\n", image.name.c_str(), image.title.c_str(),
                        image.name == images::kDefaultImage ? " (default)" : "");
        }
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: hastelyn-mkmachine <image> <folder>\n       hastelyn-mkmachine --list\n");
        return 2;
    }
    const std::string error = images::buildMachine(argv[1], argv[2]);
    if (!error.empty()) {
        std::fprintf(stderr, "hastelyn-mkmachine: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
