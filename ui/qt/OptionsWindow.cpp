#include "ui/qt/OptionsWindow.h"
#include "ui/qt/SmallScreen.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QScopedValueRollback>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>

#include "ui/qt/MachineFileDialog.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/OptionsTexts.h"
#include "ui/qt/SpeechOutputOption.h"
#include "ui/qt/Widgets.h"
#include "ui/model/Colours.h"

namespace hastelyn::ui {
namespace {

constexpr int kHiddenPage = 3;
constexpr int kVersionPage = 2;

// Tab into a group of radio buttons lands on the checked one, as Windows does (Qt lands on the
// group's first). Arrow keys within the group and mouse clicks are left alone.
bool enterRadioGroupAtChecked(QWidget* old, QWidget* now) {
    auto* radio = qobject_cast<QRadioButton*>(now);
    if (radio == nullptr || radio->isChecked() || QGuiApplication::mouseButtons() != Qt::NoButton) return false;
    if (qobject_cast<QRadioButton*>(old) != nullptr && old->parentWidget() == now->parentWidget()) return false;
    for (QRadioButton* sibling : now->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
        if (!sibling->isChecked()) continue;
        sibling->setFocus(Qt::TabFocusReason);
        return true;
    }
    return false;
}

}  // namespace

TFrmSub::TFrmSub(engine::Session& session, TFrmMain& main, TFrmCompact& compact, TFrmRestore& restore)
    : QDialog(&main), session_(session), main_(main),
      targets_{main, compact, restore, *this, *new QTabWidget(this), *new QWidget(this)} {
    setObjectName("FrmSub");
    setWindowTitle(u8("Hastelyn のオプション"));
    setFixedSize(449, 410);
    setModal(false);
    setBackground(this, model::colours::kSubColor);
    LblSite = place<QLabel>(this, "LblSite", 8, 5, 433, 16);
    LblSite->setText(u8(options::kSiteName));
    PgOption = &targets_.subPages;
    PgOption->setObjectName("PgOption");
    PgOption->setGeometry(8, 24, 433, 378);
    const std::pair<QWidget**, std::pair<const char*, const char*>> pages[] = {
        {&TbOption, {"TbOption", "環境設定"}},
        {&TbDisabled, {"TbDisabled", "無効機能"}},
        {&TbVersion, {"TbVersion", "バージョン情報"}},
        {&TbHidden, {"TbHidden", "隠し機能"}}};
    for (const auto& [page, names] : pages) {
        *page = new QWidget(PgOption);
        (*page)->setObjectName(names.first);
        PgOption->addTab(*page, u8(names.second));
    }
    // Takes the focus for a moment when the page changes, so that the pages speak again.
    PnlFocus = &targets_.subFocusPanel;
    PnlFocus->setObjectName("PnlFocus");
    PnlFocus->setGeometry(440, 0, 1, 1);
    PnlFocus->setFocusPolicy(Qt::ClickFocus);
    buildGeneralPage();
    buildLockPage();
    buildVersionPage();
    buildHiddenPage();

    mainFileDialog_ = std::make_unique<MachineFileDialog>(session_.platform.files, &main);
    dlgOpen_ = mainFileDialog_.get();
    chooseColor_ = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        if (!chosen.isValid()) return std::nullopt;
        return chosen;
    };
    connect(PgOption, &QTabWidget::currentChanged, this, &TFrmSub::PgOptionChange);
    connect(qApp, &QApplication::focusChanged, this, &TFrmSub::focusChanged);
    qApp->installEventFilter(this);

    // FormCreate.
    hiddenCaption_ = PgOption->tabText(kHiddenPage);
    PgOption->removeTab(kHiddenPage);
    const bool layered = session_.codes.edition == "XP" || session_.codes.edition == "2k";
    GrpTrans->setEnabled(layered);
    PgOption->setCurrentWidget(TbOption);
    applyDisplaySettings(session_, targets_);
    setBackground(PnlFocus, windowsValue(palette().color(QPalette::Window)));
    loadGeneralPage();
    loadLockPage();
    loadHiddenPage();
    keepOnSmallScreens(this);  // reachable by the mouse on a 640 x 480 screen
}

TFrmSub::~TFrmSub() = default;

QCheckBox* TFrmSub::box(std::string_view objectName) const {
    return findChild<QCheckBox*>(u8(objectName));
}

void TFrmSub::showPage(const char* pageName) {
    {
        const QScopedValueRollback quiet(quietPageChange_, true);
        if (auto* page = PgOption->findChild<QWidget*>(pageName)) PgOption->setCurrentWidget(page);
    }
    speechOutput->showAvailability();
    if (!isVisible()) {
        QRect frame = geometry();
        frame.moveCenter(main_.geometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void TFrmSub::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    session_.speech.speak(options::kWindowShown);
}

void TFrmSub::reject() {
    session_.speech.speak(options::kWindowClosed);
    QDialog::reject();
}

int TFrmSub::lastVisiblePage() const { return PgOption->indexOf(TbHidden) >= 0 ? kHiddenPage : kVersionPage; }

void TFrmSub::turnPage(int delta) {
    const int count = lastVisiblePage() + 1;
    const int step = delta > 0 ? -1 : 1;
    const QScopedValueRollback quiet(quietPageChange_, true);
    PgOption->setCurrentIndex((PgOption->currentIndex() + step + count) % count);
}

bool TFrmSub::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::Wheel) {
        // Anywhere on the window, whatever control is under the mouse.
        turnPage(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    for (std::size_t target = 0; target < colorLabels.size(); ++target) {
        if (watched != colorLabels[target]) continue;
        const bool clicked = event->type() == QEvent::MouseButtonRelease;
        const bool pressed = event->type() == QEvent::KeyPress &&
                             (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space ||
                              static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return);
        if (clicked || pressed) {
            colorLabelClick(target);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmSub::PgOptionChange() {
    if (!isVisible() || quietPageChange_) return;
    // Out of the page control and back: entering it speaks the new page.
    PnlFocus->setFocus(Qt::OtherFocusReason);
    PgOption->setFocus(Qt::OtherFocusReason);
}

void TFrmSub::focusChanged(QWidget* old, QWidget* now) {
    if (old == BtnOKV && isVisible()) {
        session_.speech.speak(PgOption->tabText(PgOption->currentIndex()).toStdString() + " " +
                              LblName->text().toStdString() + " " + LblVersion->text().toStdString());
    }
    if (now == nullptr || now->window() != this) return;
    // The focus coming back with the window is no move between its controls.
    if (old == nullptr || old->window() != this) return;
    if (enterRadioGroupAtChecked(old, now)) return;
    if (now == PgOption->tabBar() || now == PgOption) {
        if (PgOption->currentWidget() == TbOption) session_.speech.speak(options::kOptionPageEntered);
        else if (PgOption->currentWidget() == TbVersion) session_.speech.speak(options::kVersionPageEntered);
    } else if (now == BtnOKO) {
        session_.speech.speak(options::kApplyFocused);
    } else if (now == BtnCloseO || now == BtnCloseOK || now == BtnOKV) {
        session_.speech.speak(options::kCloseFocused);
    }
}

void TFrmSub::linkClick(const QString& address) {
    // The shell's answer is not looked at: a browser that cannot open the page reports it itself.
    (void)session_.platform.shell.shellExecute("open", address.toStdString(), "", "", platform::showcmd::Normal);
}

}  // namespace hastelyn::ui
