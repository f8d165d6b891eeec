// The utility and PC information pages fitted to their height (ui/model/PageRows.h), again at
// each resize.
#include <QEvent>
#include "ui/qt/RowList.h"

#include <algorithm>
#include <vector>

#include "ui/model/PageRows.h"
#include "ui/qt/UtilityPages.h"

namespace hastelyn::ui {
namespace {

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
        const int pitch = model::pageRowPitch(page_->height());
        if (pitch == pitch_) return;
        pitch_ = pitch;
        const auto scaled = [pitch](int design) { return model::atRowPitch(design, pitch); };
        for (const auto& [control, area] : design_)
            control->setGeometry(area.x(), scaled(area.y()), area.width(), scaled(area.height()));
        list_->setRowHeight(pitch);
    }

    QWidget* page_;
    RowList* list_;
    std::vector<std::pair<QWidget*, QRect>> design_;
    int pitch_ = model::kDesignRowPitch;
};

}  // namespace

void fitPageToItsHeight(QWidget* page, RowList* list) { new PageFit(page, list); }

}  // namespace hastelyn::ui
