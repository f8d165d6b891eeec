#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes.
#include <filesystem>

namespace hastelyn::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace hastelyn::testing
