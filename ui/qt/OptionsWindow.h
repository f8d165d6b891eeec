#pragma once
// The options window: general settings, locked items, the version page and a hidden page with
// transparency, colour style and page style. Made once at start, the last of the four windows
// (its making applies the display settings to all of them), then only shown and hidden.
#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "engine/FileOpenDialog.h"
#include "engine/Session.h"
#include "ui/qt/OptionsDisplay.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;

namespace hastelyn::ui {

class MachineFileDialog;
class SpeechOutputOption;

// Escape closes it as its close buttons do; the function keys are the main window's alone.
class TFrmSub : public QDialog {
    Q_OBJECT
public:
    TFrmSub(engine::Session& session, TFrmMain& main, TFrmCompact& compact, TFrmRestore& restore);
    ~TFrmSub() override;

    QLabel* LblSite = nullptr;
    QTabWidget* PgOption = nullptr;
    QWidget* TbOption = nullptr;
    QWidget* TbDisabled = nullptr;
    QWidget* TbVersion = nullptr;
    QWidget* TbHidden = nullptr;
    QWidget* PnlFocus = nullptr;

    // The general page.
    QLineEdit* EdtBootPath = nullptr;
    QLineEdit* EdtSysocPath = nullptr;
    QPushButton* BtnBootPath = nullptr;
    QPushButton* BtnSysocPath = nullptr;
    // ChcLineFeed ... ChcAutoRestore, in the order of engine::kOptionSwitches.
    std::array<QCheckBox*, engine::kOptionSwitches.size()> switchBoxes{};
    std::array<QRadioButton*, engine::kFontSizes.size()> fontButtons{};  // RdFontA ... RdFontG
    QPushButton* BtnOKO = nullptr;
    QPushButton* BtnCloseO = nullptr;
    // The speech group's "SpeechOutput" box (ui/SpeechOutputOption.h).
    SpeechOutputOption* speechOutput = nullptr;

    // The locked-items page: one box per key of engine::lockKeys(), ChcService last.
    std::vector<QCheckBox*> lockBoxes;
    QPushButton* BtnOKD = nullptr;
    QPushButton* BtnCloseOK = nullptr;

    // The version page.
    QLabel* LblName = nullptr;
    QLabel* LblVersion = nullptr;
    // The two links, as flat buttons that look like links.
    QPushButton* LblUrl = nullptr;
    QPushButton* LblSupport = nullptr;
    QPushButton* BtnHidden = nullptr;
    QPushButton* BtnOKV = nullptr;

    // The hidden page.
    QGroupBox* GrpTrans = nullptr;
    QScrollBar* ScrTrans = nullptr;
    QLineEdit* EdtTrans = nullptr;
    // RdDefault ... RdYellow (the rows of engine::kColorStyles), then RdOptional.
    std::array<QRadioButton*, engine::kColorStyles.size() + 1> styleButtons{};
    std::array<QLabel*, engine::kColorKeys.size()> colorLabels{};      // LblTitleColor ...
    std::array<QLineEdit*, engine::kColorKeys.size()> colorSwatches{};  // EdtTitleColor ...
    std::array<QRadioButton*, 3> tabStyleButtons{};                     // RdTabs, RdFlatButtons, RdButtons
    QPushButton* BtnOKH = nullptr;
    QPushButton* BtnCloseH = nullptr;

    QCheckBox* box(std::string_view objectName) const;

    // The file dialog of the browse buttons (the main window's, unless a test gives another).
    void setFileOpenDialog(engine::FileOpenDialog* dialog) { dlgOpen_ = dialog; }
    // The colour dialog of the colour labels: the chosen colour, or nothing when cancelled.
    using ColorChooser = std::function<std::optional<QColor>(const QColor& initial)>;
    void setColorChooser(ColorChooser chooser) { chooseColor_ = std::move(chooser); }

    // Shows the window (modeless) centred on the main window, with the page of that name.
    void showPage(const char* pageName);

    void BtnOKOClick();
    void BtnOKDClick();
    void BtnOKHClick();
    void BtnHiddenClick();
    void BtnSysocPathClick();
    void BtnBootPathClick();
    void colorLabelClick(std::size_t target);
    void linkClick(const QString& address);
    // Turns the page as the wheel does: away from the user (delta above 0) the previous page.
    void turnPage(int delta);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape, the title bar and every close button: the closing text, then hidden.
    void reject() override;

private:
    void buildGeneralPage();
    void buildLockPage();
    void buildVersionPage();
    void buildHiddenPage();
    void loadGeneralPage();
    void loadLockPage();
    void loadHiddenPage();
    void PgOptionChange();
    void focusChanged(QWidget* old, QWidget* now);
    void browse(QLineEdit* edit, std::string_view title, std::string_view filter);
    void EdtTransEdited(const QString& text);
    std::size_t selectedStyle() const;
    int lastVisiblePage() const;
    // The hidden page's tab caption: the tab is made only when the page is revealed, so that
    // no screen reader lists it before (a tab merely hidden is still read out).
    QString hiddenCaption_;

    engine::Session& session_;
    TFrmMain& main_;
    DisplayTargets targets_;
    std::unique_ptr<MachineFileDialog> mainFileDialog_;
    engine::FileOpenDialog* dlgOpen_ = nullptr;
    ColorChooser chooseColor_;
    bool quietPageChange_ = false;
};

}  // namespace hastelyn::ui
