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
    // for every row to fit its room.
    void fitRows(int pixelSize);

private:
    // The width a row at top (within the contents) of that height has: the list's, up to the
    // first control of its page that stands over the row (the utility buttons, the
    // information fields).
    int roomAt(int top, int height) const;
    // Whether every row, with its tick box and margins, fits its room in the list's font.
    bool rowsFit() const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // With the focus and no row chosen, a focus frame round row ① shows where the arrow keys
    // start, as a list box draws its caret.
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace hastelyn::ui
