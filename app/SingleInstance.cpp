#include "app/SingleInstance.h"

#include "platform/Win32Types.h"

namespace hastelyn::app {

constexpr const char* kMutexName = "KelvarixPC";

SingleInstance::~SingleInstance() {
    if (mutex_) {
        windows_.releaseMutex(mutex_);
        windows_.closeHandle(mutex_);
    }
}

bool SingleInstance::claim() {
    platform::ObjectHandle existing;
    if (windows_.openMutex(kMutexName, existing) == platform::win32error::Success) {
        bringFirstInstanceForward();
        windows_.closeHandle(existing);
        return false;
    }
    // Two programs starting at the same moment both find no mutex; the second to create it
    // learns that it already exists.
    if (windows_.createMutex(kMutexName, mutex_) == platform::win32error::AlreadyExists) {
        bringFirstInstanceForward();
        windows_.closeHandle(mutex_);
        mutex_ = {};
        return false;
    }
    return true;
}

void SingleInstance::bringFirstInstanceForward() {
    const platform::WindowHandle main = windows_.findWindow("TFrmMain", "");
    if (main) windows_.setForegroundWindow(main);
}

}  // namespace hastelyn::app
