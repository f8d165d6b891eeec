#pragma once
// The platform on a real Windows system, through the Win32 API.
//
// Text: the program's UTF-8 crosses the interface and every call goes to the wide (W) API, the
// text converted at the edge (MultiByteToWideChar / WideCharToMultiByte with CP_UTF8), so that
// Japanese key, value, section, file and window names work on any system, whatever its ANSI
// code page. Where the interface promises the bytes or the sizes of the ANSI API, UTF-8 stands
// for the ANSI code page: registry string data is UTF-8 with its NULs, its sizes counted in
// those bytes (Win32Registry.h). Where it promises a cut to an ANSI buffer (the profile
// functions), the cut counts bytes of the system's real ANSI code page (Win32Profiles.h).
// Profile files the program creates are Unicode files, so that their names survive too.
#include "platform/Platform.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Meters.h"
#include "platform/win32/Win32Profiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ServiceManager.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32WindowSystem.h"

namespace hastelyn::win32 {

class Win32Platform {
public:
    Win32Platform();
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    platform::Platform& platform() { return platform_; }

private:
    Win32Registry registry_;
    Win32Profiles profiles_;
    Win32FileSystem files_;
    Win32SystemInfo system_;
    Win32WindowSystem windows_;
    Win32Shell shell_;
    Win32ServiceManager services_;
    Win32Meters meters_;
    platform::Platform platform_;
};

}  // namespace hastelyn::win32
