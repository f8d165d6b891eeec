#pragma once
// The outcome of a Win32 call that just failed, read at once: GetLastError read later would
// see whatever ran in between.
#include <windows.h>

#include "platform/CallResult.h"

namespace hastelyn::win32 {

inline platform::CallResult lastCallError() { return platform::CallResult(static_cast<long>(GetLastError())); }

}  // namespace hastelyn::win32
