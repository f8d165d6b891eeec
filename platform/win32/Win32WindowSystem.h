#pragma once
// Named mutexes and top-level windows through the wide API (CreateMutexW, FindWindowW,
// PostMessageW, SendMessageW ...); names and titles cross as UTF-8.
//
// The program's own windows (createWindow) are hidden top-level windows of a class registered
// here, so that FindWindow in another process finds them by class name and title. Their
// window procedure keeps the messages the program acts on for takeMessages, and does nothing
// else with them: WM_ACTIVATE, WM_CLOSE (the window is not destroyed), WM_QUIT and every message
// from WM_USER on; the others get the default handling. takeMessages also delivers what waits in
// the thread's queue for these windows, so it is to be called from the thread that made them.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace hastelyn::win32 {

class Win32WindowSystem final : public platform::WindowSystem {
public:
    Win32WindowSystem() = default;
    // Destroys this object's windows; mutex handles stay the caller's to close.
    ~Win32WindowSystem() override;
    Win32WindowSystem(const Win32WindowSystem&) = delete;
    Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

    long openMutex(std::string_view name, platform::ObjectHandle& out) override;
    long createMutex(std::string_view name, platform::ObjectHandle& out) override;
    long waitForMutex(platform::ObjectHandle mutex) override;
    bool releaseMutex(platform::ObjectHandle mutex) override;
    bool closeHandle(platform::ObjectHandle handle) override;

    platform::WindowHandle findWindow(std::string_view className, std::string_view title) override;
    bool setForegroundWindow(platform::WindowHandle window) override;
    bool postMessage(platform::WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                     std::int64_t lParam) override;
    // A window of this thread runs its procedure at once (SendMessageW) and gives its result;
    // a window of another thread or process gets the message without waiting for it
    // (SendNotifyMessageW), and the result is 0.
    std::intptr_t sendMessage(platform::WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                              std::int64_t lParam) override;

    platform::WindowHandle createWindow(std::string_view className, std::string_view title) override;
    bool destroyWindow(platform::WindowHandle window) override;
    std::vector<platform::WindowMessage> takeMessages() override;

    // The oldest of this object's windows, or none: the owner of what the shell starts.
    platform::WindowHandle ownerWindow() const;

    // For the window procedure.
    void keep(const platform::WindowMessage& message) { messages_.push_back(message); }

private:
    std::vector<platform::WindowHandle> own_;
    std::vector<std::wstring> classes_;
    std::vector<platform::WindowMessage> messages_;
};

}  // namespace hastelyn::win32
