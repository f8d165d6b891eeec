#include "ui/qt/Forms.h"

namespace hastelyn::ui {

TFrmMain* FrmMain = nullptr;
TFrmCompact* FrmCompact = nullptr;
TFrmRestore* FrmRestore = nullptr;
TFrmSub* FrmSub = nullptr;

}  // namespace hastelyn::ui
