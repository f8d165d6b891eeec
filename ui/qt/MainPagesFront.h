#pragma once
// The Qt side of the main window's utilities page, PC-information page and commentary panel:
// the widgets tied to their control rows, the pages' screen, and its calls carried out.
#include <QObject>

#include <unordered_map>

#include "ui/model/MainPagesScreen.h"
#include "ui/model/MainPagesView.h"
#include "ui/qt/QtWindowView.h"

namespace hastelyn::ui {

class TFrmMain;

// The common calls are a QtWindowView's, which it holds.
class MainPagesFront final : public QObject, public model::MainPagesView {
public:
    MainPagesFront(TFrmMain& window, engine::Session& session);

    model::MainPagesScreen& screen() { return screen_; }

    // Makes the widget of a row (its accessible name the model's) and remembers it both ways.
    template <typename W, typename... Args>
    W* build(QWidget* parent, const model::Control& control, Args&&... args) {
        W* widget = widgets_.make<W>(parent, control, std::forward<Args>(args)...);
        adopt(control, widget);
        return widget;
    }
    void adopt(const model::Control& control, QWidget* widget);
    // The row of a widget of these pages; nullptr for any other widget.
    const model::Control* controlOf(const QWidget* widget) const;
    QWidget* widget(const model::Control& control) const { return widgets_.widget(control); }

    void setCaption(const model::Control& control, std::string_view text) override;
    void setEnabled(const model::Control& control, bool enabled) override { widgets_.setEnabled(control, enabled); }
    void setVisible(const model::Control& control, bool visible) override { widgets_.setVisible(control, visible); }
    void setChecked(const model::Control& control, bool checked) override { widgets_.setChecked(control, checked); }
    void setColours(const model::Control& control, std::uint32_t background, std::uint32_t text) override;
    void focus(const model::Control& control) override { widgets_.focus(control); }
    void showPage(const model::Control& pages, int index) override { widgets_.showPage(pages, index); }
    void setReadOnly(const model::Control& field, bool readOnly) override;
    void setHint(const model::Control& control, std::string_view text) override;
    void closeMenu(const model::Control& menu) override;

private:
    QtWindowView widgets_;
    model::MainPagesScreen screen_;
    std::unordered_map<const QWidget*, const model::Control*> controls_;
};

}  // namespace hastelyn::ui
