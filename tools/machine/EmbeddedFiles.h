#pragma once
// The files of tools/images, carried inside the program (generated at build time by
// cmake/EmbedFiles.cmake).
#include <cstddef>
#include <span>
#include <string_view>

namespace hastelyn::images {

struct EmbeddedFile {
    std::string_view path;  // relative to tools/images, with forward slashes: "xp/image.ini"
    const unsigned char* data;
    std::size_t size;

    std::string_view text() const { return {reinterpret_cast<const char*>(data), size}; }
};

// Every file, sorted by path.
std::span<const EmbeddedFile> embeddedImageFiles();

}  // namespace hastelyn::images
