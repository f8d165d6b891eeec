#include "ui/qt/OptionsDisplay.h"

#include <QPlainTextEdit>
#include <QTabWidget>

#include <iterator>

#include "ui/qt/CompactWindow.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/MenuShape.h"
#include "ui/qt/RestoreWindow.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

constexpr std::size_t kMenuTarget = 1;
constexpr std::size_t kSubTarget = 3;

QWidget* targetWidget(const DisplayTargets& targets, std::size_t target) {
    switch (target) {
        case 0: return targets.main.PnlTitle;
        case kMenuTarget: return targets.main.findChild<QWidget*>("ShpMenu");
        case 2: return targets.main.findChild<QWidget*>("PnlAccel");
        case kSubTarget: return &targets.sub;
        case 4: return &targets.restore;
        default: return &targets.compact;
    }
}

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

void DisplayTargets::setColor(std::size_t target, std::uint32_t color) {
    QWidget* widget = targetWidget(*this, target);
    if (widget == nullptr) return;
    if (auto* shape = qobject_cast<MenuShape*>(widget)) shape->setColour(windowsColor(color));
    else setBackground(widget, color);
    if (target == kSubTarget) setBackground(&subFocusPanel, color);
}

engine::StyleColors DisplayTargets::colors() const {
    engine::StyleColors colors{};
    for (std::size_t target = 0; target < colors.size(); ++target) {
        QWidget* widget = targetWidget(*this, target);
        if (auto* shape = qobject_cast<MenuShape*>(widget)) colors[target] = windowsValue(shape->colour());
        else if (widget != nullptr) colors[target] = windowsValue(widget->palette().color(QPalette::Window));
    }
    return colors;
}

void DisplayTargets::setTabStyle(foundation::TabStyle style) {
    applyTabStyle(main.PgAccel, style);
    applyTabStyle(restore.PgRestore, style);
    applyTabStyle(&subPages, style);
}

void DisplayTargets::setMainOpacity(const engine::Session& session, int opacity) {
    if (session.codes.edition != "2k" && session.codes.edition != "XP") return;
    main.setWindowOpacity(opacity / 255.0);
}

void DisplayTargets::repaintMain() {
    if (!main.isVisible()) return;
    main.hide();
    main.show();
}

void applyDisplaySettings(engine::Session& session, DisplayTargets& targets) {
    const foundation::DisplaySettings display = foundation::loadDisplaySettings(session.settings);
    if (display.commentFontSize) {
        QFont font = targets.main.Comment->font();
        font.setPointSize(*display.commentFontSize > 0 ? *display.commentFontSize : 1);
        targets.main.Comment->setFont(font);
    }
    if (display.commentHint) targets.main.Comment->setToolTipDuration(300000);
    if (display.opacity) targets.setMainOpacity(session, *display.opacity);
    const std::optional<std::uint32_t> colors[] = {display.titleColor, display.menuColor,    display.accelColor,
                                                   display.subColor,   display.restoreColor, display.compactColor};
    for (std::size_t target = 0; target < std::size(colors); ++target)
        if (colors[target]) targets.setColor(target, *colors[target]);
    if (display.repaintMain) targets.repaintMain();
    if (display.tabStyle) targets.setTabStyle(*display.tabStyle);
}

}  // namespace hastelyn::ui
