#pragma once
// The compact window's state and reactions without any toolkit: the performance view opened and
// closed, the meters sampled exactly while the window shows, not minimised, with the view open,
// their texts carried to the labels, bars and lists, and where the window goes so that it stays
// on the screen.
//
// Decisions where the behaviour was open:
// - Restored from minimised, the window samples again.
// - Growing to the panel keeps the window's top-left corner where the panel fits on the screen;
//   otherwise the window moves up or left just enough (on a screen smaller than the panel, to
//   the work area's top-left corner). Closing the panel leaves the strip where the panel was.
// - Shown by the program, the window is centred on the main window and kept on the screen the
//   same way.
#include <cstddef>
#include <string_view>

#include "engine/PerformanceMeters.h"
#include "engine/Session.h"
#include "ui/model/Control.h"
#include "ui/model/ScreenFit.h"
#include "ui/model/WindowView.h"

namespace hastelyn::ui::model {

// Where a window is: its frame on the desktop and the work area of the screen it is on (the
// screen without the task bar).
struct WindowPlace {
    Rect frame;
    Rect workArea;
};

class CompactView : public virtual WindowView {
public:
    virtual WindowPlace place() const = 0;
    // Puts the window's frame with its top-left corner at left, top around a client area of
    // width x height.
    virtual void placeWindow(int left, int top, int width, int height) = 0;
    virtual void setBar(const Control& bar, int value) = 0;
    virtual void setChoices(const Control& list, const engine::ChoiceList& choices) = 0;
    virtual void setHint(const Control& control, std::string_view hint) = 0;
    // The meters' timer, which ticks every kRefreshMilliseconds.
    virtual void setTimer(bool running) = 0;
};

class CompactScreen {
public:
    static constexpr int kRefreshMilliseconds = 1000;

    // Shows the window's colour and the panel's design captions, the panel closed.
    CompactScreen(engine::Session& session, CompactView& view);

    engine::PerformanceMeters& meters() { return meters_; }

    // The performance button went down or up.
    void performanceClicked(bool down);
    // One tick of the timer.
    void tick();
    void cpuChosen(int index) { meters_.chooseCpu(index); }
    void driveChosen(int index) { meters_.chooseDrive(index); }
    void adapterChosen(int index);
    // The window was shown, hidden, minimised or restored.
    void windowState(bool shown, bool minimised);
    // The program shows the window over the main window, whose frame is owner.
    void centreOver(const Rect& owner);

private:
    // The panel and the buttons shown with it.
    void showPanel(bool open);
    void showFigures();
    void showLists();
    void syncSampling();
    // Puts the window at the wanted frame's place kept on the screen, with the given client size.
    void placeKeptOnScreen(const Rect& wantedFrame, const Rect& client);

    CompactView& view_;
    engine::PerformanceMeters meters_;
    Rect client_;
    bool shown_ = false;
    bool minimised_ = false;
    std::size_t cpuItemsShown_ = 0;
};

}  // namespace hastelyn::ui::model
