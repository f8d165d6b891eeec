#include "ui/model/MainPagesScreen.h"

#include "engine/PcInformation.h"
#include "engine/Services.h"
#include "foundation/HelpSearch.h"
#include "foundation/SpokenTexts.h"
#include "foundation/WebSearch.h"
#include "ui/model/MainPagesControls.h"

namespace hastelyn::ui::model {
namespace {

// Rows of the utilities list whose tools have a page of more information.
constexpr int kSystemConfigurationRow = 2;  // ③
constexpr int kGroupPolicyRow = 4;          // ⑤

std::string_view hintsOf(PageList list) {
    switch (list) {
        case PageList::Utilities: return foundation::spoken::kUtilityHints;
        case PageList::Info: return foundation::spoken::kInfoHints;
        default: return foundation::spoken::kRowHints;
    }
}

}  // namespace

MainPagesScreen::MainPagesScreen(engine::Session& session, MainPagesView& view)
    : session_(session), view_(view), commentary_(view, session.settings) {}

void MainPagesScreen::showInitialState() {
    view_.setVisible(pages::BtnMoreInfo, false);
    locks_.show(view_);
}

void MainPagesScreen::showServiceDetail(std::string_view displayName) {
    commentary_.showServiceDetail(engine::ShowServiceDetail(session_, displayName));
}

void MainPagesScreen::rowChosen(PageList list, std::string_view caption, int row, std::string_view rowText,
                                std::optional<bool> ticked) {
    if (row < 0) return;
    if (list == PageList::Services) {
        showServiceDetail(rowText);
    } else {
        commentary_.show(caption, row);
    }
    session_.speech.speakListSelection(caption, rowText, ticked, hintsOf(list));
    view_.setVisible(pages::BtnMoreInfo,
                     list == PageList::Services ||
                         (list == PageList::Utilities && (row == kSystemConfigurationRow || row == kGroupPolicyRow)));
}

std::optional<std::string_view> MainPagesScreen::moreInfoPage(int page, int utilityRow) {
    if (page == main::kServicePage) return "service.htm";
    if (page == main::kUtilityPage && utilityRow == kSystemConfigurationRow) return "startup.htm";
    if (page == main::kUtilityPage && utilityRow == kGroupPolicyRow) return "group_policy.htm";
    return std::nullopt;
}

void MainPagesScreen::moreInfoClicked(int page, int utilityRow) {
    if (const std::optional<std::string_view> name = moreInfoPage(page, utilityRow))
        foundation::openAddress(session_.platform.shell,
                                foundation::helpPagePath(session_.platform.system.programPath(), *name));
}

void MainPagesScreen::searchChosen(std::string_view engineKey) {
    const std::string& word = commentary_.searchWord();
    if (engineKey == "Pelmora") {
        // Our site is the help beside the program: its pages are searched here.
        foundation::openAddress(session_.platform.shell, foundation::searchHelp(session_.platform, word));
        return;
    }
    if (const std::optional<std::string> address = foundation::searchAddress(engineKey, word))
        foundation::openAddress(session_.platform.shell, *address);
}

void MainPagesScreen::utilityPressed(std::size_t button, const engine::UtilityChoices& choices) {
    if (button >= pages::kUtilityButtons.size()) return;
    engine::runUtility(session_, static_cast<engine::Utility>(button), choices);
}

void MainPagesScreen::showPcInformation() {
    const engine::PcInformation info = engine::ReadPcInformation(session_);
    for (std::size_t i = 0; i < pages::kInfoFields.size(); ++i) view_.setCaption(*pages::kInfoFields[i], info[i]);
}

void MainPagesScreen::changePressed(std::string user, std::string organization, std::string computer) {
    // Every field is written, a locked one too: the lock keeps the user from typing, not the
    // command from writing what the field shows.
    const engine::PcInfoEdit edit{std::move(user), std::move(organization), std::move(computer)};
    engine::BtnChangeClick(session_, edit);
}

void MainPagesScreen::detailPressed() { engine::BtnDetailClick(session_); }

}  // namespace hastelyn::ui::model
