#include "ui/model/OptionsControls.h"

#include <deque>

namespace hastelyn::ui::model::options::controls {
namespace {

struct LockRow {
    std::string_view heading;
    std::size_t boxes;
};
// The rows of boxes in the order of engine::lockKeys().
constexpr std::array<LockRow, 8> kLockRows = {{{"■ システム", 10}, {"■ デスクトップ", 10}, {"■ エクスプローラ", 10},
                                               {"■ 起動・終了", 10}, {"■ その他", 10}, {"■ ユーティリティ", 10},
                                               {"■ パソコン情報", 3}, {"■ 不要サービス", 1}}};
constexpr int kFirstRowTop = 40;
constexpr int kRowHeight = 30;
constexpr int kBoxesLeft = 104;
constexpr int kBoxWidth = 30;
constexpr int kLastBoxWidth = 38;  // room for "10"
constexpr int kWholeBoxWidth = 160;

struct LockControls {
    std::deque<std::string> texts;  // what the rows' views look at; a deque never moves them
    std::vector<Control> headings;
    std::vector<Control> boxes;
    std::vector<std::string_view> boxHeadings;  // the heading of each box, "■ " left off
};

const LockControls& lockControls() {
    static const LockControls made = [] {
        LockControls c;
        const std::vector<std::string>& keys = engine::lockKeys();
        std::size_t key = 0;
        for (std::size_t row = 0; row < kLockRows.size(); ++row) {
            const int top = kFirstRowTop + static_cast<int>(row) * kRowHeight;
            const std::string_view heading = kLockRows[row].heading;
            const std::string_view name = c.texts.emplace_back("LblDisabled" + std::to_string(row + 1));
            c.headings.push_back({name, Label, {10, top, kBoxesLeft - 12, 18}, heading, {}, {}, {}, "GrpDisabled"});
            for (std::size_t i = 0; i < kLockRows[row].boxes; ++i, ++key) {
                const bool whole = kLockRows[row].boxes == 1;
                const bool last = i + 1 == kLockRows[row].boxes;
                const std::string_view box = c.texts.emplace_back("Chc" + keys[key]);
                const std::string_view caption = c.texts.emplace_back(whole ? "全てのサービス" : std::to_string(i + 1));
                c.boxes.push_back({box, CheckBox,
                                   {kBoxesLeft + static_cast<int>(i) * kBoxWidth, top,
                                    whole ? kWholeBoxWidth : last ? kLastBoxWidth : kBoxWidth, 18},
                                   caption, {}, {}, {}, "GrpDisabled"});
                c.boxHeadings.push_back(heading.substr(std::string_view("■ ").size()));
            }
        }
        return c;
    }();
    return made;
}

template <std::size_t N>
const Control* among(const std::array<Control, N>& rows, const Control& control) {
    for (const Control& row : rows)
        if (&row == &control) return &row;
    return nullptr;
}

}  // namespace

const std::vector<Control>& lockHeadings() { return lockControls().headings; }
const std::vector<Control>& lockBoxes() { return lockControls().boxes; }

std::string accessibleName(const Control& control) {
    if (&control == &EdtBootPath) return std::string(LblBootPath.caption);
    if (&control == &EdtSysocPath) return std::string(LblSysocPath.caption);
    if (&control == &BtnBootPath) return std::string(LblBootPath.caption) + " の参照";
    if (&control == &BtnSysocPath) return std::string(LblSysocPath.caption) + " の参照";
    if (&control == &ScrTrans || &control == &EdtTrans) return "透明度";
    if (&control == &BtnHidden) return std::string(BtnHidden.hint);
    if (among(kFontButtons, control) != nullptr) return "文字の大きさ " + std::string(control.caption);
    for (std::size_t i = 0; i < kSwatches.size(); ++i)
        if (&control == &kSwatches[i]) return std::string(kColourLabels[i].caption);
    const LockControls& locks = lockControls();
    for (std::size_t i = 0; i < locks.boxes.size(); ++i)
        if (&control == &locks.boxes[i]) return std::string(locks.boxHeadings[i]) + " " + std::string(control.caption);
    return std::string(control.caption);
}

}  // namespace hastelyn::ui::model::options::controls
