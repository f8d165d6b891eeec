#include "ui/qt/Application.h"

#include <QFont>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
#include <vector>

#include "ui/qt/CommandErrors.h"

namespace hastelyn::ui {
namespace {

std::vector<KeyPreview*>& keyPreviews() {
    static std::vector<KeyPreview*> previews;
    return previews;
}

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Hastelyn");
    setQuitOnLastWindowClosed(false);
    // The window's font, with Japanese fonts that a Linux desktop has as fallbacks: first the
    // proportional gothic made to the same metrics, so the texts fit where they were laid out.
    // Only the installed ones are asked for: a missing name costs a search of every font for
    // its stand-ins, for each size and script. Hinted fully, as Windows draws its own fonts:
    // crisp strokes at 12 pixels, and whole-pixel advances like the widths the windows were
    // laid out for.
    const QStringList families{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                               QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
    // (By the list of families: asking for one name by name looks up aliases, itself a search.)
    const QStringList known = QFontDatabase::families();
    QStringList installed;
    for (const QString& family : families)
        if (known.contains(family, Qt::CaseInsensitive)) installed.append(family);
    QFont font;
    font.setFamilies(installed.isEmpty() ? families : installed);
    font.setPixelSize(12);
    font.setHintingPreference(QFont::PreferFullHinting);
    setFont(font);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        if (event->type() == QEvent::KeyPress && receiver->isWidgetType()) {
            // A preview may remove itself (a window closed by its key).
            const std::vector<KeyPreview*> previews = keyPreviews();
            for (KeyPreview* preview : previews) preview->previewKey(static_cast<QWidget*>(receiver), static_cast<QKeyEvent*>(event));
        }
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportError(e.what());
    }
    return false;
}

void Application::addKeyPreview(KeyPreview* preview) { keyPreviews().push_back(preview); }

void Application::removeKeyPreview(KeyPreview* preview) { std::erase(keyPreviews(), preview); }

}  // namespace hastelyn::ui
