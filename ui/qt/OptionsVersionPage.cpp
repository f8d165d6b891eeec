// The options window's version page: the program's name and version, the two links, and the
// button that reveals the hidden page.
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>

#include "ui/qt/OptionsPageLayout.h"
#include "ui/qt/OptionsTexts.h"
#include "ui/qt/OptionsWindow.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

QLabel* textLabel(QWidget* page, const char* name, std::string_view text, int left, int top, int width) {
    auto* label = place<QLabel>(page, name, left, top, width, 20);
    label->setText(u8(text));
    return label;
}

// A link: one stop of the tab order, opened through the shell by a click or by Enter.
QPushButton* linkButton(TFrmSub* window, QWidget* page, const char* name, std::string_view address,
                        std::string_view text, int top) {
    QPushButton* link = button(page, name, u8(text), 40, top, 360, 20);
    link->setFlat(true);
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet("QPushButton { color: blue; text-decoration: underline; text-align: left; border: none; }"
                        "QPushButton:focus { outline: 1px dotted black; }");
    link->setAccessibleDescription(u8(address));
    const QString target = u8(address);
    QObject::connect(link, &QPushButton::clicked, window, [window, target] { window->linkClick(target); });
    return link;
}

}  // namespace

void TFrmSub::buildVersionPage() {
    LblName = textLabel(TbVersion, "LblName", options::kProgramName, 24, 20, 300);
    LblName->setGeometry(24, 20, 300, 34);
    QFont large = LblName->font();
    large.setPointSize(18);
    large.setBold(true);
    LblName->setFont(large);
    LblVersion = textLabel(TbVersion, "LblVersion", options::kVersion, 24, 62, 300);
    textLabel(TbVersion, "LblUrlHeading", "■ URL", 24, 100, 300);
    LblUrl = linkButton(this, TbVersion, "LblUrl", options::kSiteAddress, options::kSiteAddress, 122);
    textLabel(TbVersion, "LblSupportHeading", "■ ご質問やご要望などのサポート", 24, 156, 360);
    LblSupport = linkButton(this, TbVersion, "LblSupport", options::kForumAddress, options::kForumLabel, 178);
    textLabel(TbVersion, "LblSiteName", options::kSiteName, 24, 222, 360);

    BtnHidden = place<QPushButton>(TbVersion, "BtnHidden", 24, layout::kButtonTop - 1, 24, 24);
    BtnHidden->setFlat(true);
    BtnHidden->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    BtnHidden->setToolTip(u8("・・・クリック？"));
    BtnHidden->setAccessibleName(BtnHidden->toolTip());
    BtnOKV = button(TbVersion, "BtnOKV", "OK", 336, layout::kButtonTop, 80, 23);
    BtnOKV->setToolTip(u8("このウィンドウを閉じます。"));
    connect(BtnHidden, &QPushButton::clicked, this, &TFrmSub::BtnHiddenClick);
    connect(BtnOKV, &QPushButton::clicked, this, &TFrmSub::close);
}

void TFrmSub::BtnHiddenClick() {
    if (PgOption->indexOf(TbHidden) < 0) PgOption->addTab(TbHidden, hiddenCaption_);
    PgOption->setCurrentWidget(TbHidden);
}

}  // namespace hastelyn::ui
