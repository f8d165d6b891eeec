#include "ui/model/OptionsScreen.h"

#include <algorithm>

#include "foundation/ColorText.h"
#include "foundation/Speech.h"
#include "ui/model/OptionsTexts.h"

namespace hastelyn::ui::model {
namespace {

namespace ctl = options::controls;

constexpr int kOpaque = 255;
constexpr int kLeastVisible = 5;
constexpr std::array<foundation::TabStyle, 3> kTabStyles = {foundation::TabStyle::Tabs, foundation::TabStyle::FlatButtons,
                                                            foundation::TabStyle::Buttons};

}  // namespace

OptionsScreen::OptionsScreen(engine::Session& session, OptionsView& view, OptionsTargets& targets)
    : session_(session), view_(view), targets_(targets), layered_(hasLayeredWindows(session.codes)) {
    view_.setEnabled(ctl::GrpTrans, layered_);
    view_.setEnabled(ctl::ScrTrans, layered_);
    view_.setEnabled(ctl::EdtTrans, layered_);
    view_.setCaption(ctl::LblVersion, options::versionLine());
    view_.showPage(ctl::PgOption, static_cast<int>(page_));
    applyDisplaySettings(session_.settings, session_.codes, targets_);
    general_ = read_ = readGeneral();
    showGeneral();
    loadLocks();
    loadHidden();
}

OptionsScreen::General OptionsScreen::readGeneral() const {
    return {engine::readGeneralOptions(session_.settings),
            foundation::speechOutputSetting(session_.settings) != foundation::SpeechOutput::Clipboard};
}

void OptionsScreen::showGeneral() {
    const engine::GeneralOptions& o = general_.options;
    for (std::size_t i = 0; i < engine::kFontSizes.size(); ++i)
        if (engine::kFontSizes[i] == o.fontSize) view_.setChecked(ctl::kFontButtons[i], true);
    for (std::size_t i = 0; i < ctl::kSwitches.size(); ++i) view_.setChecked(ctl::kSwitches[i], o.switches[i]);
    view_.setChecked(ctl::ChcSpeechOutput, general_.speechOutput);
    view_.setCaption(ctl::EdtSysocPath, o.sysocPath);
    view_.setCaption(ctl::EdtBootPath, o.bootPath);
}

void OptionsScreen::takeChangedSettings() {
    const General now = readGeneral();
    engine::GeneralOptions& o = general_.options;
    if (now.options.fontSize != read_.options.fontSize) o.fontSize = now.options.fontSize;
    for (std::size_t i = 0; i < o.switches.size(); ++i)
        if (now.options.switches[i] != read_.options.switches[i]) o.switches[i] = now.options.switches[i];
    if (now.options.sysocPath != read_.options.sysocPath) o.sysocPath = now.options.sysocPath;
    if (now.options.bootPath != read_.options.bootPath) o.bootPath = now.options.bootPath;
    if (now.speechOutput != read_.speechOutput) general_.speechOutput = now.speechOutput;
    read_ = now;
    showGeneral();
}

void OptionsScreen::shown(std::size_t page) {
    takeChangedSettings();
    turnTo(page);
    session_.speech.speak(options::kWindowShown);
}

void OptionsScreen::activated() { takeChangedSettings(); }

void OptionsScreen::closed() { session_.speech.speak(options::kWindowClosed); }

void OptionsScreen::turnTo(std::size_t page) {
    if (page >= pageCount()) return;
    const bool wasTurning = turning_;
    turning_ = true;
    page_ = page;
    view_.showPage(ctl::PgOption, static_cast<int>(page));
    turning_ = wasTurning;
}

void OptionsScreen::pageChosen(std::size_t page) {
    if (turning_ || page >= pageCount()) return;
    page_ = page;
    // Out of the page control and back: entering it speaks the new page.
    view_.focus(ctl::PnlFocus);
    view_.focus(ctl::PgOption);
}

void OptionsScreen::wheel(int delta) {
    const std::size_t count = pageCount();
    turnTo(delta > 0 ? (page_ + count - 1) % count : (page_ + 1) % count);
}

void OptionsScreen::focusMoved(const Control* from, const Control* to) {
    if (from == &ctl::BtnOKV && !turning_ && page_ == ctl::kVersionPage) {
        session_.speech.speak(std::string(ctl::kPages[page_].caption) + " " + std::string(options::kProgramName) + " " +
                              options::versionLine());
    }
    if (to == nullptr || turning_) return;
    if (to == &ctl::PgOption) {
        if (!ctl::kPages[page_].spoken.empty()) session_.speech.speak(ctl::kPages[page_].spoken);
    } else if (to->kind != ControlKind::Page && !to->spoken.empty()) {
        session_.speech.speak(to->spoken);
    }
}

void OptionsScreen::switchTicked(std::size_t which, bool ticked) { general_.options.switches.at(which) = ticked; }

void OptionsScreen::speechOutputTicked(bool ticked) { general_.speechOutput = ticked; }

void OptionsScreen::fontChosen(std::size_t which) { general_.options.fontSize = engine::kFontSizes.at(which); }

void OptionsScreen::pathEdited(const Control& edit, std::string_view text) {
    (&edit == &ctl::EdtSysocPath ? general_.options.sysocPath : general_.options.bootPath) = std::string(text);
}

void OptionsScreen::browse(const Control& button) {
    if (fileDialog_ == nullptr) return;
    const bool sysoc = &button == &ctl::BtnSysocPath;
    std::string& path = sysoc ? general_.options.sysocPath : general_.options.bootPath;
    // The folder of the path in the edit, else the system drive's root.
    const std::size_t slash = path.find_last_of('\\');
    const std::string folder = slash != std::string::npos && slash >= 2 ? path.substr(0, slash == 2 ? 3 : slash)
                                                                        : session_.paths.answerFile.substr(0, 3);
    const std::optional<std::string> chosen = sysoc ? fileDialog_->choose(options::kSysocTitle, options::kSysocFilter, folder)
                                                    : fileDialog_->choose(options::kBootTitle, options::kBootFilter, folder);
    if (!chosen) return;
    path = *chosen;
    view_.setCaption(sysoc ? ctl::EdtSysocPath : ctl::EdtBootPath, path);
}

void OptionsScreen::applyGeneral() {
    const engine::GeneralOptions& o = general_.options;
    targets_.setCommentFont(o.fontSize);
    targets_.setCommentHint(o.switches[ctl::CommentHint]);
    engine::writeGeneralOptions(session_.settings, o);
    // Ticked writes "Speech" (a stored "Both" stays); unticked deletes the key: the clipboard.
    if (!general_.speechOutput) {
        session_.settings.remove(foundation::kGeneralSection, "SpeechOutput");
    } else if (foundation::speechOutputSetting(session_.settings) != foundation::SpeechOutput::Both) {
        session_.settings.write(foundation::kGeneralSection, "SpeechOutput",
                                foundation::speechOutputText(foundation::SpeechOutput::Speech));
    }
    read_ = readGeneral();
}

void OptionsScreen::loadLocks() {
    const std::vector<std::string>& keys = engine::lockKeys();
    locks_.clear();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        locks_.push_back(engine::readLockBox(session_.settings, keys[i]));
        view_.setChecked(ctl::lockBoxes()[i], locks_[i].ticked);
        view_.setEnabled(ctl::lockBoxes()[i], locks_[i].enabled);
    }
}

void OptionsScreen::lockTicked(std::size_t box, bool ticked) {
    if (box < locks_.size() && locks_[box].enabled) locks_[box].ticked = ticked;
}

void OptionsScreen::applyLocks() {
    const std::vector<std::string>& keys = engine::lockKeys();
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (locks_[i].enabled) engine::writeLockBox(session_.settings, keys[i], locks_[i].ticked);
    targets_.applyLockedItems();
}

void OptionsScreen::linkClicked(const Control& link) {
    // The shell's answer is not looked at: a browser that cannot open the page reports it itself.
    (void)session_.platform.shell.shellExecute("open", std::string(link.hint), "", "", platform::showcmd::Normal);
}

void OptionsScreen::revealHidden() {
    if (!revealed_) view_.addPage(ctl::PgOption, ctl::kPages[ctl::kHiddenPage]);
    revealed_ = true;
    turning_ = true;
    turnTo(ctl::kHiddenPage);
    // Into the page control, which speaks nothing on this page.
    view_.focus(ctl::PnlFocus);
    view_.focus(ctl::PgOption);
    turning_ = false;
}

void OptionsScreen::loadHidden() {
    // A "Transparent" that is no number counts as absent: the bar then stands at the opaque
    // end, the edit stays empty, and nothing is applied until the user moves either. A number
    // out of range stops at the bar's end, which the edit then shows.
    if (const auto stored = foundation::settingNumber(session_.settings.general("Transparent"))) {
        transparency_ = static_cast<int>(std::clamp<long long>(*stored, 0, kOpaque));
        transparencyText_ = std::to_string(*transparency_);
    }
    showPosition();
    view_.setCaption(ctl::EdtTrans, transparencyText_);

    const std::string style = session_.settings.general("ColorStyle");
    for (std::size_t i = 1; i < ctl::kStyleButtons.size(); ++i) {
        const std::string_view name = i < engine::kColorStyles.size() ? engine::kColorStyles[i].name : engine::kOptionalStyle;
        if (style == name) style_ = i;
    }
    view_.setChecked(ctl::kStyleButtons[style_], true);
    for (std::size_t i = 0; i < engine::kColorKeys.size(); ++i) {
        const auto colour = foundation::colorFromText(session_.settings.general(engine::kColorKeys[i]));
        swatches_[i] = colour ? *colour : colours::kWhite;
        view_.setColours(ctl::kSwatches[i], swatches_[i], colours::kBlack);
    }
    const std::string tabStyle = session_.settings.general("TabStyle");
    for (std::size_t i = 0; i < kTabStyles.size(); ++i)
        if (tabStyle == engine::tabStyleText(kTabStyles[i])) tabStyle_ = i;
    view_.setChecked(ctl::kTabStyleButtons[tabStyle_], true);
}

void OptionsScreen::showPosition() { view_.setPosition(ctl::ScrTrans, transparency_.value_or(kOpaque)); }

void OptionsScreen::transparencyMoved(int position) {
    transparency_ = std::clamp(position, 0, kOpaque);
    transparencyText_ = std::to_string(*transparency_);
    view_.setCaption(ctl::EdtTrans, transparencyText_);
}

void OptionsScreen::transparencyTyped(std::string_view text) {
    transparencyText_ = std::string(text);
    const auto number = foundation::settingNumber(text);
    if (!number) return;  // empty, or no number: the bar stays
    transparency_ = static_cast<int>(std::clamp<long long>(*number, 0, kOpaque));
    showPosition();
    if (*number > kOpaque) {
        transparencyText_ = std::to_string(kOpaque);
        view_.setCaption(ctl::EdtTrans, transparencyText_);
    }
}

void OptionsScreen::styleChosen(std::size_t style) {
    if (style < ctl::kStyleButtons.size()) style_ = style;
}

void OptionsScreen::tabStyleChosen(std::size_t style) {
    if (style < kTabStyles.size()) tabStyle_ = style;
}

void OptionsScreen::colourPicked(std::size_t target, std::uint32_t colour) {
    swatches_.at(target) = colour;
    view_.setColours(ctl::kSwatches[target], colour, colours::kBlack);
    style_ = ctl::kOptionalStyle;
    view_.setChecked(ctl::kStyleButtons[style_], true);
}

void OptionsScreen::applyHidden() {
    // Without layered windows there is no transparency to set or to warn about; a transparency
    // never stored nor touched is none to apply.
    if (layered_ && transparency_) {
        targets_.setMainOpacity(*transparency_);
        if (*transparency_ < kLeastVisible) session_.dialogs.inform(options::kTransparencyWarningSpoken, options::kTransparencyWarning);
        engine::writeTransparent(session_.settings, transparencyText_);
    }

    const std::string_view name = style_ < engine::kColorStyles.size() ? engine::kColorStyles[style_].name
                                                                        : engine::kOptionalStyle;
    if (!engine::colorStyleSkipped(session_.settings, name)) {
        const engine::StyleColors colours = style_ < engine::kColorStyles.size() ? engine::kColorStyles[style_].colors : swatches_;
        for (std::size_t i = 0; i < colours.size(); ++i) {
            targets_.setTargetColour(static_cast<ColourTarget>(i), colours[i]);
            view_.setColours(ctl::kSwatches[i], colours[i], colours::kBlack);
        }
        swatches_ = colours;
        engine::writeColorStyle(session_.settings, name, colours);
        targets_.repaintMain();
    }

    targets_.setTabStyle(kTabStyles[tabStyle_]);
    engine::writeTabStyle(session_.settings, kTabStyles[tabStyle_]);
}

}  // namespace hastelyn::ui::model
