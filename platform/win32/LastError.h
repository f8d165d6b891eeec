#pragma once
// The error of the last failed call of the file system or the profile files, kept for
// FileSystem::lastError(): reading GetLastError later would see whatever ran in between.

namespace hastelyn::win32 {

struct LastError {
    long code = 0;
};

}  // namespace hastelyn::win32
