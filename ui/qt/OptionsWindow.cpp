#include "ui/qt/OptionsWindow.h"
#include "ui/qt/SmallScreen.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>

#include "ui/model/Colours.h"
#include "ui/qt/MachineFileDialog.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/SpeechOutputOption.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

namespace ctl = model::options::controls;

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

void OptionsQtView::setColours(const model::Control& control, std::uint32_t background, std::uint32_t text) {
    // A swatch shows its colour in its text area.
    if (auto* swatch = qobject_cast<QLineEdit*>(widget(control))) setFieldColor(swatch, windowsColor(background));
    else QtWindowView::setColours(control, background, text);
}

void OptionsQtView::setPosition(const model::Control& track, int position) {
    if (auto* bar = qobject_cast<QScrollBar*>(widget(track))) {
        const QSignalBlocker quiet(bar);
        bar->setValue(position);
    }
}

void OptionsQtView::addPage(const model::Control& pages, const model::Control& page) {
    auto* tabs = qobject_cast<QTabWidget*>(widget(pages));
    QWidget* shown = widget(page);
    if (tabs != nullptr && shown != nullptr && tabs->indexOf(shown) < 0) tabs->addTab(shown, u8(page.caption));
}

QGroupBox* TFrmSub::group(QWidget* page, const model::Control& control) {
    auto* box = make<QGroupBox>(page, control);
    box->setTitle(u8(control.caption));
    return box;
}

QPushButton* TFrmSub::pushButton(QWidget* parent, const model::Control& control) {
    return make<QPushButton>(parent, control);
}

TFrmSub::TFrmSub(engine::Session& session, TFrmMain& main, TFrmCompact& compact, TFrmRestore& restore)
    : QDialog(&main),
      targets_(session, main, compact, restore, *this, *view_.make<QTabWidget>(this, ctl::PgOption),
               *view_.make<QWidget>(this, ctl::PnlFocus)) {
    setObjectName("FrmSub");
    setWindowTitle(u8("Hastelyn のオプション"));
    setFixedSize(449, 410);
    setModal(false);
    setBackground(this, model::colours::kSubColor);
    LblSite = make<QLabel>(this, ctl::LblSite);
    PgOption = qobject_cast<QTabWidget*>(view_.widget(ctl::PgOption));
    PnlFocus = view_.widget(ctl::PnlFocus);
    PnlFocus->setFocusPolicy(Qt::ClickFocus);
    setBackground(PnlFocus, model::colours::kSubColor);
    QWidget** pages[] = {&TbOption, &TbDisabled, &TbVersion, &TbHidden};
    for (std::size_t i = 0; i < ctl::kPages.size(); ++i) {
        *pages[i] = new QWidget(PgOption);
        (*pages[i])->setObjectName(u8(ctl::kPages[i].name));
        view_.tie(ctl::kPages[i], *pages[i]);
        // The hidden page's tab is made only when the page is revealed: a tab merely hidden is
        // still read out by a screen reader.
        if (i != ctl::kHiddenPage) PgOption->addTab(*pages[i], u8(ctl::kPages[i].caption));
        else (*pages[i])->hide();
    }
    buildGeneralPage();
    buildLockPage();
    buildVersionPage();
    buildHiddenPage();
    speechOutput->setSynthesizer(session.speech.synthesizer());

    mainFileDialog_ = std::make_unique<MachineFileDialog>(session.platform.files, &main);
    chooseColor_ = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        if (!chosen.isValid()) return std::nullopt;
        return chosen;
    };
    screen_ = std::make_unique<model::OptionsScreen>(session, view_, targets_);
    screen_->setFileOpenDialog(mainFileDialog_.get());
    connect(PgOption, &QTabWidget::currentChanged, this, [this](int index) {
        if (isVisible() && index >= 0) screen_->pageChosen(static_cast<std::size_t>(index));
    });
    connect(qApp, &QApplication::focusChanged, this, &TFrmSub::focusChanged);
    qApp->installEventFilter(this);
    keepOnSmallScreens(this);  // reachable by the mouse on a 640 x 480 screen
}

TFrmSub::~TFrmSub() = default;

QCheckBox* TFrmSub::box(std::string_view objectName) const {
    return findChild<QCheckBox*>(u8(objectName));
}

void TFrmSub::showPage(const char* pageName) {
    for (std::size_t i = 0; i < ctl::kPages.size(); ++i)
        if (ctl::kPages[i].name == pageName) screen_->shown(i);
    speechOutput->showAvailability();
    if (!isVisible()) {
        QRect frame = geometry();
        frame.moveCenter(parentWidget()->geometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void TFrmSub::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) screen_->activated();
}

void TFrmSub::reject() {
    screen_->closed();
    QDialog::reject();
}

bool TFrmSub::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::Wheel) {
        // Anywhere on the window, whatever control is under the mouse.
        screen_->wheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
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

void TFrmSub::colorLabelClick(std::size_t target) {
    if (!chooseColor_) return;
    const std::optional<QColor> chosen = chooseColor_(windowsColor(screen_->swatch(target)));
    if (chosen) screen_->colourPicked(target, windowsValue(*chosen));
}

void TFrmSub::focusChanged(QWidget* old, QWidget* now) {
    const auto row = [this](QWidget* w) -> const model::Control* {
        if (w == nullptr || w->window() != this) return nullptr;
        if (w == PgOption->tabBar()) return &ctl::PgOption;
        return view_.control(w);
    };
    // The focus coming back with the window is no move between its controls.
    const bool within = old != nullptr && old->window() == this && now != nullptr && now->window() == this;
    if (within && enterRadioGroupAtChecked(old, now)) return;
    if (old == nullptr || old->window() != this || !isVisible()) return;
    screen_->focusMoved(row(old), within ? row(now) : nullptr);
}

}  // namespace hastelyn::ui
