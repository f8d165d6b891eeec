#include "ui/qt/RestoreWindow.h"
#include "ui/qt/SmallScreen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QWheelEvent>

#include <tuple>

#include "engine/MailRules.h"
#include "engine/RestoreWindowTexts.h"
#include "foundation/SpokenTexts.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/MachineFileDialog.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/UtilityPages.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/Widgets.h"
#include "ui/model/Colours.h"

namespace hastelyn::ui {
namespace {

namespace texts = engine::restoretext;

constexpr std::uint32_t kRestoreColor = 6527743;  // 0x00639AFF

bool isInside(const QWidget* widget, const QWidget* container) {
    for (; widget != nullptr; widget = widget->parentWidget())
        if (widget == container) return true;
    return false;
}

QString displayText(std::string_view text) {
    QString shown = u8(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

struct ActionButton {
    const char* name;
    const char* glyph;
    const char* caption;  // the label beside it
    int left;
};

// A page: its heading, two square glyph buttons with their labels, and its picture.
std::pair<QPushButton*, QPushButton*> buildPage(QWidget* page, const char* heading, const ActionButton (&buttons)[2],
                                                const char* picture) {
    auto* title = place<QLabel>(page, "LblHeading", 12, 10, 300, 16);
    title->setText(u8(heading));
    QPushButton* made[2]{};
    for (int i = 0; i < 2; ++i) {
        const ActionButton& b = buttons[i];
        made[i] = button(page, b.name, {}, b.left, 36, 41, 41);
        made[i]->setIcon(glyph(b.glyph));
        made[i]->setIconSize(QSize(32, 32));
        auto* label = place<QLabel>(page, (std::string("Lbl") + (b.name + 3)).c_str(), b.left + 48, 48, 180, 16);
        label->setText(u8(b.caption));
        label->setBuddy(made[i]);
    }
    auto* image = place<QLabel>(page, "ImgPage", 447, 8, 32, 32);
    image->setPixmap(QPixmap::fromImage(ui::picture(picture)));
    return {made[0], made[1]};
}

}  // namespace

TFrmRestore::TFrmRestore(engine::Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName("FrmRestore");
    setWindowTitle(u8("保存と復元"));
    setModal(true);
    setFixedSize(527, 312);
    setBackground(this, kRestoreColor);

    Panel1 = place<QWidget>(this, "Panel1", 6, 6, 515, 300);
    setBackground(Panel1, model::colours::kWhite);
    BtnCancel = button(Panel1, "BtnCancel", u8("閉じる"), 423, 268, 80, 25);
    PgRestore = place<QTabWidget>(Panel1, "PgRestore", 8, 8, 499, 122);
    TbKelvarix = new QWidget(PgRestore);
    TbKelvarix->setObjectName("TbKelvarix");
    PgRestore->addTab(TbKelvarix, "Hastelyn");
    TbOE = new QWidget(PgRestore);
    TbOE->setObjectName("TbOE");
    PgRestore->addTab(TbOE, "Outlook Express");
    buildPcPage();
    buildMailPage();

    Comment = place<QPlainTextEdit>(Panel1, "Comment", 8, 136, 499, 126);
    Comment->setReadOnly(true);
    Comment->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
    Comment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFieldColor(Comment, windowsColor(model::colours::kCream));
    QPalette palette = Comment->palette();
    palette.setColor(QPalette::Text, windowsColor(model::colours::kTeal));
    Comment->setPalette(palette);
    Comment->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Comment, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (searchMenu_) searchMenu_(Comment->viewport()->mapToGlobal(pos));
    });

    QWidget::setTabOrder(BtnCancel, PgRestore);
    QWidget::setTabOrder(PgRestore, BtnBackup);
    QWidget::setTabOrder(BtnBackup, BtnRecovery);
    QWidget::setTabOrder(BtnRecovery, BtnBackupOE);
    QWidget::setTabOrder(BtnBackupOE, BtnRecoveryOE);

    connect(BtnCancel, &QPushButton::clicked, this, &TFrmRestore::BtnCancelClick);
    connect(BtnBackup, &QPushButton::clicked, this, &TFrmRestore::BtnBackupClick);
    connect(BtnRecovery, &QPushButton::clicked, this, &TFrmRestore::BtnRecoveryClick);
    connect(BtnBackupOE, &QPushButton::clicked, this, &TFrmRestore::BtnBackupOEClick);
    connect(BtnRecoveryOE, &QPushButton::clicked, this, &TFrmRestore::BtnRecoveryOEClick);
    connect(PgRestore, &QTabWidget::currentChanged, this, &TFrmRestore::PgRestoreChange);
    connect(qApp, &QApplication::focusChanged, this, &TFrmRestore::focusChanged);
    Application::addKeyPreview(this);

    if (auto* main = qobject_cast<TFrmMain*>(parent)) connectToMainWindow(*main);

    // FormCreate: the first page. Qt draws the glyphs in the screen's own format, so an 8-bit
    // display needs no other glyphs.
    PgRestore->setCurrentIndex(0);
    showComment(texts::kPcPageExplanation);
    nameForAccessibility(this);
    keepOnSmallScreens(this);  // reachable by the mouse on a 640 x 480 screen
}

TFrmRestore::~TFrmRestore() { Application::removeKeyPreview(this); }

void TFrmRestore::connectToMainWindow(TFrmMain& main) {
    mainFileDialog_ = std::make_unique<MachineFileDialog>(session_.platform.files, &main);
    dlgOpen_ = mainFileDialog_.get();
    afterRestore_.showPcInformation = [&main] { showPcInformation(main); };
    afterRestore_.showCounts = [&main] {
        main.refreshLists();
        main.countItems();
    };
    searchMenu_ = [&main](const QPoint& pos) { main.PpSearch->popup(pos); };
}

void TFrmRestore::buildPcPage() {
    static const ActionButton buttons[2] = {{"BtnBackup", "restore-backup", "▼ パソコンの状態を保存", 24},
                                            {"BtnRecovery", "restore-recovery", "▼ 以前の状態に戻す", 250}};
    std::tie(BtnBackup, BtnRecovery) = buildPage(TbKelvarix, "■ お使いのパソコンの状態", buttons, "restore-pc.png");
}

void TFrmRestore::buildMailPage() {
    static const ActionButton buttons[2] = {{"BtnBackupOE", "restore-backup-oe", "▼ メールルールをバックアップ", 24},
                                            {"BtnRecoveryOE", "restore-recovery-oe", "▼ メールルールを復元", 250}};
    std::tie(BtnBackupOE, BtnRecoveryOE) = buildPage(TbOE, "■ Outlook Expressのメールルール", buttons, "restore-mail.png");
}

void TFrmRestore::showCentred() {
    if (QWidget* main = parentWidget()) {
        QRect frame = geometry();
        frame.moveCenter(main->geometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void TFrmRestore::showComment(std::string_view text) {
    comment_ = std::string(text);
    Comment->setPlainText(displayText(comment_));
}

void TFrmRestore::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // FormShow. The first control's focus on opening says nothing (focusChanged), so this is
    // the text heard.
    session_.speech.speak(texts::kWindowShown);
}

void TFrmRestore::PgRestoreChange() {
    // TbKelvarixShow, TbOEShow.
    showComment(PgRestore->currentWidget() == TbOE ? texts::kMailPageExplanation : texts::kPcPageExplanation);
    if (!isVisible()) return;
    // Out of the page control and back: entering it speaks the new page.
    Comment->setFocus(Qt::OtherFocusReason);
    PgRestore->setFocus(Qt::OtherFocusReason);
}

void TFrmRestore::PgRestoreEnter() {
    session_.speech.speak(PgRestore->currentWidget() == TbOE ? texts::kMailPageEntered : texts::kPcPageEntered);
}

void TFrmRestore::focusChanged(QWidget* old, QWidget* now) {
    if (now == nullptr || now->window() != this) return;
    // The focus coming back with the window (at its opening, after a message box) is no move
    // between its controls: nothing is said.
    if (old == nullptr || old->window() != this) return;
    if (isInside(now, PgRestore) && !isInside(old, PgRestore)) PgRestoreEnter();
    for (const texts::ControlText& control : texts::kButtonTexts)
        if (now->objectName() == QLatin1String(control.name)) session_.speech.speak(control.spoken);
}

void TFrmRestore::previewKey(QWidget* receiver, QKeyEvent* event) {
    if (receiver == nullptr || receiver->window() != this || event->key() != Qt::Key_F4) return;
    // Whatever "Sound" says.
    session_.speech.speakAlways(foundation::spoken::commentForSpeech(comment_));
}

void TFrmRestore::keyPressEvent(QKeyEvent* event) {
    // BtnCancel is the cancel button: Escape presses it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        BtnCancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFrmRestore::wheelEvent(QWheelEvent* event) {
    // Down: the next page, from the last the first; up: the previous one, from the first the last.
    const int count = PgRestore->count();
    const int step = event->angleDelta().y() > 0 ? -1 : 1;
    PgRestore->setCurrentIndex((PgRestore->currentIndex() + step + count) % count);
    event->accept();
}

void TFrmRestore::BtnCancelClick() {
    session_.speech.speak(texts::kWindowClosed);
    close();
}

void TFrmRestore::BtnBackupClick() {
    runCommand([this] { engine::BtnBackupClick(session_); });
}

void TFrmRestore::BtnRecoveryClick() {
    if (dlgOpen_ == nullptr) return;
    runCommand([this] { engine::BtnRecoveryClick(session_, *dlgOpen_, afterRestore_); });
}

void TFrmRestore::BtnBackupOEClick() {
    runCommand([this] { engine::BtnBackupOEClick(session_); });
}

void TFrmRestore::BtnRecoveryOEClick() {
    runCommand([this] { engine::BtnRecoveryOEClick(session_); });
}

}  // namespace hastelyn::ui
