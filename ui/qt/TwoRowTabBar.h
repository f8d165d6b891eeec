#pragma once
// A tab bar that lays its tabs out in two rows, the way a multi-line tab control does when the
// captions do not fit one row: each row is stretched to the full width, and the row that holds
// the current tab is the one next to the page.
#include <QTabBar>
#include <QTabWidget>

namespace hastelyn::ui {

class TwoRowTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit TwoRowTabBar(QWidget* parent = nullptr);

    // Where tab index is drawn and clicked, in this bar's coordinates.
    QRect rowTabRect(int index) const;
    // The tab at a point, or -1.
    int rowTabAt(const QPoint& pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The wheel over the tabs goes on to the window, which turns the pages its own way.
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    int rowHeight() const;
    int firstRowCount() const;
};

// A page control whose tabs wrap onto two rows.
class TwoRowPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TwoRowPageControl(QWidget* parent = nullptr) : QTabWidget(parent) {
        setTabBar(new TwoRowTabBar(this));
        // The pages go without a frame of their own: the lists fill them edge to edge.
        setDocumentMode(true);
    }
    TwoRowTabBar* rows() const { return static_cast<TwoRowTabBar*>(tabBar()); }
};

}  // namespace hastelyn::ui
