// The utility and PC information pages were drawn for rows of 18 pixels on a page at least 185
// pixels high. Where the page is lower (two rows of tabs take more of the page control), the
// rows and the controls over them shrink together by whole pixels per row: nothing is cut off
// at the bottom, and every field stays beside its row.
#include <QEvent>
#include "ui/qt/RowList.h"

#include <algorithm>
#include <vector>

#include "ui/qt/UtilityPages.h"

namespace hastelyn::ui {
namespace {

constexpr int kDesignPitch = 18;
constexpr int kSmallestPitch = 12;

class PageFit final : public QObject {
public:
    PageFit(QWidget* page, RowList* list) : QObject(page), page_(page), list_(list) {
        for (QWidget* control : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (control != list) design_.emplace_back(control, control->geometry());
        page->installEventFilter(this);
        // A page made after the window was laid out has its height already.
        fit();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) fit();
        return false;
    }

private:
    void fit() {
        // Ten rows and a margin of five pixels below them.
        const int pitch = std::clamp((page_->height() - 5) / 10, kSmallestPitch, kDesignPitch);
        if (pitch == pitch_) return;
        pitch_ = pitch;
        const auto scaled = [pitch](int design) { return (design * pitch + kDesignPitch / 2) / kDesignPitch; };
        for (const auto& [control, area] : design_)
            control->setGeometry(area.x(), scaled(area.y()), area.width(), scaled(area.height()));
        list_->setRowHeight(pitch);
    }

    QWidget* page_;
    RowList* list_;
    std::vector<std::pair<QWidget*, QRect>> design_;
    int pitch_ = kDesignPitch;
};

}  // namespace

void fitPageToItsHeight(QWidget* page, RowList* list) { new PageFit(page, list); }

}  // namespace hastelyn::ui
