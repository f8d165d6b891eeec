#include "ui/win32/ProgramWindows.h"

#include "ui/model/OptionsControls.h"

namespace hastelyn::winui {

ProgramWindows::ProgramWindows(engine::Session& session, const ui::model::ScreenFacts& screen)
    : main(session), startErrors(main.screen().create(screen)), compact(session, main), restore(session, main),
      options(session, main, compact, restore) {
    main.showSideWindow = [this](ui::model::MainAction action) {
        using ui::model::MainAction;
        switch (action) {
            case MainAction::ShowCompact: compact.show(false); break;
            case MainAction::ShowPerformance: compact.show(true); break;
            case MainAction::ShowRestore: restore.show(); break;
            case MainAction::ShowOptions: options.show(ui::model::options::controls::kGeneralPage); break;
            case MainAction::ShowVersion: options.show(ui::model::options::controls::kVersionPage); break;
            default: break;
        }
    };
}

void ProgramWindows::process(MSG& message) {
    if (!compact.process(message) && !restore.process(message) && !options.process(message)) main.process(message);
}

}  // namespace hastelyn::winui
