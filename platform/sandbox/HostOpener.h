#pragma once
// Opening a web address or a page in this computer's browser: the desktop's default handler
// (xdg-open, found on PATH), started apart from the program so that it outlives it and never
// holds it up.
#include <filesystem>
#include <optional>
#include <string_view>

namespace hastelyn::sandbox {

// The opener on PATH, or nothing.
std::optional<std::filesystem::path> findHostOpener();

// Starts the opener on the target (an address or a host path) and returns without waiting for
// it. False when there is no opener or it could not be started.
bool openOnHost(std::string_view target);

}  // namespace hastelyn::sandbox
