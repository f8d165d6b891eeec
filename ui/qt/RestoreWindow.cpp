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

#include "ui/model/Colours.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/MachineFileDialog.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/UtilityPages.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

namespace controls = model::restore::controls;

// Every row that takes the focus or holds what does, innermost first.
constexpr const model::Control* kFocusRows[] = {&controls::BtnCancel,   &controls::BtnBackup, &controls::BtnRecovery,
                                                &controls::BtnBackupOE, &controls::BtnRecoveryOE,
                                                &controls::PgRestore,   &controls::Comment};

}  // namespace

TFrmRestore::TFrmRestore(engine::Session& session, QWidget* parent)
    : QDialog(parent), session_(session), view_(*this), screen_(view_, session) {
    setObjectName(QString::fromLatin1(controls::FrmRestore.name));
    setWindowTitle(u8(controls::FrmRestore.caption));
    setModal(true);
    setFixedSize(controls::FrmRestore.rect.width, controls::FrmRestore.rect.height);
    setBackground(this, model::colours::kRestoreColor);
    view_.tie(controls::FrmRestore, this);

    QWidget* panel = view_.make<QWidget>(this, controls::Panel1);
    setBackground(panel, model::colours::kWhite);
    auto* cancel = view_.make<QPushButton>(panel, controls::BtnCancel);
    PgRestore = view_.make<QTabWidget>(panel, controls::PgRestore);
    for (std::size_t i = 0; i < std::size(controls::kPages); ++i) {
        auto* page = new QWidget(PgRestore);
        page->setObjectName(QString::fromLatin1(controls::kPages[i]->name));
        PgRestore->addTab(page, u8(controls::kPages[i]->caption));
        view_.tie(*controls::kPages[i], page);
        buildPage(page, controls::kPageContents[i]);
    }

    Comment = view_.make<QPlainTextEdit>(panel, controls::Comment);
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

    // The Tab walk: the close button, the page control, the buttons of the page shown.
    QWidget* previous = cancel;
    for (const model::Control* next : {&controls::PgRestore, &controls::BtnBackup, &controls::BtnRecovery,
                                       &controls::BtnBackupOE, &controls::BtnRecoveryOE}) {
        QWidget::setTabOrder(previous, view_.widget(*next));
        previous = view_.widget(*next);
    }

    const auto click = [this](const model::Control& control, void (model::RestoreScreen::*event)()) {
        connect(static_cast<QPushButton*>(view_.widget(control)), &QPushButton::clicked, this,
                [this, event] { runCommand([this, event] { (screen_.*event)(); }); });
    };
    click(controls::BtnCancel, &model::RestoreScreen::closeClicked);
    click(controls::BtnBackup, &model::RestoreScreen::backupClicked);
    click(controls::BtnRecovery, &model::RestoreScreen::recoveryClicked);
    click(controls::BtnBackupOE, &model::RestoreScreen::backupMailClicked);
    click(controls::BtnRecoveryOE, &model::RestoreScreen::recoveryMailClicked);
    connect(PgRestore, &QTabWidget::currentChanged, this, [this](int index) { screen_.pageChosen(index); });
    connect(qApp, &QApplication::focusChanged, this, &TFrmRestore::focusChanged);
    Application::addKeyPreview(this);

    if (auto* main = qobject_cast<TFrmMain*>(parent)) connectToMainWindow(*main);

    // Qt draws the glyphs in the screen's own format, so an 8-bit display needs no other glyphs.
    screen_.created();
    for (const model::Control* row : kFocusRows)
        if (const std::string_view name = controls::accessibleName(*row); !name.empty())
            view_.widget(*row)->setAccessibleName(u8(name));
    nameForAccessibility(this);
    keepOnSmallScreens(this);  // reachable by the mouse on a 640 x 480 screen
}

TFrmRestore::~TFrmRestore() { Application::removeKeyPreview(this); }

void TFrmRestore::buildPage(QWidget* page, const controls::PageContents& contents) {
    view_.make<QLabel>(page, *contents.heading);
    for (int i = 0; i < 2; ++i) {
        const model::Control& row = *contents.buttons[i];
        auto* button = view_.make<QPushButton>(page, row);
        button->setIcon(glyph(row.glyph));
        button->setIconSize(QSize(32, 32));
        view_.make<QLabel>(page, *contents.labels[i])->setBuddy(button);
    }
    view_.make<QLabel>(page, *contents.picture)->setPixmap(QPixmap::fromImage(ui::picture(contents.picture->glyph)));
}

void TFrmRestore::connectToMainWindow(TFrmMain& main) {
    mainFileDialog_ = std::make_unique<MachineFileDialog>(session_.platform.files, &main);
    screen_.setFileOpenDialog(mainFileDialog_.get());
    engine::AfterRestore after;
    after.showPcInformation = [&main] { showPcInformation(main); };
    after.showCounts = [&main] {
        main.refreshLists();
        main.countItems();
    };
    screen_.setAfterRestore(std::move(after));
    searchMenu_ = [&main](const QPoint& pos) { main.PpSearch->popup(pos); };
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

void TFrmRestore::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    screen_.shown();
}

void TFrmRestore::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    screen_.hidden();
    // The main window comes forward with the keyboard, its focus where it was left, whether or
    // not a window manager hands it back.
    if (QWidget* main = parentWidget(); main != nullptr && main->isVisible() && !event->spontaneous())
        main->activateWindow();
}

const model::Control* TFrmRestore::controlOf(const QWidget* widget) const {
    for (const model::Control* row : kFocusRows)
        if (isInside(widget, view_.widget(*row))) return row;
    return nullptr;
}

void TFrmRestore::focusChanged(QWidget* old, QWidget* now) {
    if (now == nullptr || now->window() != this) return;
    const bool fromHere = old != nullptr && old->window() == this;
    screen_.focusMoved(fromHere ? controlOf(old) : nullptr, controlOf(now));
}

void TFrmRestore::previewKey(QWidget* receiver, QKeyEvent* event) {
    if (receiver != nullptr && receiver->window() == this && event->key() == Qt::Key_F4) screen_.commentaryKey();
}

void TFrmRestore::keyPressEvent(QKeyEvent* event) {
    // BtnCancel is the cancel button: Escape presses it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        static_cast<QPushButton*>(view_.widget(controls::BtnCancel))->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFrmRestore::wheelEvent(QWheelEvent* event) {
    screen_.wheel(event->angleDelta().y());
    event->accept();
}

}  // namespace hastelyn::ui
