// The compact window's performance panel: six groups of meters at their places, and what they
// show taken from the meters.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QSignalBlocker>

#include "ui/qt/CompactWindow.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

using Figures = engine::PanelFigures;

// Inside a group, 249 wide: a drop-down list in the first row, the totals and the share below.
constexpr int kListRow = 16, kRowHeight = 14;

QLabel* caption(QWidget* group, std::string_view text, int left, int top, int width) {
    auto* label = new QLabel(u8(text), group);
    label->setGeometry(left, top, width, kRowHeight);
    return label;
}

QLabel* figure(QWidget* group, const char* name, int left, int top, int width) {
    auto* label = place<QLabel>(group, name, left, top, width, kRowHeight);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QComboBox* choiceList(QWidget* group, const char* name, std::string_view heading) {
    caption(group, heading, 8, kListRow, 72);
    auto* list = place<QComboBox>(group, name, 80, kListRow - 3, 161, 20);
    list->setAccessibleName(u8(heading));
    return list;
}

QProgressBar* bar(QWidget* group, const char* name, std::string_view title, int top) {
    auto* progress = place<QProgressBar>(group, name, 104, top, 137, kRowHeight);
    progress->setAccessibleName(u8(title) + u8(" 使用率"));
    progress->setRange(0, 100);
    progress->setValue(0);
    progress->setTextVisible(false);
    return progress;
}

// One group of meters of the same kind.
struct MeterGroup {
    const char* name;
    std::string_view title;
    int top, height;
    const char* list;  // its drop-down list, or null
    std::string_view listHeading;
    const char* total;  // the labels "合計" and "利用可能", or null
    std::string Figures::*totalText;
    const char* free;
    std::string Figures::*freeText;
    const char* use;  // the share "使用率" with its bar, or null
    std::string Figures::*useText;
    const char* useBar;
    int Figures::*barValue;
};

const MeterGroup kGroups[] = {
    {"GrpCPU", "CPU", 16, 56, "CmbCPUList", "表示CPU", nullptr, nullptr, nullptr, nullptr, "LblCPUUse", &Figures::cpuUse,
     "PrgCPUUse", &Figures::cpuBar},
    {"GrpMemory", "物理メモリ", 72, 56, nullptr, {}, "LblMemTotal", &Figures::memTotal, "LblMemFree", &Figures::memFree,
     "LblMemUse", &Figures::memUse, "PrgMemUse", &Figures::memBar},
    {"GrpVirtual", "仮想メモリ", 128, 56, nullptr, {}, "LblVirtualTotal", &Figures::virtualTotal, "LblVirtualFree",
     &Figures::virtualFree, "LblVirtualUse", &Figures::virtualUse, "PrgVirtualUse", &Figures::virtualBar},
    {"GrpPage", "ページングファイル", 184, 56, nullptr, {}, "LblPageTotal", &Figures::pageTotal, "LblPageFree",
     &Figures::pageFree, "LblPageUse", &Figures::pageUse, "PrgPageUse", &Figures::pageBar},
    {"GrpHD", "ハードディスク", 240, 72, "CmbHDList", "表示ドライブ", "LblHDTotal", &Figures::hdTotal, "LblHDFree",
     &Figures::hdFree, "LblHDUse", &Figures::hdUse, "PrgHDUse", &Figures::hdBar},
    {"GrpNetwork", "ネットワーク", 312, 50, "CmbNICList", "表示NIC", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr, nullptr},
};

// Puts a list's items, choice and "未対応" into a drop-down list, without its signals.
void showChoices(QComboBox* box, const engine::ChoiceList& list) {
    const QSignalBlocker quiet(box);
    box->clear();
    box->setEditable(list.unsupported);
    for (const std::string& item : list.items) box->addItem(QString::fromStdString(item));
    box->setCurrentIndex(list.selected);
    if (list.unsupported) box->setEditText(u8(engine::kUnsupported));
}

}  // namespace

void TFrmCompact::buildPanel() {
    GrpPerformance = place<QGroupBox>(this, "GrpPerformance", 8, 26, 265, 367);
    GrpPerformance->setTitle(u8("パフォーマンス"));
    for (const MeterGroup& g : kGroups) {
        auto* group = place<QGroupBox>(GrpPerformance, g.name, 8, g.top, 249, g.height);
        group->setTitle(u8(g.title));
        int row = kListRow;
        if (g.list != nullptr) {
            choiceList(group, g.list, g.listHeading);
            row += 20;
        }
        if (g.total != nullptr) {
            caption(group, "合計", 8, row, 28);
            labels_.emplace_back(figure(group, g.total, 36, row, 72), g.totalText);
            caption(group, "利用可能", 114, row, 52);
            labels_.emplace_back(figure(group, g.free, 166, row, 75), g.freeText);
            row += 18;
        }
        if (g.use != nullptr) {
            caption(group, "使用率", 8, row, 40);
            labels_.emplace_back(figure(group, g.use, 48, row, 50), g.useText);
            bars_.emplace_back(bar(group, g.useBar, g.title, row), g.barValue);
        }
    }
    // The network group's two figures side by side.
    auto* network = GrpPerformance->findChild<QGroupBox*>("GrpNetwork");
    caption(network, "受信", 8, 34, 28);
    labels_.emplace_back(figure(network, "LblReceiveSpeed", 36, 34, 82), &Figures::receiveSpeed);
    caption(network, "送信", 126, 34, 28);
    labels_.emplace_back(figure(network, "LblSendSpeed", 154, 34, 87), &Figures::sendSpeed);

    CmbCPUList = findChild<QComboBox*>("CmbCPUList");
    CmbHDList = findChild<QComboBox*>("CmbHDList");
    CmbNICList = findChild<QComboBox*>("CmbNICList");
    connect(CmbCPUList, &QComboBox::currentIndexChanged, this, [this](int i) { meters_.chooseCpu(i); });
    connect(CmbHDList, &QComboBox::currentIndexChanged, this, [this](int i) { meters_.chooseDrive(i); });
    connect(CmbNICList, &QComboBox::currentIndexChanged, this, [this](int i) {
        meters_.chooseAdapter(i);
        // The hint shows the whole adapter description, which the list may cut.
        CmbNICList->setToolTip(CmbNICList->currentText());
    });
    showFigures();
}

void TFrmCompact::showFigures() {
    const Figures& f = meters_.figures();
    for (const auto& [label, text] : labels_) label->setText(QString::fromStdString(f.*text));
    for (const auto& [progress, value] : bars_) progress->setValue(f.*value);
}

void TFrmCompact::showLists() {
    showChoices(CmbCPUList, meters_.cpuList());
    showChoices(CmbHDList, meters_.driveList());
    showChoices(CmbNICList, meters_.adapterList());
    CmbNICList->setToolTip(CmbNICList->currentText());
}

}  // namespace hastelyn::ui
