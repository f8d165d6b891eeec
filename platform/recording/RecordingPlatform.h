#pragma once
// A platform that records what a run changes, over the platform of a machine: the registry,
// profile files, files, started commands and window messages go through the recording layer;
// facts about the system, services' states and the meters are only read and pass through.
#include "platform/Platform.h"
#include "platform/recording/ChangeLog.h"
#include "platform/recording/RecordingFiles.h"
#include "platform/recording/RecordingProfiles.h"
#include "platform/recording/RecordingRegistry.h"
#include "platform/recording/RecordingShell.h"

namespace hastelyn::recording {

class RecordingPlatform {
public:
    RecordingPlatform(platform::Platform& real, RecordingMode mode);
    RecordingPlatform(const RecordingPlatform&) = delete;
    RecordingPlatform& operator=(const RecordingPlatform&) = delete;

    platform::Platform& platform() { return platform_; }
    ChangeLog& log() { return log_; }
    RecordingMode mode() const { return mode_; }

private:
    RecordingMode mode_;
    ChangeLog log_;
    RecordingRegistry registry_;
    RecordingProfiles profiles_;
    RecordingFiles files_;
    RecordingShell shell_;
    RecordingWindows windows_;
    platform::Platform platform_;
};

}  // namespace hastelyn::recording
