#pragma once
// The options window: general settings, locked items, the version page and a hidden page with
// transparency, colour style and page style. Made once at start, the last of the four windows
// (its making applies the display settings to all of them), then only shown and hidden. What it
// shows and does is its screen's (ui/model/OptionsScreen.h); here are the widgets.
#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "engine/FileOpenDialog.h"
#include "engine/Session.h"
#include "ui/model/OptionsScreen.h"
#include "ui/qt/OptionsDisplay.h"
#include "ui/qt/QtWindowView.h"

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

// The options window's view: a slider's position and a page's tab besides the common calls.
class OptionsQtView : public QtWindowView, public model::OptionsView {
public:
    void setColours(const model::Control& control, std::uint32_t background, std::uint32_t text) override;
    void setPosition(const model::Control& track, int position) override;
    void addPage(const model::Control& pages, const model::Control& page) override;
};

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
    // The speech group's "SpeechOutput" box (ui/qt/SpeechOutputOption.h).
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
    void setFileOpenDialog(engine::FileOpenDialog* dialog) { screen_->setFileOpenDialog(dialog); }
    // The colour dialog of the colour labels: the chosen colour, or nothing when cancelled.
    using ColorChooser = std::function<std::optional<QColor>(const QColor& initial)>;
    void setColorChooser(ColorChooser chooser) { chooseColor_ = std::move(chooser); }

    // Shows the window (modeless) centred on the main window, with the page of that name.
    void showPage(const char* pageName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Escape, the title bar and every close button: the closing text, then hidden.
    void reject() override;

private:
    // The widget of a row, tied to it, with the name a screen reader gives it.
    template <typename W, typename... Args>
    W* make(QWidget* parent, const model::Control& control, Args&&... args) {
        W* widget = view_.make<W>(parent, control, std::forward<Args>(args)...);
        widget->setAccessibleName(u8(model::options::controls::accessibleName(control)));
        return widget;
    }
    QGroupBox* group(QWidget* page, const model::Control& control);
    QPushButton* pushButton(QWidget* parent, const model::Control& control);
    void buildGeneralPage();
    void buildLockPage();
    void buildVersionPage();
    void buildHiddenPage();
    void focusChanged(QWidget* old, QWidget* now);
    void colorLabelClick(std::size_t target);

    OptionsQtView view_;
    DisplayTargets targets_;
    std::unique_ptr<MachineFileDialog> mainFileDialog_;
    ColorChooser chooseColor_;
    std::unique_ptr<model::OptionsScreen> screen_;
};

}  // namespace hastelyn::ui
