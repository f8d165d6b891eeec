// The program's pictures: the carried JPEGs read at their sizes on their windows' colours, the
// decoder refusing damaged data with a reason instead of crashing, grey JPEGs, and every glyph
// the windows ask for.
#include <QBuffer>
#include <QIcon>
#include <QTest>

#include <cstdlib>
#include <string>

#include "ui/qt/EmbeddedPictures.h"
#include "ui/qt/JpegImage.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/Widgets.h"

using namespace hastelyn;

namespace {

QByteArray carried(std::string_view path) {
    for (const ui::EmbeddedFile& file : ui::embeddedPictures()) {
        if (file.path == path) return QByteArray(reinterpret_cast<const char*>(file.data), static_cast<qsizetype>(file.size));
    }
    return {};
}

QImage decode(const QByteArray& bytes, QString* error = nullptr) {
    return ui::decodeJpeg(reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<std::size_t>(bytes.size()),
                          error);
}

// JPEG leaves a flat colour within a step or two of where it was.
bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 3 && std::abs(a.green() - b.green()) <= 3 && std::abs(a.blue() - b.blue()) <= 3;
}

// Where the frame header's fields start (after FFC0/FFC2 and its length), or -1.
qsizetype frameHeader(const QByteArray& jpeg) {
    for (qsizetype i = 2; i + 10 < jpeg.size(); ++i) {
        if (uchar(jpeg[i]) == 0xFF && (uchar(jpeg[i + 1]) == 0xC0 || uchar(jpeg[i + 1]) == 0xC2)) return i + 4;
    }
    return -1;
}

const char* const kGlyphs[] = {
    "menu-system",   "menu-desktop", "menu-explorer", "menu-power",     "menu-others",      "menu-service",
    "menu-utility",  "menu-info",    "menu-restore",  "menu-option",    "menu-help",        "menu-close",
    "accelerate",    "commentary",   "more-info",     "title-compact",  "title-tray",       "title-minimise",
    "title-close",   "title-top",    "title-performance",
};
// The save-and-restore window's square buttons.
const char* const kLargeGlyphs[] = {"restore-backup", "restore-recovery", "restore-backup-oe", "restore-recovery-oe"};

}  // namespace

class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    void jpegsDecodeAtTheirSizesOnTheirWindowsColours() {
        const struct {
            const char* name;
            QSize size;
            QColor background;
        } expected[] = {
            {"title.jpg", {555, 50}, ui::windowsColor(0x00639AFF)},    // title strip
            {"about.jpg", {140, 36}, ui::windowsColor(0x009CCFFF)},    // work area
            {"restore.jpg", {300, 60}, ui::windowsColor(0x00639AFF)},  // save-and-restore window
        };
        for (const auto& e : expected) {
            const QImage image = ui::picture(e.name);
            QVERIFY2(!image.isNull(), e.name);
            QCOMPARE(image.size(), e.size);
            QCOMPARE(image.format(), QImage::Format_RGB888);
            for (QPoint corner : {QPoint(0, 0), QPoint(e.size.width() - 1, e.size.height() - 1)}) {
                QVERIFY2(near(image.pixelColor(corner), e.background),
                         qPrintable(QStringLiteral("%1 at %2,%3: %4").arg(e.name).arg(corner.x()).arg(corner.y())
                                        .arg(image.pixelColor(corner).name())));
            }
        }
        int jpegs = 0;
        for (const ui::EmbeddedFile& file : ui::embeddedPictures()) {
            if (!file.path.ends_with(".jpg")) continue;
            QString error;
            QVERIFY2(!ui::decodeJpeg(file.data, file.size, &error).isNull(), qPrintable(error));
            ++jpegs;
        }
        QCOMPARE(jpegs, 3);
    }

    void damagedJpegsGiveANullImageAndAReason() {
        const QByteArray title = carried("title.jpg");
        QVERIFY(title.size() > 1000);
        QByteArray huge = title;
        const qsizetype header = frameHeader(huge);
        QVERIFY(header > 0);
        huge[header + 1] = huge[header + 2] = huge[header + 3] = huge[header + 4] = char(0xFF);  // 65535 × 65535

        const struct {
            const char* what;
            QByteArray bytes;
        } damaged[] = {
            {"half a file", title.left(title.size() / 2)},
            {"no end marker", title.left(title.size() - 2)},
            {"headers only", title.left(header + 20)},
            {"start marker only", title.left(2)},
            {"not a JPEG", QByteArray("GIF89a this is not what it says it is").repeated(20)},
            {"zero bytes", QByteArray(64, '\0')},
            {"a header claiming 65535 pixels a side", huge},
        };
        for (const auto& d : damaged) {
            QString error;
            QVERIFY2(decode(d.bytes, &error).isNull(), d.what);
            QVERIFY2(!error.isEmpty(), d.what);
        }
        QString error;
        QVERIFY(ui::decodeJpeg(nullptr, 0, &error).isNull());
        QVERIFY(!error.isEmpty());
        QVERIFY(decode(title.left(title.size() / 2)).isNull());  // no error text wanted: still no crash
    }

    void greyJpegsComeOutAsRgb() {
        QImage ramp(64, 16, QImage::Format_Grayscale8);
        for (int y = 0; y < ramp.height(); ++y) {
            for (int x = 0; x < ramp.width(); ++x) ramp.scanLine(y)[x] = static_cast<uchar>(x * 4);
        }
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        if (!ramp.save(&buffer, "JPG", 100)) QSKIP("no JPEG writer in this Qt");
        const qsizetype header = frameHeader(jpeg);
        QVERIFY(header > 0);
        QCOMPARE(int(jpeg[header + 5]), 1);  // one component: a grey file

        const QImage image = decode(jpeg);
        QCOMPARE(image.size(), ramp.size());
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                QVERIFY(c.red() == c.green() && c.green() == c.blue());
                QVERIFY2(std::abs(c.red() - x * 4) <= 3, qPrintable(QStringLiteral("%1,%2: %3").arg(x).arg(y).arg(c.red())));
            }
        }
    }

    void everyGlyphTheWindowsUseIsCarried() {
        for (const char* name : kGlyphs) {
            const QIcon icon = ui::glyph(name);
            QVERIFY2(!icon.isNull(), name);
            QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(16, 16)});
            QVERIFY2(ui::picture("glyphs/" + std::string(name) + ".png").hasAlphaChannel(), name);
        }
        for (const char* name : kLargeGlyphs) QCOMPARE(ui::glyph(name).availableSizes(), QList<QSize>{QSize(32, 32)});
        for (const char* name : {"restore-pc.png", "restore-mail.png"}) QCOMPARE(ui::picture(name).size(), QSize(32, 32));
        int carriedGlyphs = 0;
        for (const ui::EmbeddedFile& file : ui::embeddedPictures()) carriedGlyphs += file.path.starts_with("glyphs/");
        QCOMPARE(carriedGlyphs, int(std::size(kGlyphs) + std::size(kLargeGlyphs)));
        QVERIFY(ui::glyph("menu-nothing").isNull());
        QVERIFY(ui::picture("nothing.jpg").isNull());
        QCOMPARE(ui::appIcon().availableSizes(), (QList<QSize>{QSize(16, 16), QSize(32, 32), QSize(48, 48)}));
    }
};

QTEST_MAIN(PicturesTest)
#include "PicturesTest.moc"
