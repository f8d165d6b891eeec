#pragma once
// One running program per machine: the named mutex "KelvarixPC", and the main window of the
// first instance brought forward by a second one.
#include "platform/WindowSystem.h"

namespace hastelyn::app {

class SingleInstance {
public:
    explicit SingleInstance(platform::WindowSystem& windows) : windows_(windows) {}
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is the first: it then holds the mutex until it ends. Otherwise
    // the first instance's main window has been asked to come to the front.
    bool claim();

private:
    void bringFirstInstanceForward();

    platform::WindowSystem& windows_;
    platform::ObjectHandle mutex_;
};

}  // namespace hastelyn::app
