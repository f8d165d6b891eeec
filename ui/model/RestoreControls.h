#pragma once
// The save-and-restore window's controls: a white panel holding the close button, the page
// control with its two pages of two glyph buttons each, and the commentary memo under them.
#include <string_view>

#include "ui/model/Control.h"
#include "ui/model/RestoreTexts.h"

namespace hastelyn::ui::model::restore::controls {

using enum ControlKind;

inline constexpr Control FrmRestore{"FrmRestore", Panel, {0, 0, 527, 312}, texts::kCaption, {}, {}, {}, {}};
inline constexpr Control Panel1{"Panel1", Panel, {6, 6, 515, 300}, {}, {}, {}, {}, "FrmRestore"};
inline constexpr Control BtnCancel{"BtnCancel", Button, {423, 268, 80, 25}, texts::kCancelCaption, {},
                                   texts::kCancelSpoken, {}, "Panel1", 0};
// The page control speaks the text of its page (pageSpoken).
inline constexpr Control PgRestore{"PgRestore", Pages, {8, 8, 499, 122}, {}, {}, {}, {}, "Panel1", 1};
inline constexpr Control Comment{"Comment", Memo, {8, 136, 499, 126}, {}, {}, {}, {}, "Panel1"};

inline constexpr Control TbKelvarix{"TbKelvarix", Page, {}, texts::kPcPageCaption, {}, {}, {}, "PgRestore", 0};
inline constexpr Control LblPcHeading{"LblPcHeading", Label, {12, 10, 300, 16}, texts::kPcHeading, {}, {}, {}, "TbKelvarix"};
inline constexpr Control BtnBackup{"BtnBackup", Button, {24, 36, 41, 41}, {}, {}, texts::kBackupSpoken,
                                   "restore-backup", "TbKelvarix", 0};
inline constexpr Control LblBackup{"LblBackup", Label, {72, 48, 180, 16}, texts::kBackupLabel, {}, {}, {}, "TbKelvarix"};
inline constexpr Control BtnRecovery{"BtnRecovery", Button, {250, 36, 41, 41}, {}, {}, texts::kRecoverySpoken,
                                     "restore-recovery", "TbKelvarix", 1};
inline constexpr Control LblRecovery{"LblRecovery", Label, {298, 48, 180, 16}, texts::kRecoveryLabel, {}, {}, {}, "TbKelvarix"};
inline constexpr Control ImgKelvarix{"ImgKelvarix", Picture, {447, 8, 32, 32}, {}, {}, {}, "restore-pc.png", "TbKelvarix"};

inline constexpr Control TbOE{"TbOE", Page, {}, texts::kMailPageCaption, {}, {}, {}, "PgRestore", 1};
inline constexpr Control LblMailHeading{"LblMailHeading", Label, {12, 10, 300, 16}, texts::kMailHeading, {}, {}, {}, "TbOE"};
inline constexpr Control BtnBackupOE{"BtnBackupOE", Button, {24, 36, 41, 41}, {}, {}, texts::kBackupOESpoken,
                                     "restore-backup-oe", "TbOE", 0};
inline constexpr Control LblBackupOE{"LblBackupOE", Label, {72, 48, 180, 16}, texts::kBackupOELabel, {}, {}, {}, "TbOE"};
inline constexpr Control BtnRecoveryOE{"BtnRecoveryOE", Button, {250, 36, 41, 41}, {}, {}, texts::kRecoveryOESpoken,
                                       "restore-recovery-oe", "TbOE", 1};
inline constexpr Control LblRecoveryOE{"LblRecoveryOE", Label, {298, 48, 180, 16}, texts::kRecoveryOELabel, {}, {}, {}, "TbOE"};
inline constexpr Control ImgOE{"ImgOE", Picture, {447, 8, 32, 32}, {}, {}, {}, "restore-mail.png", "TbOE"};

// The pages in their order, and what sits on each.
inline constexpr const Control* kPages[] = {&TbKelvarix, &TbOE};

struct PageContents {
    const Control* heading;
    const Control* buttons[2];
    const Control* labels[2];  // beside each button, naming it
    const Control* picture;
};
inline constexpr PageContents kPageContents[] = {
    {&LblPcHeading, {&BtnBackup, &BtnRecovery}, {&LblBackup, &LblRecovery}, &ImgKelvarix},
    {&LblMailHeading, {&BtnBackupOE, &BtnRecoveryOE}, {&LblBackupOE, &LblRecoveryOE}, &ImgOE},
};

// The name a screen reader gives a button of this window: its caption, or for a glyph button the
// text of the label beside it, as it stands. The other controls' names are the front end's rule.
std::string_view accessibleName(const Control& control);

}  // namespace hastelyn::ui::model::restore::controls
