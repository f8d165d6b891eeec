#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <system_error>

namespace hastelyn::testing {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "hastelyn-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace hastelyn::testing
