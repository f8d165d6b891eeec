#pragma once
// The files of resources/pictures, carried inside the program (generated at build time by
// cmake/EmbedFiles.cmake). Use ui/Pictures.h rather than this table.
#include <cstddef>
#include <span>
#include <string_view>

namespace hastelyn::ui {

struct EmbeddedFile {
    std::string_view path;  // relative to resources/pictures: "title.jpg", "glyphs/accelerate.png"
    const unsigned char* data;
    std::size_t size;
};

// Every file, sorted by path.
std::span<const EmbeddedFile> embeddedPictures();

}  // namespace hastelyn::ui
