#pragma once
// The save-and-restore window in Qt: the widgets of RestoreControls.h, drawn as the screen
// (ui/model/RestoreScreen.h) says and forwarding their events to it. Modal, shown over the main
// window; it previews every key (F4).
#include <QDialog>

#include <functional>
#include <memory>
#include <string>

#include "engine/FileOpenDialog.h"
#include "engine/SaveAndRestore.h"
#include "engine/Session.h"
#include "ui/model/RestoreControls.h"
#include "ui/model/RestoreScreen.h"
#include "ui/qt/Application.h"
#include "ui/qt/QtWindowView.h"

class QPlainTextEdit;
class QTabWidget;

namespace hastelyn::ui {

class MachineFileDialog;
class TFrmMain;

class TFrmRestore : public QDialog, private KeyPreview {
    Q_OBJECT
public:
    TFrmRestore(engine::Session& session, QWidget* parent);
    ~TFrmRestore() override;

    QTabWidget* PgRestore = nullptr;
    QPlainTextEdit* Comment = nullptr;

    // The widget made for a control row of the window.
    QWidget* widget(const model::Control& control) const { return view_.widget(control); }
    // The memo the main window's search menu looks up while this window shows.
    QPlainTextEdit* commentMemo() const { return Comment; }
    // The memo's text with its CR LF line breaks.
    const std::string& commentText() const { return screen_.comment(); }

    // The main window's file-open dialog and what it shows again after a restore.
    void setFileOpenDialog(engine::FileOpenDialog* dialog) { screen_.setFileOpenDialog(dialog); }
    void setAfterRestore(engine::AfterRestore after) { screen_.setAfterRestore(std::move(after)); }
    // The memo's context menu: the main window's search menu.
    void setSearchMenu(std::function<void(const QPoint& globalPos)> popup) { searchMenu_ = std::move(popup); }

    // Shows the window modally over its parent, centred on it.
    void showCentred();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void previewKey(QWidget* receiver, QKeyEvent* event) override;

private:
    class View final : public QtWindowView, public model::RestoreView {
    public:
        explicit View(QDialog& window) : window_(window) {}
        void close() override { window_.close(); }

    private:
        QDialog& window_;
    };

    // The main window's file-open dialog, its refresh after a restore and its search menu.
    void connectToMainWindow(TFrmMain& main);
    void buildPage(QWidget* page, const model::restore::controls::PageContents& contents);
    void focusChanged(QWidget* old, QWidget* now);
    // The row of the control a widget belongs to (itself or the nearest one holding it).
    const model::Control* controlOf(const QWidget* widget) const;

    engine::Session& session_;
    View view_;
    model::RestoreScreen screen_;
    std::unique_ptr<MachineFileDialog> mainFileDialog_;
    std::function<void(const QPoint&)> searchMenu_;
};

}  // namespace hastelyn::ui
