// hastelyn-cli-docs PAGE OUT: writes the manual page ("man") or the bash completion
// ("completion") of hastelyn-cli to OUT, replacing it whole. Run by the build.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "app/cli/docs/DocPages.h"

int main(int argc, char** argv) {
    const std::string_view page = argc == 3 ? argv[1] : "";
    if (page != "man" && page != "completion") {
        std::fprintf(stderr, "usage: hastelyn-cli-docs man|completion OUT\n");
        return 2;
    }
    const std::string text = page == "man" ? hastelyn::cli::manPage() : hastelyn::cli::bashCompletion();
    const std::filesystem::path out = argv[2];
    const std::filesystem::path temporary = out.string() + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << text;
        if (!file.flush()) {
            std::fprintf(stderr, "hastelyn-cli-docs: cannot write %s\n", temporary.c_str());
            return 1;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, out, ec);
    if (ec) {
        std::fprintf(stderr, "hastelyn-cli-docs: cannot write %s: %s\n", out.c_str(), ec.message().c_str());
        return 1;
    }
    return 0;
}
