// The options window's general page: the two system-file paths, the restore point, speech,
// dialogs and the commentary's display.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/qt/CommandErrors.h"
#include "ui/qt/OptionsWindow.h"
#include "ui/qt/SpeechOutputOption.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

namespace ctl = model::options::controls;

}  // namespace

void TFrmSub::buildGeneralPage() {
    QGroupBox* files = group(TbOption, ctl::GrpFile);
    const std::tuple<const model::Control&, const model::Control&, const model::Control&, QLineEdit*&, QPushButton*&>
        paths[] = {{ctl::LblBootPath, ctl::EdtBootPath, ctl::BtnBootPath, EdtBootPath, BtnBootPath},
                   {ctl::LblSysocPath, ctl::EdtSysocPath, ctl::BtnSysocPath, EdtSysocPath, BtnSysocPath}};
    for (const auto& [label, edit, browse, field, browseButton] : paths) {
        field = make<QLineEdit>(files, edit);
        make<QLabel>(files, label)->setBuddy(field);
        browseButton = pushButton(files, browse);
        connect(field, &QLineEdit::textChanged, this,
                [this, row = &edit](const QString& text) { if (screen_) screen_->pathEdited(*row, text.toStdString()); });
        connect(browseButton, &QPushButton::clicked, this, [this, row = &browse] { if (screen_) screen_->browse(*row); });
    }

    const std::pair<const model::Control*, QGroupBox*> groups[] = {
        {&ctl::GrpAutoRestore, group(TbOption, ctl::GrpAutoRestore)},
        {&ctl::GrpSound, group(TbOption, ctl::GrpSound)},
        {&ctl::GrpDisplay, group(TbOption, ctl::GrpDisplay)},
        {&ctl::GrpComment, group(TbOption, ctl::GrpComment)}};
    const auto groupOf = [&groups](const model::Control& row) {
        for (const auto& [control, box] : groups)
            if (control->name == row.parent) return box;
        return groups[0].second;
    };
    // Made in the page's order, top to bottom, so that Tab walks them so.
    for (std::size_t i : {ctl::AutoRestore, ctl::Sound})
        switchBoxes[i] = make<QCheckBox>(groupOf(ctl::kSwitches[i]), ctl::kSwitches[i]);
    speechOutput = new SpeechOutputOption(groupOf(ctl::ChcSpeechOutput), view_);
    connect(speechOutput->ChcSpeechOutput, &QCheckBox::toggled, this, [this](bool on) { if (screen_) screen_->speechOutputTicked(on); });
    for (std::size_t i : {ctl::Reboot, ctl::Inform})
        switchBoxes[i] = make<QCheckBox>(groupOf(ctl::kSwitches[i]), ctl::kSwitches[i]);
    QGroupBox* comment = groupOf(ctl::LblFontSize);
    make<QLabel>(comment, ctl::LblFontSize);
    for (std::size_t i = 0; i < ctl::kFontButtons.size(); ++i) {
        fontButtons[i] = make<QRadioButton>(comment, ctl::kFontButtons[i]);
        connect(fontButtons[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && screen_) screen_->fontChosen(i);
        });
    }
    for (std::size_t i : {ctl::CommentHint, ctl::LineFeed})
        switchBoxes[i] = make<QCheckBox>(comment, ctl::kSwitches[i]);
    for (std::size_t i = 0; i < switchBoxes.size(); ++i)
        connect(switchBoxes[i], &QCheckBox::toggled, this, [this, i](bool on) { if (screen_) screen_->switchTicked(i, on); });

    BtnOKO = pushButton(TbOption, ctl::BtnOKO);
    BtnCloseO = pushButton(TbOption, ctl::BtnCloseO);
    connect(BtnOKO, &QPushButton::clicked, this, [this] { runCommand([this] { screen_->applyGeneral(); }); });
    connect(BtnCloseO, &QPushButton::clicked, this, &TFrmSub::close);
}

}  // namespace hastelyn::ui
