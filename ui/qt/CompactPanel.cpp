// The compact window's widgets made from its control rows, and the screen's calls carried out
// on them.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>

#include "ui/qt/CompactWindow.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {

using model::ControlKind;

QWidget* TFrmCompact::makeControl(QWidget* parent, const model::Control& row) {
    switch (row.kind) {
        case ControlKind::Button: {
            auto* speed = view_.make<QPushButton>(parent, row);
            // Unlike the main window's title buttons these are reached with Tab: the strip has no
            // keys of its own, and Enter or the space bar presses the focused one.
            speed->setFlat(true);
            speed->setFocusPolicy(Qt::TabFocus);
            speed->setIcon(glyph(row.glyph));
            speed->setIconSize({16, 16});
            return speed;
        }
        case ControlKind::Group: {
            auto* group = view_.make<QGroupBox>(parent, row);
            group->setTitle(u8(row.caption));
            return group;
        }
        case ControlKind::DropDown: return view_.make<QComboBox>(parent, row);
        case ControlKind::Progress: {
            auto* bar = view_.make<QProgressBar>(parent, row);
            bar->setRange(0, 100);
            bar->setValue(0);
            bar->setTextVisible(false);
            return bar;
        }
        default: {
            auto* label = view_.make<QLabel>(parent, row);
            // The figures stand right-aligned beside their captions.
            if (row.kind == ControlKind::Label && row.caption.empty())
                label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            return label;
        }
    }
}

model::WindowPlace CompactQtView::place() const {
    const QRect frame = window_.frameGeometry();
    const QRect area = window_.screen()->availableGeometry();
    return {{frame.x(), frame.y(), frame.width(), frame.height()}, {area.x(), area.y(), area.width(), area.height()}};
}

void CompactQtView::placeWindow(int left, int top, int width, int height) {
    window_.setFixedSize(width, height);
    window_.move(left, top);
}

void CompactQtView::setBar(const model::Control& bar, int value) {
    static_cast<QProgressBar*>(widget(bar))->setValue(value);
}

// The items, the choice and "未対応" of a drop-down list, without its signals.
void CompactQtView::setChoices(const model::Control& list, const engine::ChoiceList& choices) {
    auto* box = static_cast<QComboBox*>(widget(list));
    const QSignalBlocker quiet(box);
    box->clear();
    box->setEditable(choices.unsupported);
    for (const std::string& item : choices.items) box->addItem(QString::fromStdString(item));
    box->setCurrentIndex(choices.selected);
    if (choices.unsupported) box->setEditText(u8(engine::kUnsupported));
}

void CompactQtView::setHint(const model::Control& control, std::string_view hint) {
    widget(control)->setToolTip(u8(hint));
}

void CompactQtView::setTimer(bool running) { running ? window_.TmrFreq->start() : window_.TmrFreq->stop(); }

}  // namespace hastelyn::ui
