#pragma once
// The main window: its own title strip, the menu of categories, the eight pages, the counters,
// the accelerate button and the commentary. It previews every key for the keyboard map.
#include <QWidget>

#include <array>
#include <optional>
#include <string_view>

#include "engine/Session.h"
#include "foundation/KeyboardMap.h"
#include "ui/CheckListView.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;
class QCheckBox;

namespace hastelyn::ui {

class TFrmMain : public QWidget, private foundation::MainWindowActions {
    Q_OBJECT
public:
    TFrmMain(engine::Session& session, QWidget* parent = nullptr);
    ~TFrmMain() override;

    engine::Session& session() { return session_; }

    QTabWidget* PgAccel = nullptr;
    std::array<CheckListView*, engine::kTweakCategoryCount> tweakLists{};  // LstSystem ... LstOthers
    CheckListView* LstService = nullptr;
    QListWidget* LstUtility = nullptr;
    QListWidget* LstHDDefrag = nullptr;
    QListWidget* LstHDConvert = nullptr;
    QCheckBox* ChcQuickFormat = nullptr;
    std::array<QPushButton*, 10> utilityButtons{};  // BtnWMP6 ... BtnConvert
    QListWidget* LstInfo = nullptr;
    std::array<QLineEdit*, 10> infoFields{};  // EdtUser ... EdtMHz
    QPushButton* BtnSystem = nullptr;
    QPushButton* BtnClose = nullptr;
    QPushButton* BtnAccelerate = nullptr;
    QLabel* LblAll = nullptr;
    QLabel* LblRest = nullptr;
    QPlainTextEdit* Comment = nullptr;
    QPushButton* BtnMoreInfo = nullptr;
    QTimer* TmrSpeak = nullptr;

    // Shows the model in the five tweak lists and the services list again.
    void refreshLists();
    // The counters under the pages.
    void countItems();
    // Opens the help file: the program's path with the extension ".chm".
    void openHelp() override;
    // Speaks the exit text (when "Sound" is "On") and closes the window, which ends the program.
    void closeProgram();
    // A row of the services list chosen by a click or the arrow keys: the service's detail text
    // in the commentary, the row spoken, the more-information button shown.
    void LstServiceClick();

signals:
    // The window was closed: the program ends.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTitleStrip();
    void buildMenu();
    void buildWorkArea();
    void buildTweakPages();
    void buildServicePage();
    void buildUtilityPage();
    void buildInfoPage();
    void speakStartup();
    // The detail text of a service in the commentary panel (and in its hint when "CommentHint"
    // is "On").
    void showServiceDetail(std::string_view displayName);

    // The keyboard map's view of this window.
    void focusFirstMenuButton() override;
    void closeMainWindow() override;
    std::optional<bool> focusedTweakRowTicked() override;
    void pressAccelerate() override;
    std::string commentText() override;

    engine::Session& session_;
    // The services list's current row when the mouse went down on it: a click on the row that
    // was already current selects nothing new, so the click itself shows the row.
    int serviceRowBeforePress_ = -1;
};

}  // namespace hastelyn::ui
