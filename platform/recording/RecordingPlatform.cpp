#include "platform/recording/RecordingPlatform.h"

namespace hastelyn::recording {

RecordingPlatform::RecordingPlatform(platform::Platform& real, RecordingMode mode)
    : mode_(mode),
      registry_(real.registry, mode, log_),
      profiles_(real.profiles, mode, log_),
      files_(real.files, mode, log_),
      shell_(real.shell, mode, log_),
      windows_(real.windows, mode, log_),
      platform_{registry_, profiles_, files_, real.system, shell_, windows_, real.services, real.meters} {}

}  // namespace hastelyn::recording
