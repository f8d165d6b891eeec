#include "platform/win32/Win32WindowSystem.h"

#include <windows.h>

#include <algorithm>

#include "platform/Win32Types.h"
#include "platform/win32/WideText.h"

namespace hastelyn::win32 {
namespace {

using platform::WindowHandle;

HWND hwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window.value)); }
WindowHandle handleOf(HWND window) {
    return WindowHandle{static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(window))};
}
HANDLE handle(platform::ObjectHandle object) {
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(object.value));
}
platform::ObjectHandle objectOf(HANDLE object) {
    return platform::ObjectHandle{static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(object))};
}

bool kept(UINT message) {
    return message == WM_ACTIVATE || message == WM_CLOSE || message == WM_QUIT || message >= WM_USER;
}

platform::WindowMessage messageOf(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return {handleOf(window), message, static_cast<std::uint64_t>(wParam), static_cast<std::int64_t>(lParam)};
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Win32WindowSystem*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (owner == nullptr || !kept(message)) return DefWindowProcW(window, message, wParam, lParam);
    owner->keep(messageOf(window, message, wParam, lParam));
    return 0;
}

}  // namespace

Win32WindowSystem::~Win32WindowSystem() {
    for (const WindowHandle window : own_) DestroyWindow(hwnd(window));
    for (const std::wstring& name : classes_) UnregisterClassW(name.c_str(), GetModuleHandleW(nullptr));
}

long Win32WindowSystem::openMutex(std::string_view name, platform::ObjectHandle& out) {
    out = {};
    const HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, widen(name).c_str());
    if (mutex == nullptr) return static_cast<long>(GetLastError());
    out = objectOf(mutex);
    return platform::win32error::Success;
}

long Win32WindowSystem::createMutex(std::string_view name, platform::ObjectHandle& out) {
    out = {};
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, widen(name).c_str());
    const DWORD error = GetLastError();
    if (mutex == nullptr) return static_cast<long>(error);
    out = objectOf(mutex);
    return error == ERROR_ALREADY_EXISTS ? platform::win32error::AlreadyExists : platform::win32error::Success;
}

long Win32WindowSystem::waitForMutex(platform::ObjectHandle mutex) {
    // An abandoned mutex is owned all the same: what its owner guarded may be half done, which
    // is what every reader of the machine is prepared for anyway.
    const DWORD result = WaitForSingleObject(handle(mutex), INFINITE);
    if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) return platform::win32error::Success;
    return static_cast<long>(GetLastError());
}

bool Win32WindowSystem::releaseMutex(platform::ObjectHandle mutex) { return ReleaseMutex(handle(mutex)) != FALSE; }

bool Win32WindowSystem::closeHandle(platform::ObjectHandle object) { return CloseHandle(handle(object)) != FALSE; }

WindowHandle Win32WindowSystem::findWindow(std::string_view className, std::string_view title) {
    const std::wstring wideClass = widen(className);
    const std::wstring wideTitle = widen(title);
    return handleOf(FindWindowW(orNull(wideClass), orNull(wideTitle)));
}

bool Win32WindowSystem::setForegroundWindow(WindowHandle window) { return SetForegroundWindow(hwnd(window)) != FALSE; }

bool Win32WindowSystem::postMessage(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                                    std::int64_t lParam) {
    return PostMessageW(hwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)) != FALSE;
}

std::intptr_t Win32WindowSystem::sendMessage(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                                             std::int64_t lParam) {
    const HWND target = hwnd(window);
    if (GetWindowThreadProcessId(target, nullptr) == GetCurrentThreadId())
        return static_cast<std::intptr_t>(
            SendMessageW(target, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)));
    SendNotifyMessageW(target, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    return 0;
}

WindowHandle Win32WindowSystem::createWindow(std::string_view className, std::string_view title) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::wstring wideClass = widen(className);
    if (std::find(classes_.begin(), classes_.end(), wideClass) == classes_.end()) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = windowProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = wideClass.c_str();
        if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return {};
        classes_.push_back(wideClass);
    }
    const HWND window = CreateWindowExW(0, wideClass.c_str(), widen(title).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    if (window == nullptr) return {};
    own_.push_back(handleOf(window));
    return own_.back();
}

bool Win32WindowSystem::destroyWindow(WindowHandle window) {
    const auto it = std::find(own_.begin(), own_.end(), window);
    if (it == own_.end()) return false;
    own_.erase(it);
    return DestroyWindow(hwnd(window)) != FALSE;
}

std::vector<platform::WindowMessage> Win32WindowSystem::takeMessages() {
    for (const WindowHandle window : own_) {
        MSG message{};
        while (PeekMessageW(&message, hwnd(window), 0, 0, PM_REMOVE)) {
            // A posted WM_QUIT never reaches a window procedure.
            if (message.message == WM_QUIT)
                keep(messageOf(message.hwnd, message.message, message.wParam, message.lParam));
            else
                DispatchMessageW(&message);
        }
    }
    std::vector<platform::WindowMessage> taken;
    taken.swap(messages_);
    return taken;
}

WindowHandle Win32WindowSystem::ownerWindow() const { return own_.empty() ? WindowHandle{} : own_.front(); }

}  // namespace hastelyn::win32
