#pragma once
// The compact window: a 127 x 29 strip that stands in for the main window, with its picture and
// speed buttons; with its performance button down, a 286 x 402 panel of meters refreshed every
// second. What it shows and when it samples is the screen's (ui/model/CompactScreen.h); the
// window builds its widgets from the control rows, forwards events and carries out the screen's
// calls.
#include <QWidget>

#include <functional>
#include <optional>

#include "engine/Session.h"
#include "ui/model/CompactScreen.h"
#include "ui/qt/QtWindowView.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSystemTrayIcon;
class QTimer;

namespace hastelyn::ui {

class TFrmCompact;

// The screen's calls carried out on the compact window's widgets.
class CompactQtView : public QtWindowView, public model::CompactView {
public:
    explicit CompactQtView(TFrmCompact& window) : window_(window) {}
    model::WindowPlace place() const override;
    void placeWindow(int left, int top, int width, int height) override;
    void setBar(const model::Control& bar, int value) override;
    void setChoices(const model::Control& list, const engine::ChoiceList& choices) override;
    void setHint(const model::Control& control, std::string_view hint) override;
    void setTimer(bool running) override;

private:
    TFrmCompact& window_;
};

class TFrmCompact : public QWidget {
    Q_OBJECT
public:
    explicit TFrmCompact(engine::Session& session);
    ~TFrmCompact() override;

    QLabel* Image1 = nullptr;
    // Opens and closes the performance view.
    QPushButton* BtnPerformance = nullptr;
    QGroupBox* GrpPerformance = nullptr;
    QComboBox* CmbCPUList = nullptr;
    QComboBox* CmbHDList = nullptr;
    QComboBox* CmbNICList = nullptr;
    QTimer* TmrFreq = nullptr;

    // What a click on BtnPerformance does, after the button went down or up; the main window
    // calls it after putting the button down.
    void BtnPerformanceClick();
    // Back to the main window.
    void BtnCompactClick();
    // The tray icon's mouse call-back: a left press brings the window back.
    void trayActivated(int reason);
    // Whether the desktop has a notification area; tests replace the question.
    std::function<bool()> trayAvailable;

    engine::PerformanceMeters& meters() { return screen_->meters(); }
    // The widget made for a control row of the window.
    QWidget* widget(const model::Control& control) const { return view_.widget(control); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Every control of the rows, on the control it sits on.
    void buildControls();
    QWidget* makeControl(QWidget* parent, const model::Control& row);
    void dragWindow();
    void BtnHelpClick();
    void BtnVersionClick();
    void BtnTrayClick();
    void BtnMinimumClick();
    void BtnCloseClick();

    CompactQtView view_{*this};
    std::optional<model::CompactScreen> screen_;
    QSystemTrayIcon* trayIcon_ = nullptr;
};

}  // namespace hastelyn::ui
