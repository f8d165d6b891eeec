#pragma once
// The program's four windows, one each, made at start in this order and kept until the end.
namespace hastelyn::ui {

class TFrmMain;
class TFrmCompact;
class TFrmRestore;
class TFrmSub;

extern TFrmMain* FrmMain;
extern TFrmCompact* FrmCompact;
extern TFrmRestore* FrmRestore;
extern TFrmSub* FrmSub;

}  // namespace hastelyn::ui
