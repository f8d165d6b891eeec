#pragma once
// The windows the options window reaches, as Qt draws them: the page style of the three page
// controls, the six colour targets and the texts on them, the commentary memo's font and hint,
// the main window's opacity and its locked controls.
#include <QColor>

#include <cstdint>

#include "engine/Session.h"
#include "ui/model/OptionsDisplay.h"

class QTabWidget;
class QWidget;

namespace hastelyn::ui {

class TFrmMain;
class TFrmCompact;
class TFrmRestore;

// The Windows colour value 00BBGGRR of a colour.
std::uint32_t windowsValue(const QColor& color);

class DisplayTargets : public model::OptionsTargets {
public:
    DisplayTargets(engine::Session& session, TFrmMain& main, TFrmCompact& compact, TFrmRestore& restore, QWidget& sub,
                   QTabWidget& subPages, QWidget& subFocusPanel)
        : session_(session), main_(main), compact_(compact), restore_(restore), sub_(sub), subPages_(subPages),
          subFocusPanel_(subFocusPanel) {}

    void setTargetColour(model::ColourTarget target, std::uint32_t colour) override;
    void setMainOpacity(int opacity) override;
    void setTabStyle(foundation::TabStyle style) override;
    void setCommentFont(int pointSize) override;
    void setCommentHint(bool wholeText) override;
    void repaintMain() override;
    void applyLockedItems() override;

private:
    QWidget* targetWidget(model::ColourTarget target) const;

    engine::Session& session_;
    TFrmMain& main_;
    TFrmCompact& compact_;
    TFrmRestore& restore_;
    QWidget& sub_;
    QTabWidget& subPages_;
    QWidget& subFocusPanel_;
};

void applyTabStyle(QTabWidget* pages, foundation::TabStyle style);

// Every text on a coloured panel in the colour that reads there (model::textColourOn): the
// panel's own text colour for its plain texts, and the texts of a colour of their own. The
// pages of a page control on it are no part of the panel.
void showTextsOn(QWidget* panel, model::ColourTarget target, std::uint32_t colour);

}  // namespace hastelyn::ui
