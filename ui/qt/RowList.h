#pragma once
// A list of rows that behaves as a list box: moving the focus into it with the keyboard
// chooses no row by itself (a chosen row shows its commentary and is spoken, so only the
// user chooses one, with the arrow keys or the mouse).
#include <QListWidget>

namespace hastelyn::ui {

class RowList : public QListWidget {
    Q_OBJECT
public:
    explicit RowList(QWidget* parent = nullptr);

    // Makes the list's font as large as it may be, up to pixelSize and down to a legible 10,
    // for every row to fit its room. A list not shown yet is fitted when it first shows, in the
    // room it has then: measuring every row loads the font's glyphs at each size tried, work
    // that a page nobody has opened need not do at start.
    void fitRows(int pixelSize);
    // Every row this many pixels high, whatever its font.
    void setRowHeight(int pixels);

private:
    // The width a row at top (within the contents) of that height has: the list's, up to the
    // first control of its page that stands over the row (the utility buttons, the
    // information fields).
    int roomAt(int top, int height) const;
    // Whether every row, with its tick box and margins, fits its room in the list's font.
    bool rowsFit() const;
    void fitNow();

    int fitPixels_ = 0;  // the size a fit still to come starts from; 0 when none is due

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // With the focus and no row chosen, a focus frame round row ① shows where the arrow keys
    // start, as a list box draws its caret.
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace hastelyn::ui
