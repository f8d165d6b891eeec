#pragma once
// The main window's view: the main screen's calls carried out on the window's widgets, and the
// pages' share of the window served by the page code.
#include "ui/model/MainView.h"
#include "ui/qt/QtWindowView.h"

namespace hastelyn::engine {
struct Session;
}

namespace hastelyn::ui {

class TFrmMain;

class MainWindowView final : public QtWindowView, public model::MainView, public model::MainPages {
public:
    MainWindowView(TFrmMain& window, engine::Session& session) : window_(window), session_(session) {}

    // The row a widget stands for: its own, the page control's for the tabs; null for the rest.
    const model::Control* rowOf(const QWidget* widget) const;
    // A page shown at the screen's word, which is no choice of the user's.
    bool showingPage() const { return showingPage_; }
    // What the screen has shown so far, shown on a page's controls just made: the drives, the
    // glyphs' colours, the locks.
    void showOnPage(QWidget* page);

    void setCaption(const model::Control& control, std::string_view text) override;
    void showPage(const model::Control& pages, int index) override;
    void act(model::MainAction action) override;
    void useSmallScreen() override;
    void useSixteenColourGlyphs() override;

    void setDrives(const std::vector<std::string>& drives) override;
    void showIntroduction() override;
    void disableForEdition(const foundation::DisabledControls& disabled) override;
    void readPcInformation() override;
    foundation::LockableControls lockableControls() override;
    void applyLocks(const foundation::LockableControls& marked) override;
    void showRowsAgain() override;
    void showServiceDetail(std::string_view displayName) override;

private:
    TFrmMain& window_;
    engine::Session& session_;
    bool showingPage_ = false;
    bool sixteenColours_ = false;
    std::vector<std::string> drives_;
    QMetaObject::Connection pcInformationWaits_;  // the fields wait for their page to come up
};

}  // namespace hastelyn::ui
