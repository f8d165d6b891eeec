#include "ui/model/CompactScreen.h"

#include <string>

#include "ui/model/Colours.h"
#include "ui/model/CompactControls.h"

namespace hastelyn::ui::model {
namespace {

using engine::PanelFigures;
namespace c = compact;

// Each figure label and bar with the figure it shows.
struct FigureText {
    const Control* label;
    std::string PanelFigures::*text;
};
struct FigureBar {
    const Control* bar;
    int PanelFigures::*value;
};

constexpr FigureText kTexts[] = {
    {&c::LblCPUUse, &PanelFigures::cpuUse},
    {&c::LblMemTotal, &PanelFigures::memTotal},
    {&c::LblMemFree, &PanelFigures::memFree},
    {&c::LblMemUse, &PanelFigures::memUse},
    {&c::LblVirtualTotal, &PanelFigures::virtualTotal},
    {&c::LblVirtualFree, &PanelFigures::virtualFree},
    {&c::LblVirtualUse, &PanelFigures::virtualUse},
    {&c::LblPageTotal, &PanelFigures::pageTotal},
    {&c::LblPageFree, &PanelFigures::pageFree},
    {&c::LblPageUse, &PanelFigures::pageUse},
    {&c::LblHDTotal, &PanelFigures::hdTotal},
    {&c::LblHDFree, &PanelFigures::hdFree},
    {&c::LblHDUse, &PanelFigures::hdUse},
    {&c::LblReceiveSpeed, &PanelFigures::receiveSpeed},
    {&c::LblSendSpeed, &PanelFigures::sendSpeed},
};
constexpr FigureBar kBars[] = {
    {&c::PrgCPUUse, &PanelFigures::cpuBar},         {&c::PrgMemUse, &PanelFigures::memBar},
    {&c::PrgVirtualUse, &PanelFigures::virtualBar}, {&c::PrgPageUse, &PanelFigures::pageBar},
    {&c::PrgHDUse, &PanelFigures::hdBar},
};

}  // namespace

CompactScreen::CompactScreen(engine::Session& session, CompactView& view)
    : view_(view), meters_(session), client_(c::FrmCompact.rect) {
    meters_.timerEnabled = [this](bool on) { view_.setTimer(on); };
    view_.setColours(c::FrmCompact, colours::kMenu, colours::kBlack);
    showPanel(false);
    showFigures();
}

void CompactScreen::showPanel(bool open) {
    view_.setVisible(c::GrpPerformance, open);
    // The strip's last three buttons stand past its width: hidden with the panel, they are out of
    // the Tab walk too.
    for (const Control* row : {&c::BtnTray, &c::BtnMinimum, &c::BtnClose_s}) view_.setVisible(*row, open);
}

void CompactScreen::performanceClicked(bool down) {
    if (down)
        meters_.openView();
    else
        meters_.closeView();
    const Rect& client = meters_.viewOpen() ? c::kPanelSize : c::FrmCompact.rect;
    const Rect frame = view_.place().frame;
    placeKeptOnScreen({frame.left, frame.top, frame.width + client.width - client_.width,
                       frame.height + client.height - client_.height},
                      client);
    showPanel(meters_.viewOpen());
    showLists();
    showFigures();
    syncSampling();
}

void CompactScreen::tick() {
    meters_.refresh();
    // A processor error empties the CPU list.
    if (meters_.cpuList().items.size() != cpuItemsShown_) showLists();
    showFigures();
}

void CompactScreen::adapterChosen(int index) {
    meters_.chooseAdapter(index);
    view_.setHint(c::CmbNICList, meters_.adapterList().text());
}

void CompactScreen::windowState(bool shown, bool minimised) {
    shown_ = shown;
    minimised_ = minimised;
    syncSampling();
}

void CompactScreen::centreOver(const Rect& owner) {
    const Rect frame = view_.place().frame;
    placeKeptOnScreen({owner.left + (owner.width - frame.width) / 2, owner.top + (owner.height - frame.height) / 2,
                       frame.width, frame.height},
                      client_);
}

void CompactScreen::placeKeptOnScreen(const Rect& wantedFrame, const Rect& client) {
    const Rect placed = keepOnScreen(view_.place().workArea, wantedFrame);
    view_.placeWindow(placed.left, placed.top, client.width, client.height);
    client_ = client;
}

void CompactScreen::syncSampling() {
    if (shown_ && !minimised_ && meters_.viewOpen())
        meters_.startSampling();
    else
        meters_.stopSampling();
}

void CompactScreen::showFigures() {
    const PanelFigures& f = meters_.figures();
    for (const FigureText& t : kTexts) view_.setCaption(*t.label, f.*t.text);
    for (const FigureBar& b : kBars) view_.setBar(*b.bar, f.*b.value);
}

void CompactScreen::showLists() {
    view_.setChoices(c::CmbCPUList, meters_.cpuList());
    view_.setChoices(c::CmbHDList, meters_.driveList());
    view_.setChoices(c::CmbNICList, meters_.adapterList());
    view_.setHint(c::CmbNICList, meters_.adapterList().text());
    cpuItemsShown_ = meters_.cpuList().items.size();
}

}  // namespace hastelyn::ui::model
