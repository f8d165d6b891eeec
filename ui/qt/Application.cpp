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
    // The window's font: the first of these a Linux desktop has, in order of how close it comes
    // to the Windows one (the proportional gothic made to the same metrics first, so the texts
    // fit where they were laid out). Only that one is asked for. A missing name costs a search
    // of every font for stand-ins, and a second name makes each size and script sort all fonts
    // for fallbacks at once; with one, a letter the font lacks still finds another font when
    // it is first drawn. The installed ones are found in the list of families (asking for a
    // name by itself looks up its aliases, a search too). Hinted fully, as Windows draws its
    // fonts: crisp strokes at 12 pixels, and whole-pixel advances like the widths the windows
    // were laid out for.
    const QStringList families{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                               QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
    const QStringList known = QFontDatabase::families();
    const auto installed = std::find_if(families.begin(), families.end(), [&known](const QString& family) {
        return known.contains(family, Qt::CaseInsensitive);
    });
    QFont font;
    font.setFamilies(installed == families.end() ? families : QStringList{*installed});
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
