#pragma once
// What a platform call that can fail gives back: the Windows error code of its outcome
// (win32error::Success when it did its work). It cannot be dropped ([[nodiscard]]) and turns
// into neither a bool nor a number by itself: the caller asks ok() or code(), so that a test
// written for "true means done" does not compile instead of reading Success as a failure.
#include "platform/Win32Types.h"

namespace hastelyn::platform {

class [[nodiscard]] CallResult {
public:
    constexpr CallResult() = default;
    constexpr explicit CallResult(long code) : code_(code) {}

    [[nodiscard]] constexpr bool ok() const { return code_ == win32error::Success; }
    [[nodiscard]] constexpr long code() const { return code_; }

    constexpr bool operator==(const CallResult&) const = default;

private:
    long code_ = win32error::Success;
};

}  // namespace hastelyn::platform
