#include "ui/Application.h"

#include <QFont>

#include "ui/CommandErrors.h"

namespace hastelyn::ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Hastelyn");
    setQuitOnLastWindowClosed(false);
    // The window's font, with Japanese fonts that a Linux desktop has as fallbacks: first the
    // proportional gothic made to the same metrics, so the texts fit where they were laid out.
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(12);
    setFont(font);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportError(e.what());
    }
    return false;
}

}  // namespace hastelyn::ui
