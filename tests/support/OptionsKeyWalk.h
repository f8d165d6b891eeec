#pragma once
// One walk over the options window with the keys alone, and the text each key must leave on the
// clipboard: through the general page to its buttons, the page control's arrows, the version
// page, the hidden page revealed from the keyboard, Escape. The texts are the model's, so the
// same walk runs against every front end and finds where one says something the other does not.
//
// The walk expects the window shown on its general page over a session whose "Sound" is "On",
// the focus on the page control.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/model/OptionsTexts.h"

namespace hastelyn::testing::optionswalk {

enum class Key { Tab, ShiftTab, Left, Right, Space, Escape };

// A front end's options window as the walk drives it.
class Front {
public:
    virtual ~Front() = default;
    // The key goes down and up at the focused control; what it started has run on return.
    virtual void press(Key key) = 0;
    virtual std::string clipboard() = 0;
    // The row name of the focused control ("PgOption" for the page control's tabs).
    virtual std::string focusedName() = 0;
    virtual bool shown() = 0;
    // The speech-synthesizer box, where the front end has a synthesizer to offer.
    virtual bool speechOutputBox() = 0;
};

struct Step {
    Key key;
    std::string_view focus;                  // empty: not looked at
    std::optional<std::string> says = {};  // nothing: the clipboard as it was before the key
};

// The differences from the walk, one line each; none when the front end said and did it all.
inline std::vector<std::string> walkOptionsWindow(Front& front) {
    namespace texts = ui::model::options;
    const std::string closeFocused(texts::kCloseFocused);
    const std::string versionPage(texts::kVersionPageEntered);
    std::vector<Step> steps;
    for (std::string_view name : {"EdtBootPath", "BtnBootPath", "EdtSysocPath", "BtnSysocPath", "ChcAutoRestore", "ChcSound",
                                  "ChcSpeechOutput", "ChcReboot", "ChcInform", "RdFontM", "ChcCommentHint", "ChcLineFeed"})
        steps.push_back({Key::Tab, name});
    steps.insert(steps.end(), {
        {Key::Tab, "BtnOKO", std::string(texts::kApplyFocused)},
        {Key::Tab, "BtnCloseO", closeFocused},
        {Key::Tab, "PgOption", std::string(texts::kOptionPageEntered)},
        {Key::Right, "PgOption"},  // the locked-items page has no text of its own
        {Key::Tab, "ChcSystem1"},
        {Key::ShiftTab, "PgOption"},
        {Key::Right, "PgOption", versionPage},
        {Key::Tab, "LblUrl"},
        {Key::Tab, "LblSupport"},
        {Key::Tab, "BtnHidden"},
        {Key::Tab, "BtnOKV", closeFocused},
        // Leaving OK says the page, the program and its version.
        {Key::ShiftTab, "BtnHidden", "バージョン情報 Hastelyn " + texts::versionLine()},
        // The hidden page revealed says nothing of the version page.
        {Key::Space, "PgOption"},
    });
    for (std::string_view name : {"ScrTrans", "EdtTrans", "RdDefault", "LblTitleColor", "LblMenuColor", "LblAccelColor",
                                  "LblSubColor", "LblRestoreColor", "LblCompactColor", "RdTabs", "BtnOKH", "BtnCloseH"})
        steps.push_back({Key::Tab, name});
    steps.insert(steps.end(), {{Key::Tab, "PgOption"},
                               {Key::Left, "PgOption", versionPage},
                               {Key::Escape, {}, std::string(texts::kWindowClosed)}});

    std::vector<std::string> differences;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        if (step.focus == "ChcSpeechOutput" && !front.speechOutputBox()) continue;
        const std::string before = front.clipboard();
        front.press(step.key);
        const std::string where = "step " + std::to_string(i) + " (" + std::string(step.focus) + "): ";
        if (const std::string focus = front.focusedName(); !step.focus.empty() && focus != step.focus)
            differences.push_back(where + "the focus is on " + focus);
        if (const std::string said = front.clipboard(); said != step.says.value_or(before))
            differences.push_back(where + "said " + said);
    }
    if (front.shown()) differences.push_back("Escape left the window shown");
    return differences;
}

}  // namespace hastelyn::testing::optionswalk
