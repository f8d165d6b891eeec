#pragma once
// Started programs, restarts and window messages behind the recording. In a dry run nothing
// starts: a command is recorded and reported as started and at once ended, sleeps are not
// slept, messages to other programs' windows are recorded and not sent. In pass-through each
// is done and recorded when it was.
#include <map>
#include <string>

#include "platform/Shell.h"
#include "platform/WindowSystem.h"
#include "platform/recording/ChangeLog.h"

namespace hastelyn::recording {

// A command line as it is recorded: `net start|stop "name"` as the service it starts or stops,
// every other one as a command.
void recordCommandLine(ChangeLog& log, std::string_view commandLine);

class RecordingShell : public platform::Shell {
public:
    RecordingShell(platform::Shell& real, RecordingMode mode, ChangeLog& log) : real_(real), mode_(mode), log_(log) {}

    std::uint32_t winExec(std::string_view commandLine, int showCommand) override;
    std::intptr_t shellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                               std::string_view directory, int showCommand) override;
    long createProcess(std::string_view commandLine, platform::ObjectHandle& process) override;
    std::uint32_t waitForSingleObject(platform::ObjectHandle process, std::uint32_t milliseconds) override;
    bool closeProcess(platform::ObjectHandle process) override;
    void sleep(std::uint32_t milliseconds) override;
    bool enableShutdownPrivilege() override;
    bool exitWindows(std::uint32_t flags) override;

private:
    // The handle a dry run gives for a process it did not start.
    static constexpr std::uint64_t kNotStarted = 0x7FFF0001;

    platform::Shell& real_;
    RecordingMode mode_;
    ChangeLog& log_;
};

class RecordingWindows : public platform::WindowSystem {
public:
    RecordingWindows(platform::WindowSystem& real, RecordingMode mode, ChangeLog& log)
        : real_(real), mode_(mode), log_(log) {}

    long openMutex(std::string_view name, platform::ObjectHandle& out) override { return real_.openMutex(name, out); }
    // A dry run makes no mutex others could see: it gets one of its own, unnamed.
    long createMutex(std::string_view name, platform::ObjectHandle& out) override {
        return real_.createMutex(mode_ == RecordingMode::DryRun ? std::string_view() : name, out);
    }
    long waitForMutex(platform::ObjectHandle mutex) override { return real_.waitForMutex(mutex); }
    bool releaseMutex(platform::ObjectHandle mutex) override { return real_.releaseMutex(mutex); }
    bool closeHandle(platform::ObjectHandle handle) override { return real_.closeHandle(handle); }
    platform::WindowHandle findWindow(std::string_view className, std::string_view title) override;
    bool setForegroundWindow(platform::WindowHandle window) override;
    bool postMessage(platform::WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                     std::int64_t lParam) override;
    std::intptr_t sendMessage(platform::WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                              std::int64_t lParam) override;
    platform::WindowHandle createWindow(std::string_view className, std::string_view title) override {
        return real_.createWindow(className, title);
    }
    bool destroyWindow(platform::WindowHandle window) override { return real_.destroyWindow(window); }
    std::vector<platform::WindowMessage> takeMessages() override { return real_.takeMessages(); }

private:
    std::string windowName(platform::WindowHandle window) const;

    platform::WindowSystem& real_;
    RecordingMode mode_;
    ChangeLog& log_;
    std::map<std::uint64_t, std::string> found_;  // windows found, by the class and title asked
};

}  // namespace hastelyn::recording
