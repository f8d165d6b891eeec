#pragma once
// The Qt side of a window's view: each control row of the model tied to the widget made for it,
// and the screen's calls carried out on those widgets.
#include <QWidget>

#include <unordered_map>

#include "ui/model/WindowView.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {

class QtWindowView : public virtual model::WindowView {
public:
    // Makes the widget of a row at its place, named as the row, with its caption and hint, and
    // remembers it.
    template <typename W, typename... Args>
    W* make(QWidget* parent, const model::Control& control, Args&&... args) {
        W* widget = place<W>(parent, control, std::forward<Args>(args)...);
        tie(control, widget);
        return widget;
    }
    // Ties a row to a widget made otherwise.
    void tie(const model::Control& control, QWidget* widget) {
        widgets_[&control] = widget;
        rows_[widget] = &control;
    }
    QWidget* widget(const model::Control& control) const;
    // The row a widget was made for or tied to, or null.
    const model::Control* control(const QWidget* widget) const;

    void setCaption(const model::Control& control, std::string_view text) override;
    void setEnabled(const model::Control& control, bool enabled) override;
    void setVisible(const model::Control& control, bool visible) override;
    void setChecked(const model::Control& control, bool checked) override;
    void setColours(const model::Control& control, std::uint32_t background, std::uint32_t text) override;
    void focus(const model::Control& control) override;
    void showPage(const model::Control& pages, int index) override;

private:
    std::unordered_map<const model::Control*, QWidget*> widgets_;
    std::unordered_map<const QWidget*, const model::Control*> rows_;
};

}  // namespace hastelyn::ui
