#pragma once
// The options window's state and reactions: its four pages loaded from the settings file, each
// written back by its apply button, the hidden page's reveal, the wheel and the spoken texts.
// The window is made once and then only shown and hidden; the state lives here, never read back
// from what a front end shows.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/FileOpenDialog.h"
#include "engine/OptionSettings.h"
#include "engine/Session.h"
#include "ui/model/OptionsControls.h"
#include "ui/model/OptionsDisplay.h"
#include "ui/model/WindowView.h"

namespace hastelyn::ui::model {

class OptionsView : public virtual WindowView {
public:
    // A slider's position, without that counting as the user's move.
    virtual void setPosition(const Control& track, int position) = 0;
    // Makes a page's tab, absent until then so that no screen reader lists it.
    virtual void addPage(const Control& pages, const Control& page) = 0;
};

class OptionsScreen {
public:
    // The window's making: the hidden page left out, the transparency group as the edition
    // allows, the stored display settings reaching every window, then the pages loaded.
    OptionsScreen(engine::Session& session, OptionsView& view, OptionsTargets& targets);

    // Shown (again) with a page, or brought back to the front: the general page takes what the
    // settings file says now wherever it changed since the page read it (the speech switch
    // written by F6 or by the first start's prompt), keeping the user's other unapplied choices.
    void shown(std::size_t page);
    void activated();
    // Closed by a close button, Escape or the title bar.
    void closed();

    // The page the user turned to with the tabs or their keys: spoken anew.
    void pageChosen(std::size_t page);
    // The wheel anywhere on the window: away from the user (delta above 0) the previous page.
    void wheel(int delta);
    void focusMoved(const Control* from, const Control* to);

    // The general page.
    void switchTicked(std::size_t which, bool ticked);
    void speechOutputTicked(bool ticked);
    void fontChosen(std::size_t which);
    void pathEdited(const Control& edit, std::string_view text);
    void browse(const Control& button);
    void applyGeneral();
    void setFileOpenDialog(engine::FileOpenDialog* dialog) { fileDialog_ = dialog; }

    // The locked-items page.
    void lockTicked(std::size_t box, bool ticked);
    void applyLocks();

    // The version page.
    void linkClicked(const Control& link);
    void revealHidden();

    // The hidden page.
    void transparencyMoved(int position);
    void transparencyTyped(std::string_view text);
    void styleChosen(std::size_t style);
    void tabStyleChosen(std::size_t style);
    // A colour picked for a target: it goes to the swatch and selects 任意.
    void colourPicked(std::size_t target, std::uint32_t colour);
    std::uint32_t swatch(std::size_t target) const { return swatches_[target]; }
    void applyHidden();


private:
    struct General {
        engine::GeneralOptions options;
        bool speechOutput = false;
    };
    General readGeneral() const;
    void showGeneral();
    void takeChangedSettings();
    void loadLocks();
    void loadHidden();
    void showPosition();
    void turnTo(std::size_t page);
    std::size_t pageCount() const { return revealed_ ? 4 : 3; }

    engine::Session& session_;
    OptionsView& view_;
    OptionsTargets& targets_;
    engine::FileOpenDialog* fileDialog_ = nullptr;
    const bool layered_;

    std::size_t page_ = options::controls::kGeneralPage;
    bool revealed_ = false;
    bool turning_ = false;  // the page changing by a reveal or the wheel: nothing spoken

    General general_;
    General read_;  // the settings file as the page last read it
    std::vector<engine::LockBox> locks_;
    std::optional<int> transparency_;  // none until stored or moved by the user
    std::string transparencyText_;
    std::size_t style_ = 0;
    engine::StyleColors swatches_{};
    std::size_t tabStyle_ = 0;
};

}  // namespace hastelyn::ui::model
