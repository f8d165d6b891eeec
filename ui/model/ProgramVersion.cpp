#include "ui/model/ProgramVersion.h"

namespace hastelyn::ui::model {

std::string_view programVersion() { return HASTELYN_VERSION; }

}  // namespace hastelyn::ui::model
