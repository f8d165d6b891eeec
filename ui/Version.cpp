#include "ui/Version.h"

namespace hastelyn::ui {

QString programVersion() { return QStringLiteral(HASTELYN_VERSION); }

}  // namespace hastelyn::ui
