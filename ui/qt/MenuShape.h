#pragma once
// The rounded shape behind the main window's menu: a diagonal-cross hatch and a 3-pixel
// border, both in the menu colour, over the window's white.
#include <QWidget>

namespace hastelyn::ui {

class MenuShape : public QWidget {
    Q_OBJECT
public:
    MenuShape(QColor colour, QWidget* parent);

    QColor colour() const { return colour_; }
    void setColour(QColor colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

}  // namespace hastelyn::ui
