#pragma once
// A service's current state as the text the program shows and stores ("停止中", "開始中", ...).
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {

// The status name of a stopped service, as shown and stored.
inline constexpr std::string_view kStopped = "停止中";

// "不明" when the manager or the service cannot be opened or the query fails.
std::string GetServiceStatusName(platform::Platform& platform, std::string_view serviceKeyName);

}  // namespace hastelyn::engine
