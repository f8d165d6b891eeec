#include "ui/qt/SmallScreen.h"

#include <QApplication>
#include <QGuiApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWheelEvent>
#include <QWidget>

#include "ui/model/ScreenFit.h"

namespace hastelyn::ui {
namespace {

// The wheel keeps the meaning the window gives it (the main window turns its pages): the area
// passes it on. Its bars are moved by the mouse, and by the focus going to a control out of view.
class WindowScrollArea final : public QScrollArea {
public:
    using QScrollArea::QScrollArea;

protected:
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }
};

model::Rect rectOf(const QRect& r) { return {r.left(), r.top(), r.width(), r.height()}; }

class ScreenKeeper final : public QObject {
public:
    explicit ScreenKeeper(QWidget* window) : QObject(window), window_(window), design_(window->size()) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) fit();
        if (event->type() == QEvent::Resize) {
            // A window of a fixed size set anew (the compact window's strip and panel) was
            // drawn for that size.
            if (window_->minimumSize() == window_->maximumSize() && area_ == nullptr) design_ = window_->size();
            if (area_ != nullptr) area_->setGeometry(window_->rect());
            fit();
        }
        return false;
    }

private:
    void fit() {
        if (fitting_ || !window_->isVisible()) return;
        const QScreen* screen = window_->screen();
        if (screen == nullptr) return;
        fitting_ = true;
        const QRect client = window_->geometry();
        const QRect frame = window_->frameGeometry();
        const model::FrameMargins margins{client.left() - frame.left(), client.top() - frame.top(),
                                          frame.right() - client.right(), frame.bottom() - client.bottom()};
        const int bar = window_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const model::ScreenFit fit = model::fitOnScreen({design_.width(), design_.height()}, rectOf(client), margins,
                                                        rectOf(screen->availableGeometry()), bar);
        if (fit.scrolls()) scrollContent();
        if (fit.client.width != client.width() || fit.client.height != client.height()) {
            // A fixed size gives way to what the screen holds; the frame may then resize it up
            // to the size it was drawn for.
            window_->setMinimumSize(0, 0);
            window_->setMaximumSize(design_);
            window_->resize(fit.client.width, fit.client.height);
        }
        if (fit.client.left != client.left() || fit.client.top != client.top())
            window_->move(fit.client.left - margins.left, fit.client.top - margins.top);
        fitting_ = false;
    }

    // The window's controls go onto a page of the size they were drawn for, in a scroll area
    // that fills the window; their order (which lies on which) stays.
    void scrollContent() {
        if (area_ != nullptr) return;
        // The page is the window's child from the start: the Tab order stays the window's.
        const QObjectList children = window_->children();
        auto* content = new QWidget(window_);
        content->setObjectName("SmallScreenContent");
        content->setFixedSize(design_);
        for (QObject* child : children) {
            auto* widget = qobject_cast<QWidget*>(child);
            if (widget == nullptr || widget->isWindow()) continue;
            const bool shown = !widget->isHidden();
            widget->setParent(content);
            widget->setVisible(shown);
        }
        area_ = new WindowScrollArea(window_);
        area_->setObjectName("SmallScreenArea");
        area_->setFrameShape(QFrame::NoFrame);
        area_->setWidget(content);
        // The window's own background shows through.
        area_->viewport()->setAutoFillBackground(false);
        content->setAutoFillBackground(false);
        area_->setGeometry(window_->rect());
        area_->show();
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { showFocused(now); });
    }

    // The focus moved by the keyboard brings its control into view. Not a press of the mouse:
    // the view would move the control away from under the pointer before the button is let go.
    void showFocused(QWidget* now) {
        if (QGuiApplication::mouseButtons() != Qt::NoButton) return;
        if (area_ != nullptr && now != nullptr && area_->widget()->isAncestorOf(now)) area_->ensureWidgetVisible(now, 4, 4);
    }

    QWidget* window_;
    QSize design_;
    QPointer<QScrollArea> area_;
    bool fitting_ = false;
};

}  // namespace

void keepOnSmallScreens(QWidget* window) { new ScreenKeeper(window); }

}  // namespace hastelyn::ui
