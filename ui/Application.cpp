#include "ui/Application.h"

#include <QFont>

#include "ui/CommandErrors.h"

namespace hastelyn::ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Hastelyn");
    setQuitOnLastWindowClosed(false);
    // The window's font, with Japanese fonts that a Linux desktop has as fallbacks.
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("IPAPGothic")});
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
