#pragma once
// The save-and-restore window: a page that makes and applies restore points and a page that
// backs up and restores the mail client's rules, with a commentary memo under them. Modal,
// shown over the main window; it previews every key (F4).
#include <QDialog>

#include <functional>
#include <memory>
#include <string>

#include "engine/FileOpenDialog.h"
#include "engine/SaveAndRestore.h"
#include "engine/Session.h"
#include "ui/qt/Application.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace hastelyn::ui {

class MachineFileDialog;
class TFrmMain;

class TFrmRestore : public QDialog, private KeyPreview {
    Q_OBJECT
public:
    TFrmRestore(engine::Session& session, QWidget* parent);
    ~TFrmRestore() override;

    QWidget* Panel1 = nullptr;
    QPushButton* BtnCancel = nullptr;
    QTabWidget* PgRestore = nullptr;
    QWidget* TbKelvarix = nullptr;
    QWidget* TbOE = nullptr;
    QPushButton* BtnBackup = nullptr;
    QPushButton* BtnRecovery = nullptr;
    QPushButton* BtnBackupOE = nullptr;
    QPushButton* BtnRecoveryOE = nullptr;
    QPlainTextEdit* Comment = nullptr;

    // The memo the main window's search menu looks up while this window shows.
    QPlainTextEdit* commentMemo() const { return Comment; }
    // The memo's text with its CR LF line breaks.
    const std::string& commentText() const { return comment_; }

    // The main window's file-open dialog and what it shows again after a restore.
    void setFileOpenDialog(engine::FileOpenDialog* dialog) { dlgOpen_ = dialog; }
    void setAfterRestore(engine::AfterRestore after) { afterRestore_ = std::move(after); }
    // The memo's context menu: the main window's search menu.
    void setSearchMenu(std::function<void(const QPoint& globalPos)> popup) { searchMenu_ = std::move(popup); }

    // Shows the window modally over its parent, centred on it.
    void showCentred();

    void BtnBackupClick();
    void BtnRecoveryClick();
    void BtnBackupOEClick();
    void BtnRecoveryOEClick();
    void BtnCancelClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void previewKey(QWidget* receiver, QKeyEvent* event) override;

private:
    // The main window's file-open dialog, its refresh after a restore and its search menu.
    void connectToMainWindow(TFrmMain& main);
    void buildPcPage();
    void buildMailPage();
    void PgRestoreChange();
    void PgRestoreEnter();
    void focusChanged(QWidget* old, QWidget* now);
    void showComment(std::string_view text);

    engine::Session& session_;
    std::string comment_;
    std::unique_ptr<MachineFileDialog> mainFileDialog_;
    engine::FileOpenDialog* dlgOpen_ = nullptr;
    engine::AfterRestore afterRestore_;
    std::function<void(const QPoint&)> searchMenu_;
};

}  // namespace hastelyn::ui
