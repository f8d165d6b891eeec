#pragma once
// The compact window: a 127 x 29 strip that stands in for the main window, with its picture and
// speed buttons; with its performance button down, a 286 x 402 panel of meters refreshed every
// second (engine/PerformanceMeters.h holds the figures and the sampling). The meters are sampled
// exactly while the window shows, not minimised, with the performance view open.
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

#include "engine/PerformanceMeters.h"
#include "engine/Session.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSystemTrayIcon;
class QTimer;

namespace hastelyn::ui {

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

    engine::PerformanceMeters& meters() { return meters_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildStrip();
    void buildPanel();
    // The panel's labels, bars and lists as the meters hold them.
    void showFigures();
    void showLists();
    // Sampling runs exactly while the window shows, not minimised, with the view open.
    void syncSampling(bool shown);
    void moveOverMainWindow();
    void dragWindow();
    void BtnHelpClick();
    void BtnVersionClick();
    void BtnTrayClick();
    void BtnMinimumClick();
    void BtnCloseClick();

    engine::PerformanceMeters meters_;
    QSystemTrayIcon* trayIcon_ = nullptr;
    // Each label and bar of the panel with the figure it shows.
    std::vector<std::pair<QLabel*, std::string engine::PanelFigures::*>> labels_;
    std::vector<std::pair<QProgressBar*, int engine::PanelFigures::*>> bars_;
};

}  // namespace hastelyn::ui
