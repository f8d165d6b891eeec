#include "engine/Session.h"

namespace hastelyn::engine {

// The settings path is known from the program's own path, so it is set here rather than at
// the path-detection step: every setting read, even one early in start-up, finds its file.
Session::Session(platform::Platform& platform, foundation::Clipboard& clipboard, foundation::DialogProvider& dialogs,
                 foundation::SpeechSynthesizer* synthesizer)
    : platform(platform),
      registry(platform),
      profiles(platform),
      settings(profiles, foundation::settingsPathFor(platform.system.programPath())),
      speech(settings, clipboard, synthesizer),
      dialogs(dialogs, speech, settings) {}

}  // namespace hastelyn::engine
