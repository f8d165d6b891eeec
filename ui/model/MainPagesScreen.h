#pragma once
// The main window's pages as they react: a row chosen in a list (commentary, spoken row, the
// more-information button), a control of the utilities or PC-information page taking the focus,
// the tool buttons, the change and detail buttons, the more-information button and the search
// menu. It holds the commentary panel and the lock state of the pages' controls.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/Session.h"
#include "engine/Utilities.h"
#include "ui/model/CommentaryPanel.h"
#include "ui/model/MainControls.h"
#include "ui/model/MainPagesView.h"
#include "ui/model/PageLocks.h"

namespace hastelyn::ui::model {

// The kinds of list a page holds.
enum class PageList { Tweak, Services, Utilities, Info };

class MainPagesScreen {
public:
    MainPagesScreen(engine::Session& session, MainPagesView& view);

    CommentaryPanel& commentary() { return commentary_; }
    PageLocks& locks() { return locks_; }
    const PageLocks& locks() const { return locks_; }

    // What the pages show before anything happened: the more-information button hidden, the
    // fields as their locks say.
    void showInitialState();

    // A row chosen in a list of the page with this caption (by a click or the arrow keys), with
    // its text and, in a check list, its tick: the commentary, the spoken row, the
    // more-information button.
    void rowChosen(PageList list, std::string_view caption, int row, std::string_view rowText,
                   std::optional<bool> ticked);

    // The help page the more-information button opens on this page with this row of the
    // utilities list current; nothing where it has none.
    static std::optional<std::string_view> moreInfoPage(int page, int utilityRow);
    void moreInfoClicked(int page, int utilityRow);
    // A search engine's item of the search menu: the search word looked up there.
    void searchChosen(std::string_view engineKey);

    // A tool button of the utilities page.
    void utilityPressed(std::size_t button, const engine::UtilityChoices& choices);
    // The ten PC-information fields from the machine (at start, and after a restore).
    void showPcInformation();
    // The detail text of a service (by display name) in the commentary panel.
    void showServiceDetail(std::string_view displayName);
    // The change button with the three editable fields as the user left them.
    void changePressed(std::string user, std::string organization, std::string computer);
    void detailPressed();

private:
    engine::Session& session_;
    MainPagesView& view_;
    CommentaryPanel commentary_;
    PageLocks locks_;
};

}  // namespace hastelyn::ui::model
