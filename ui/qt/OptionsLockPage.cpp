// The options window's locked-items page: one box per lockable row, button and field of the
// main window, and one for the whole services list.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <tuple>

#include "engine/OptionSettings.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/LockedControls.h"
#include "ui/qt/OptionsPageLayout.h"
#include "ui/qt/OptionsWindow.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

struct LockRow {
    const char* heading;
    std::size_t boxes;
};
// The rows of boxes in the order of engine::lockKeys().
constexpr std::array<LockRow, 8> kLockRows = {{{"■ システム", 10}, {"■ デスクトップ", 10}, {"■ エクスプローラ", 10},
                                               {"■ 起動・終了", 10}, {"■ その他", 10}, {"■ ユーティリティ", 10},
                                               {"■ パソコン情報", 3}, {"■ 不要サービス", 1}}};

constexpr int kFirstRowTop = 40;
constexpr int kRowHeight = 30;
constexpr int kBoxesLeft = 104;
constexpr int kBoxWidth = 30;
constexpr int kLastBoxWidth = 38;  // room for "10"

}  // namespace

void TFrmSub::buildLockPage() {
    QGroupBox* locks = layout::group(TbDisabled, "GrpDisabled", "■ 無効機能の指定", 2, 318);
    auto* note = place<QLabel>(locks, "LblDisabledNote", 10, 18, layout::kRowWidth, 18);
    note->setText(u8("※ 安全や管理上の理由から、設定を変更させたくない項目を選択します。"));
    const std::vector<std::string>& keys = engine::lockKeys();
    std::size_t key = 0;
    for (std::size_t row = 0; row < kLockRows.size(); ++row) {
        const int top = kFirstRowTop + static_cast<int>(row) * kRowHeight;
        const QString heading = u8(kLockRows[row].heading);
        auto* label = place<QLabel>(locks, "", 10, top, kBoxesLeft - 12, 18);
        label->setText(heading);
        for (std::size_t i = 0; i < kLockRows[row].boxes; ++i, ++key) {
            const std::string name = "Chc" + keys[key];
            const bool whole = kLockRows[row].boxes == 1;
            const bool last = i + 1 == kLockRows[row].boxes;
            auto* box = place<QCheckBox>(locks, name.c_str(), kBoxesLeft + static_cast<int>(i) * kBoxWidth, top,
                                         whole ? 160 : last ? kLastBoxWidth : kBoxWidth, 18);
            box->setText(whole ? u8("全てのサービス") : QString::number(i + 1));
            // A screen reader hears which list the number belongs to.
            box->setAccessibleName(heading.mid(2) + " " + box->text());
            lockBoxes.push_back(box);
        }
    }
    std::tie(BtnOKD, BtnCloseOK) = layout::pageButtons(TbDisabled, "BtnOKD", "BtnCloseOK");
    connect(BtnOKD, &QPushButton::clicked, this, &TFrmSub::BtnOKDClick);
    connect(BtnCloseOK, &QPushButton::clicked, this, &TFrmSub::close);
}

void TFrmSub::loadLockPage() {
    const std::vector<std::string>& keys = engine::lockKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const engine::LockBox stored = engine::readLockBox(session_.settings, keys[i]);
        lockBoxes[i]->setChecked(stored.ticked);
        lockBoxes[i]->setEnabled(stored.enabled);
    }
}

void TFrmSub::BtnOKDClick() {
    runCommand([this] {
        const std::vector<std::string>& keys = engine::lockKeys();
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (lockBoxes[i]->isEnabled()) engine::writeLockBox(session_.settings, keys[i], lockBoxes[i]->isChecked());
        applyLockedItems(main_, session_);
    });
}

}  // namespace hastelyn::ui
