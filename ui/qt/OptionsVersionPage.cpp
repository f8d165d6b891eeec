// The options window's version page: the program's name and version, the two links, and the
// button that reveals the hidden page.
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "ui/qt/OptionsWindow.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {

namespace ctl = model::options::controls;

void TFrmSub::buildVersionPage() {
    LblName = make<QLabel>(TbVersion, ctl::LblName);
    QFont large = LblName->font();
    large.setPointSize(18);
    large.setBold(true);
    LblName->setFont(large);
    LblVersion = make<QLabel>(TbVersion, ctl::LblVersion);
    make<QLabel>(TbVersion, ctl::LblUrlHeading);
    // A link: one stop of the tab order, opened through the shell by a click or by Enter.
    for (const auto& [row, link] : {std::pair{&ctl::LblUrl, &LblUrl}, std::pair{&ctl::LblSupport, &LblSupport}}) {
        *link = pushButton(TbVersion, *row);
        (*link)->setFlat(true);
        (*link)->setCursor(Qt::PointingHandCursor);
        (*link)->setStyleSheet("QPushButton { color: blue; text-decoration: underline; text-align: left; border: none; }"
                               "QPushButton:focus { outline: 1px dotted black; }");
        // The address is said, not shown as a hint.
        (*link)->setToolTip({});
        (*link)->setAccessibleDescription(u8(row->hint));
        connect(*link, &QPushButton::clicked, this, [this, row] { screen_->linkClicked(*row); });
    }
    make<QLabel>(TbVersion, ctl::LblSupportHeading);
    make<QLabel>(TbVersion, ctl::LblSiteName);

    BtnHidden = make<QPushButton>(TbVersion, ctl::BtnHidden);
    BtnHidden->setFlat(true);
    BtnHidden->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    BtnOKV = pushButton(TbVersion, ctl::BtnOKV);
    connect(BtnHidden, &QPushButton::clicked, this, [this] { screen_->revealHidden(); });
    connect(BtnOKV, &QPushButton::clicked, this, &TFrmSub::close);
}

}  // namespace hastelyn::ui
