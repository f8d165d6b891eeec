#pragma once
// The application object: an exception escaping an event handler is reported as a command
// error instead of ending the program, and windows that preview keys see each key press once.
#include <QApplication>

class QKeyEvent;

namespace hastelyn::ui {

// A window that sees every key press before the control it is meant for.
class KeyPreview {
public:
    virtual ~KeyPreview() = default;
    // Called once per key press, before the receiver (the focused control, or the window when
    // nothing has the focus) and its parents get it.
    virtual void previewKey(QWidget* receiver, QKeyEvent* event) = 0;
};

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Key previews are called by notify(): once for each key, however far the key then travels
    // up the parents (a handler that shows a dialog moves the focus, so a filter on every
    // receiver would see the same key again at the window).
    static void addKeyPreview(KeyPreview* preview);
    static void removeKeyPreview(KeyPreview* preview);
};

}  // namespace hastelyn::ui
