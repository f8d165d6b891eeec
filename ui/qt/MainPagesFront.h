#pragma once
// The Qt side of the main window's utilities page, PC-information page and commentary panel:
// the widgets tied to their control rows, the pages' screen, and its calls carried out.
#include <QObject>

#include "ui/model/MainPagesScreen.h"
#include "ui/model/MainPagesView.h"
#include "ui/qt/QtWindowView.h"

namespace hastelyn::ui {

class TFrmMain;

class MainPagesFront final : public QObject, public QtWindowView, public model::MainPagesView {
public:
    MainPagesFront(TFrmMain& window, engine::Session& session);

    model::MainPagesScreen& screen() { return screen_; }

    // Makes the widget of a row (its accessible name the model's) and ties it.
    template <typename W, typename... Args>
    W* build(QWidget* parent, const model::Control& control, Args&&... args) {
        W* widget = make<W>(parent, control, std::forward<Args>(args)...);
        nameForReaders(control, widget);
        return widget;
    }
    void adopt(const model::Control& control, QWidget* widget) {
        tie(control, widget);
        nameForReaders(control, widget);
    }
    // The row of a widget of these pages; nullptr for any other widget.
    const model::Control* controlOf(const QWidget* widget) const { return control(widget); }

    void setCaption(const model::Control& control, std::string_view text) override;
    void setColours(const model::Control& control, std::uint32_t background, std::uint32_t text) override;
    void setReadOnly(const model::Control& field, bool readOnly) override;
    void setHint(const model::Control& control, std::string_view text) override;
    void closeMenu(const model::Control& menu) override;

private:
    static void nameForReaders(const model::Control& control, QWidget* widget);

    model::MainPagesScreen screen_;
};

}  // namespace hastelyn::ui
