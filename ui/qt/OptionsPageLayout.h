#pragma once
// What the options window's pages share in their layout: group boxes across the page and the
// apply and close buttons at its foot.
#include <QGroupBox>
#include <QPushButton>

#include <utility>

#include "ui/qt/Widgets.h"

namespace hastelyn::ui::layout {

inline constexpr int kGroupLeft = 6;
inline constexpr int kGroupWidth = 413;
inline constexpr int kRowWidth = 395;
inline constexpr int kButtonTop = 327;

inline QGroupBox* group(QWidget* page, const char* name, const char* caption, int top, int height) {
    auto* box = place<QGroupBox>(page, name, kGroupLeft, top, kGroupWidth, height);
    box->setTitle(u8(caption));
    return box;
}

// "適用" and "閉じる" at the page's foot, right-aligned.
inline std::pair<QPushButton*, QPushButton*> pageButtons(QWidget* page, const char* apply, const char* close) {
    return {button(page, apply, u8("適用"), 250, kButtonTop, 80, 23),
            button(page, close, u8("閉じる"), 336, kButtonTop, 80, 23)};
}

}  // namespace hastelyn::ui::layout
