// The options window's locked-items page: one box per lockable row, button and field of the
// main window, and one for the whole services list.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "ui/qt/CommandErrors.h"
#include "ui/qt/OptionsWindow.h"

namespace hastelyn::ui {

namespace ctl = model::options::controls;

void TFrmSub::buildLockPage() {
    QGroupBox* locks = group(TbDisabled, ctl::GrpDisabled);
    make<QLabel>(locks, ctl::LblDisabledNote);
    std::size_t box = 0;
    for (const model::Control& heading : ctl::lockHeadings()) {
        make<QLabel>(locks, heading);
        // The boxes of the heading's row: those at its height.
        for (; box < ctl::lockBoxes().size() && ctl::lockBoxes()[box].rect.top == heading.rect.top; ++box) {
            auto* made = make<QCheckBox>(locks, ctl::lockBoxes()[box]);
            connect(made, &QCheckBox::toggled, this, [this, box](bool on) { if (screen_) screen_->lockTicked(box, on); });
            lockBoxes.push_back(made);
        }
    }
    BtnOKD = pushButton(TbDisabled, ctl::BtnOKD);
    BtnCloseOK = pushButton(TbDisabled, ctl::BtnCloseOK);
    connect(BtnOKD, &QPushButton::clicked, this, [this] { runCommand([this] { screen_->applyLocks(); }); });
    connect(BtnCloseOK, &QPushButton::clicked, this, &TFrmSub::close);
}

}  // namespace hastelyn::ui
