#include "ui/qt/MainWindowView.h"

#include <QImage>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabBar>

#include <utility>

#include "ui/model/MainControls.h"
#include "ui/qt/Forms.h"
#include "ui/qt/LockedControls.h"
#include "ui/qt/MainPagesFront.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/SideWindows.h"
#include "ui/qt/UtilityPages.h"

namespace hastelyn::ui {

namespace main = model::main;

namespace {

// The buttons whose glyphs go to 16 colours on an 8-bit display.
const std::vector<const char*>& glyphButtonNames() {
    static const std::vector<const char*> names = {
        "BtnClose_s", "BtnMinimum", "BtnTray",    "BtnCompact", "BtnTop",   "BtnSystem",   "BtnDesktop",
        "BtnExplorer", "BtnPower",  "BtnOthers",  "BtnService", "BtnUtility", "BtnInfo",   "BtnRestore",
        "BtnHelp",    "BtnOption",  "BtnClose",   "BtnComment", "BtnMoreInfo", "BtnNet",   "BtnMS",
        "BtnGroup",   "BtnReg",     "BtnFormat",  "BtnCUIDefrag", "BtnConvert"};
    return names;
}

// The glyphs of the buttons below root in 16 colours.
void toSixteenColours(QWidget& root) {
    QList<QRgb> palette;
    for (QRgb c : {0x000000u, 0x800000u, 0x008000u, 0x808000u, 0x000080u, 0x800080u, 0x008080u, 0xC0C0C0u,
                   0x808080u, 0xFF0000u, 0x00FF00u, 0xFFFF00u, 0x0000FFu, 0xFF00FFu, 0x00FFFFu, 0xFFFFFFu})
        palette.append(qRgb(qRed(c), qGreen(c), qBlue(c)));
    for (const char* name : glyphButtonNames()) {
        auto* button = root.findChild<QPushButton*>(name);
        if (button == nullptr || button->icon().isNull()) continue;
        const QImage glyph = button->icon().pixmap(button->iconSize()).toImage();
        button->setIcon(QIcon(QPixmap::fromImage(glyph.convertToFormat(QImage::Format_Indexed8, palette))));
    }
}

void addDrives(TFrmMain& window, const std::vector<std::string>& drives) {
    QStringList items;
    for (const std::string& drive : drives) items << QString::fromStdString(drive);
    window.LstHDDefrag->addItems(items);
    window.LstHDConvert->addItems(items);
}

}  // namespace

const model::Control* MainWindowView::rowOf(const QWidget* widget) const {
    if (widget == nullptr) return nullptr;
    if (widget == window_.PgAccel || widget == window_.PgAccel->tabBar()) return &main::PgAccel;
    for (const model::Control* row : main::kMenuButtons)
        if (this->widget(*row) == widget) return row;
    for (const model::Control* row : main::kTitleButtons)
        if (this->widget(*row) == widget) return row;
    return this->widget(main::BtnAccelerate) == widget ? &main::BtnAccelerate : nullptr;
}

void MainWindowView::setCaption(const model::Control& control, std::string_view text) {
    QtWindowView::setCaption(control, text);
    if (&control == &main::LblAll || &control == &main::LblRest) window_.layOutCounterLine();
}

void MainWindowView::showPage(const model::Control& pages, int index) {
    const QScopedValueRollback quiet(showingPage_, true);
    QtWindowView::showPage(pages, index);
}

void MainWindowView::act(model::MainAction action) {
    using model::MainAction;
    switch (action) {
        case MainAction::Close: window_.close(); break;
        case MainAction::Minimise: window_.showMinimized(); break;
        case MainAction::ParkInTray: window_.BtnTrayClick(); break;
        case MainAction::StayOnTop: window_.BtnTopClick(true); break;
        case MainAction::StayInLine: window_.BtnTopClick(false); break;
        case MainAction::ShowCompact: window_.BtnCompactClick(); break;
        case MainAction::ShowPerformance: window_.BtnPerformanceClick(); break;
        case MainAction::ShowRestore:
            if (FrmRestore != nullptr) FrmRestore->showCentred();
            break;
        case MainAction::ShowOptions:
            if (FrmSub != nullptr) FrmSub->showPage("TbOption");
            break;
        case MainAction::ShowVersion:
            if (FrmSub != nullptr) FrmSub->showPage("TbVersion");
            break;
    }
}

void MainWindowView::useSmallScreen() {
    // Smaller, with a sizeable border, in the middle of the screen again.
    window_.setWindowFlags(Qt::Window);
    window_.setMinimumSize(0, 0);
    window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window_.resize(590, 430);
    window_.centreOnScreen();
}

void MainWindowView::useSixteenColourGlyphs() {
    sixteenColours_ = true;
    toSixteenColours(window_);
}

void MainWindowView::setDrives(const std::vector<std::string>& drives) {
    drives_ = drives;
    if (window_.LstHDDefrag != nullptr) addDrives(window_, drives_);
}

void MainWindowView::showOnPage(QWidget* page) {
    if (sixteenColours_) toSixteenColours(*page);
    if (window_.LstHDDefrag != nullptr && window_.LstHDDefrag->parentWidget() == page) addDrives(window_, drives_);
    window_.pagesFront->screen().locks().show(*window_.pagesFront);
}

void MainWindowView::showIntroduction() { window_.BtnComment->click(); }

void MainWindowView::disableForEdition(const foundation::DisabledControls& disabled) {
    ui::disableForEdition(window_, disabled);
}

void MainWindowView::readPcInformation() {
    // The fields are read when their page first comes up: nobody sees them before, and the
    // start shows the window sooner without their reading and laying out.
    if (window_.PgAccel->currentIndex() == main::kInfoPage) {
        showPcInformation(window_);
        return;
    }
    if (pcInformationWaits_) return;
    pcInformationWaits_ = QObject::connect(window_.PgAccel, &QTabWidget::currentChanged, &window_, [this](int page) {
        if (page != main::kInfoPage) return;
        QObject::disconnect(std::exchange(pcInformationWaits_, {}));
        showPcInformation(window_);
    });
}

foundation::LockableControls MainWindowView::lockableControls() { return ui::lockableControls(window_, session_); }

void MainWindowView::applyLocks(const foundation::LockableControls& marked) {
    applyLockedItems(window_, session_, marked);
}

void MainWindowView::showRowsAgain() { window_.refreshLists(); }

void MainWindowView::showServiceDetail(std::string_view displayName) {
    window_.pagesFront->screen().showServiceDetail(displayName);
}

}  // namespace hastelyn::ui
