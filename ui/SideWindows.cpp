#include "ui/SideWindows.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "foundation/DisplaySettings.h"
#include "ui/MainWindow.h"
#include "ui/MenuShape.h"
#include "ui/Pictures.h"
#include "ui/SpeechOutputOption.h"
#include "ui/Widgets.h"

namespace hastelyn::ui {
namespace {

constexpr std::uint32_t kSubColor = 10276863;      // 0x009CCFFF

void applyTabStyle(QTabWidget* pages, foundation::TabStyle style) {
    switch (style) {
        case foundation::TabStyle::Tabs: pages->setStyleSheet({}); break;
        // The buttons take no room above and below the caption beyond their border: the main
        // window's tabs stand in two rows only as high as the caption.
        case foundation::TabStyle::Buttons:
            pages->setStyleSheet("QTabBar::tab { border: 2px outset gray; margin: 0px 1px; padding: 0px 6px; }"
                                 "QTabBar::tab:selected { border-style: inset; }");
            break;
        case foundation::TabStyle::FlatButtons:
            pages->setStyleSheet("QTabBar::tab { border: none; margin: 0px 1px; padding: 0px 6px; }"
                                 "QTabBar::tab:selected { background: palette(highlight); color: palette(highlighted-text); }");
            break;
    }
}

// The stored display settings reach every window when the options window is made.
void applyDisplaySettings(engine::Session& session, TFrmMain& main, TFrmCompact& compact, TFrmRestore& restore,
                          TFrmSub& sub) {
    const foundation::DisplaySettings display = foundation::loadDisplaySettings(session.settings);
    if (display.commentFontSize) {
        QFont font = main.Comment->font();
        font.setPointSize(*display.commentFontSize > 0 ? *display.commentFontSize : 1);
        main.Comment->setFont(font);
    }
    if (display.commentHint) main.Comment->setToolTipDuration(300000);
    // Layered windows exist on 2000 and XP only.
    if (display.opacity && (session.codes.edition == "2k" || session.codes.edition == "XP"))
        main.setWindowOpacity(*display.opacity / 255.0);
    const std::pair<const std::optional<std::uint32_t>&, QWidget*> colours[] = {
        {display.titleColor, main.findChild<QWidget*>("PnlTitle")},
        {display.menuColor, main.findChild<QWidget*>("ShpMenu")},
        {display.accelColor, main.findChild<QWidget*>("PnlAccel")},
        {display.subColor, &sub},
        {display.restoreColor, &restore},
        {display.compactColor, &compact},
    };
    for (const auto& [colour, widget] : colours) {
        if (!colour || widget == nullptr) continue;
        if (auto* shape = qobject_cast<MenuShape*>(widget)) {
            shape->setColour(windowsColor(*colour));
        } else {
            setBackground(widget, *colour);
        }
    }
    if (display.repaintMain && main.isVisible()) {
        main.hide();
        main.show();
    }
    if (display.tabStyle) {
        applyTabStyle(main.PgAccel, *display.tabStyle);
        applyTabStyle(restore.PgRestore, *display.tabStyle);
        applyTabStyle(sub.PgOption, *display.tabStyle);
    }
}

}  // namespace

TFrmSub::TFrmSub(engine::Session& session, TFrmMain& main, TFrmCompact& compact, TFrmRestore& restore)
    : QDialog(&main), session_(session) {
    setObjectName("FrmSub");
    setWindowTitle(u8("Hastelyn のオプション"));
    setFixedSize(449, 410);
    setBackground(this, kSubColor);
    PgOption = place<QTabWidget>(this, "PgOption", 8, 24, 433, 378);
    const std::pair<const char*, const char*> pages[] = {
        {"TbOption", "環境設定"}, {"TbDisabled", "無効機能"}, {"TbVersion", "バージョン情報"}, {"TbHidden", "隠し機能"}};
    for (const auto& [name, caption] : pages) {
        auto* page = new QWidget(PgOption);
        page->setObjectName(name);
        PgOption->addTab(page, u8(caption));
    }
    PgOption->setTabVisible(3, false);
    PgOption->setCurrentIndex(0);
    speechOutput = new SpeechOutputOption(PgOption->findChild<QWidget*>("TbOption"), session_.settings,
                                          session_.speech.synthesizer());
    // The page's apply button writes the box with the page's other settings.
    if (auto* apply = findChild<QPushButton*>("BtnOKO"))
        connect(apply, &QPushButton::clicked, speechOutput, &SpeechOutputOption::apply);
    applyDisplaySettings(session_, main, compact, restore, *this);
}

void TFrmSub::showPage(const char* pageName) {
    if (auto* page = PgOption->findChild<QWidget*>(pageName)) PgOption->setCurrentWidget(page);
    speechOutput->showAvailability();
    show();
    raise();
    activateWindow();
}

}  // namespace hastelyn::ui
