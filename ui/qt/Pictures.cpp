#include "ui/qt/Pictures.h"

#include <QEvent>
#include <QIconEngine>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/qt/EmbeddedPictures.h"
#include "ui/qt/JpegImage.h"
#include "ui/qt/PngImage.h"
#include "ui/model/ProgramVersion.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {

namespace {

const EmbeddedFile* find(std::string_view path) {
    const std::span<const EmbeddedFile> files = embeddedPictures();
    const auto at = std::lower_bound(files.begin(), files.end(), path,
                                     [](const EmbeddedFile& file, std::string_view p) { return file.path < p; });
    return at != files.end() && at->path == path ? &*at : nullptr;
}

QIcon decodedIcon(const std::vector<std::string>& paths) {
    QIcon icon;
    for (const std::string& path : paths) {
        const QImage image = picture(path);
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

// An icon whose pictures are decoded when it is first drawn or asked for its sizes: a button's
// glyph costs nothing before the window paints it.
class EmbeddedIconEngine final : public QIconEngine {
public:
    explicit EmbeddedIconEngine(std::vector<std::string> paths) : paths_(std::move(paths)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        decoded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return decoded().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return decoded().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return decoded().availableSizes(mode, state);
    }
    bool isNull() override { return paths_.empty(); }
    QString key() const override { return QStringLiteral("hastelyn-embedded"); }
    QIconEngine* clone() const override { return new EmbeddedIconEngine(*this); }

private:
    const QIcon& decoded() {
        if (!decoded_) decoded_ = decodedIcon(paths_);
        return *decoded_;
    }

    std::vector<std::string> paths_;
    std::optional<QIcon> decoded_;
};

// The pictures of these paths that the program carries, as one icon; null when it carries none.
QIcon iconOf(std::initializer_list<std::string_view> paths) {
    std::vector<std::string> carried;
    for (std::string_view path : paths)
        if (find(path) != nullptr) carried.emplace_back(path);
    if (carried.empty()) return {};
    return QIcon(new EmbeddedIconEngine(std::move(carried)));
}

}  // namespace

QImage picture(std::string_view name) {
    const EmbeddedFile* file = find(name);
    if (file == nullptr) return {};
    if (name.ends_with(".jpg")) return decodeJpeg(file->data, file->size);
    return decodePng(file->data, file->size);
}

namespace {

// The version in the letters drawn for it (about-version.png, their advances in
// about-version.txt), with its baseline at `baseline`. False, drawing nothing, when a letter
// is not among them.
bool drawInVersionLetters(QPainter& painter, const QString& text, QPointF baseline) {
    constexpr int kStripBaseline = 12;
    const EmbeddedFile* advances = find("about-version.txt");
    const QImage strip = picture("about-version.png");
    if (advances == nullptr || strip.isNull()) return false;
    // "V 6\ne 6\n...": each letter's cell follows the one before on the strip.
    std::vector<std::pair<QChar, QRect>> cells;
    int x = 0;
    const QString table = QString::fromLatin1(reinterpret_cast<const char*>(advances->data), static_cast<qsizetype>(advances->size));
    for (const QString& line : table.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const int width = line.mid(2).toInt();
        if (line.size() < 3 || width <= 0) return false;
        cells.emplace_back(line[0], QRect(x, 0, width, strip.height()));
        x += width;
    }
    std::vector<QRect> letters;
    for (const QChar c : text) {
        const auto cell = std::find_if(cells.begin(), cells.end(), [c](const auto& known) { return known.first == c; });
        if (cell == cells.end()) return false;
        letters.push_back(cell->second);
    }
    QPointF at(baseline.x(), baseline.y() - kStripBaseline);
    for (const QRect& letter : letters) {
        painter.drawImage(at, strip, letter);
        at.rx() += letter.width();
    }
    return true;
}

}  // namespace

QImage aboutBadge() {
    QImage badge = picture("about.jpg");
    if (badge.isNull()) return badge;
    badge = badge.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&badge);
    // Under the heading, in the badge's own lettering: drawn beforehand for the letters a
    // version has, so no font is loaded for it at start; any other letter in the font itself.
    const QString version = QStringLiteral("Ver ") + u8(model::programVersion());
    if (drawInVersionLetters(painter, version, QPointF(36, 30))) return badge;
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(QColor(150, 88, 40));
    painter.drawText(QPointF(36, 30), version);
    return badge;
}

QIcon glyph(std::string_view name) {
    const std::string path = "glyphs/" + std::string(name) + ".png";
    return iconOf({path});
}

QIcon appIcon() { return iconOf({"icon16.png", "icon32.png", "icon48.png"}); }

namespace {

class PictureWhenDrawn final : public QObject {
public:
    PictureWhenDrawn(QLabel* label, std::function<QImage()> make) : QObject(label), make_(std::move(make)) {
        label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        watched->removeEventFilter(this);
        // Set before the label draws itself, so this first drawing shows it.
        static_cast<QLabel*>(watched)->setPixmap(QPixmap::fromImage(make_()));
        deleteLater();
        return false;
    }

private:
    std::function<QImage()> make_;
};

}  // namespace

void showPictureWhenDrawn(QLabel* label, std::function<QImage()> make) { new PictureWhenDrawn(label, std::move(make)); }

}  // namespace hastelyn::ui
