#include "ui/qt/OptionsDisplay.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTabWidget>

#include "ui/qt/CompactWindow.h"
#include "ui/qt/LockedControls.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/MenuShape.h"
#include "ui/qt/RestoreWindow.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

constexpr int kHintPause = 300000;

}  // namespace

std::uint32_t windowsValue(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) | static_cast<std::uint32_t>(color.green()) << 8 |
           static_cast<std::uint32_t>(color.blue()) << 16;
}

void applyTabStyle(QTabWidget* pages, foundation::TabStyle style) {
    switch (style) {
        case foundation::TabStyle::Tabs: pages->setStyleSheet({}); break;
        // The buttons take no room above and below the caption beyond their border: the main
        // window's tabs stand in two rows only as high as the caption. Both button styles carry
        // the button face, so their captions stay readable on every colour style (black ones
        // included).
        case foundation::TabStyle::Buttons:
            pages->setStyleSheet("QTabBar::tab { border: 2px outset gray; margin: 0px 1px; padding: 0px 6px;"
                                 " background: palette(button); color: palette(button-text); }"
                                 "QTabBar::tab:selected { border-style: inset; }");
            break;
        case foundation::TabStyle::FlatButtons:
            pages->setStyleSheet("QTabBar::tab { border: none; margin: 0px 1px; padding: 0px 6px;"
                                 " background: palette(button); color: palette(button-text); }"
                                 "QTabBar::tab:selected { background: palette(highlight); color: palette(highlighted-text); }");
            break;
    }
}

void showTextsOn(QWidget* panel, model::ColourTarget target, std::uint32_t colour) {
    QPalette palette = panel->palette();
    palette.setColor(QPalette::WindowText, windowsColor(model::textColourOn(target, {}, colour)));
    panel->setPalette(palette);
    // A page control's pages are drawn in the system's face colour, not the panel's: the texts
    // on them keep the system's text colour.
    for (QTabWidget* pages : panel->findChildren<QTabWidget*>()) {
        QPalette face = pages->palette();
        face.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::WindowText));
        pages->setPalette(face);
    }
    for (const model::TextOnPanel& text : model::kTextsOnPanels) {
        if (text.target != target) continue;
        if (auto* shown = panel->findChild<QWidget*>(u8(text.name)))
            setTextColour(shown, model::textColourOn(target, text.name, colour));
    }
}

QWidget* DisplayTargets::targetWidget(model::ColourTarget target) const {
    switch (target) {
        case model::ColourTarget::Title: return main_.PnlTitle;
        case model::ColourTarget::Menu: return main_.findChild<QWidget*>("ShpMenu");
        case model::ColourTarget::Accel: return main_.findChild<QWidget*>("PnlAccel");
        case model::ColourTarget::Sub: return &sub_;
        case model::ColourTarget::Restore: return &restore_;
        case model::ColourTarget::Compact: break;
    }
    return &compact_;
}

void DisplayTargets::setTargetColour(model::ColourTarget target, std::uint32_t colour) {
    QWidget* widget = targetWidget(target);
    if (widget == nullptr) return;
    if (auto* shape = qobject_cast<MenuShape*>(widget)) {
        shape->setColour(windowsColor(colour));
        return;
    }
    setBackground(widget, colour);
    if (target == model::ColourTarget::Sub) setBackground(&subFocusPanel_, colour);
    showTextsOn(widget, target, colour);
}

void DisplayTargets::setMainOpacity(int opacity) { main_.setWindowOpacity(opacity / 255.0); }

void DisplayTargets::setTabStyle(foundation::TabStyle style) {
    applyTabStyle(main_.PgAccel, style);
    applyTabStyle(restore_.PgRestore, style);
    applyTabStyle(&subPages_, style);
}

void DisplayTargets::setCommentFont(int pointSize) {
    QFont font = main_.Comment->font();
    font.setPointSize(pointSize);
    main_.Comment->setFont(font);
}

void DisplayTargets::setCommentHint(bool wholeText) {
    main_.Comment->setToolTipDuration(wholeText ? kHintPause : model::kPlainHintPause);
    if (!wholeText) main_.Comment->setToolTip({});
}

void DisplayTargets::repaintMain() {
    // Every widget whose colours changed repaints itself; hiding and showing the window, as
    // Windows needs for the menu shape, would leave the options window (owned by it) unpainted
    // on X until it is hidden and shown in turn.
    main_.update();
}

void DisplayTargets::applyLockedItems() { ui::applyLockedItems(main_, session_); }

}  // namespace hastelyn::ui
