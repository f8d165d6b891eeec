#pragma once
// The main window: its own title strip, the menu of categories, the eight pages, the counters,
// the accelerate button and the commentary. It previews every key for the keyboard map.
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/Session.h"
#include "ui/model/MainScreen.h"
#include "ui/qt/Application.h"
#include "ui/qt/CheckListView.h"
#include "ui/qt/TwoRowTabBar.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSystemTrayIcon;
class QTimer;

namespace hastelyn::ui {

class MainPagesFront;
class MainWindowView;

class TFrmMain : public QWidget, private KeyPreview {
    Q_OBJECT
public:
    TFrmMain(engine::Session& session, QWidget* parent = nullptr);
    ~TFrmMain() override;

    engine::Session& session() { return session_; }
    // What the window decides: its creation, the menu and pages, the focus speech, the keys.
    model::MainScreen& screen() { return *screen_; }

    TwoRowPageControl* PgAccel = nullptr;
    std::array<CheckListView*, engine::kTweakCategoryCount> tweakLists{};  // LstSystem ... LstOthers
    CheckListView* LstService = nullptr;
    // The utilities and PC-information pages' controls are made when their page first comes up
    // (nobody sees them before): null until then.
    RowList* LstUtility = nullptr;
    RowList* LstHDDefrag = nullptr;
    RowList* LstHDConvert = nullptr;
    QCheckBox* ChcQuickFormat = nullptr;
    std::array<QPushButton*, 10> utilityButtons{};  // BtnWMP6 ... BtnConvert
    RowList* LstInfo = nullptr;
    std::array<QLineEdit*, 10> infoFields{};  // EdtUser ... EdtMHz
    QWidget* PnlTitle = nullptr;
    QLabel* ImgTitle = nullptr;
    QPushButton* BtnSystem = nullptr;
    QPushButton* BtnClose = nullptr;
    QPushButton* BtnTop = nullptr;
    QPushButton* BtnAccelerate = nullptr;
    QLabel* ImgAbout = nullptr;
    QLabel* LblAll = nullptr;
    QLabel* LblRest = nullptr;
    QPlainTextEdit* Comment = nullptr;
    QPushButton* BtnComment = nullptr;
    QPushButton* BtnMoreInfo = nullptr;
    QMenu* PpSearch = nullptr;
    QMenu* search = nullptr;  // the first item of PpSearch, captioned after the selection
    QTimer* TmrSpeak = nullptr;
    // The utilities page, the PC-information page and the commentary panel: their screen and
    // the widgets it draws on.
    MainPagesFront* pagesFront = nullptr;

    // Puts the window in the middle of the screen (at creation, and after the small screen's
    // layout changed its size).
    void centreOnScreen();
    // Shows the model in the five tweak lists and the services list again.
    void refreshLists();
    // The counters under the pages.
    void countItems();
    // Opens the help: the page "index.htm" in the folder "help" beside the program.
    void openHelp();
    // Speaks the exit text (when "Sound" is "On") and closes the window, which ends the program.

    // The commentary of a row of the page with this caption (-1: no row); a caption or row
    // without a text leaves the panel as it is. Either way the panel's text is then shaped
    // as the settings say.
    void showCommentary(std::string_view caption, int row);
    // The commentary panel's text, with its CR LF line breaks.
    const std::string& commentary() const;
    // Opens the search menu's address for an engine key with the current search word.
    void openSearch(std::string_view engineKey);
    const std::string& searchWord() const;

    // The tray icon's mouse call-back: a left press brings the window back.
    void trayActivated(int reason);
    // Whether the desktop has a notification area; tests replace the question.
    std::function<bool()> trayAvailable;
    // The window is up: the start-up speech follows 3 seconds later.
    void startSpeechTimer();

signals:
    // The window was closed: the program ends.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // The keyboard map: every key of this window, once, before the focused control.
    void previewKey(QWidget* receiver, QKeyEvent* event) override;

private:
    void buildTitleStrip();
    void buildMenu();
    void buildWorkArea();
    void buildCommentary(QWidget* accel);
    void buildTweakPages();
    void buildServicePage();
    void buildUtilityPage();
    void buildInfoPage();
    // The controls of a page not made at start, when the page first comes up.
    void makePageControls(int page);
    void makeUtilityControls(QWidget* page);
    void makeInfoControls(QWidget* page);
    // What a page's controls take once made, at start or later: their place in the Tab order
    // (after the controls of the pages before), their names for screen readers, and what the
    // window shows on them.
    void finishPage(int page);
    void setTabOrder();
    void layOutCounterLine();
    // The focus moved: the screen is told where to.
    void focusChanged(QWidget* old, QWidget* now);
    // The tick of the selected row when a tweak list has the focus.
    std::optional<bool> focusedTweakRowTicked();

    // A row chosen in one of the lists (by a click or the arrow keys).
    void listClicked(QListWidget* list);
    void wireListClicks(QListWidget* list);

    // Window chrome.
    void BtnTrayClick();
    void BtnTopClick(bool down);
    void BtnCompactClick();
    void BtnPerformanceClick();
    void BtnMoreInfoClick();
    void PpSearchPopup();

    engine::Session& session_;
    QSystemTrayIcon* trayIcon_ = nullptr;
    // A list's current row when the mouse went down on it: a click on the row that was
    // already current selects nothing new, so the click itself shows the row.
    QListWidget* pressedList_ = nullptr;
    int rowBeforePress_ = -1;
    // Label4, LblRest, Label3, LblAll, Label5: one line of red text under the pages.
    std::array<QLabel*, 5> counterLine_{};
    std::unique_ptr<MainWindowView> view_;
    std::unique_ptr<model::MainScreen> screen_;
    friend class MainWindowView;
};

}  // namespace hastelyn::ui
