#pragma once
// What the picture drawings share: the colours of the windows they sit on, a small palette for
// the glyphs, and text drawn as outlines (so the result does not depend on the desktop's
// hinting or subpixel settings, only on the font's shapes).
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace hastelyn::pictures {

// The windows' backgrounds, as the windows set them from Windows colour values 0x00BBGGRR.
inline const QColor kStrip(255, 154, 99);    // title strip and restore window, 0x00639AFF
inline const QColor kCream(255, 207, 156);   // main window work area, 0x009CCFFF

// Glyph palette: one ink for outlines and a few flat fills.
inline const QColor kInk(52, 64, 84);
inline const QColor kBlue(46, 124, 214);
inline const QColor kSky(120, 190, 240);
inline const QColor kGreen(39, 160, 90);
inline const QColor kRed(214, 56, 48);
inline const QColor kYellow(250, 196, 40);
inline const QColor kOrange(232, 112, 28);
inline const QColor kBrown(96, 48, 16);
inline const QColor kPaper(250, 250, 246);
inline const QColor kSteel(120, 132, 146);

// The Japanese face every picture uses (Debian's fonts-noto-cjk), at a pixel size.
QFont pictureFont(int pixelSize, bool bold);
// Throws std::runtime_error when the face is missing, rather than drawing with a stand-in.
void requirePictureFont();

// Text as a path with its baseline starting at the given point.
QPainterPath textPath(const QString& text, const QFont& font, QPointF baseline);
// Text as a path centred on a point (by its ink, not its line box).
QPainterPath centredText(const QString& text, const QFont& font, QPointF centre);

// A painter on an image with antialiasing on.
void prepare(QPainter& painter);

// One picture to write: its path below the output folder and how to draw it.
struct Picture {
    std::string path;            // "title.jpg", "glyphs/menu-system.png"
    std::function<QImage()> draw;
};

std::vector<Picture> banners();  // the JPEG pictures and the program icon

// The letters of the about picture's version line, side by side on a transparent strip, and
// their advances ("V 6\ne 6\n..."): the program writes the build's version with them, so that
// its start loads no font for it.
QImage versionLetters();
QByteArray versionLetterAdvances();
std::vector<Picture> glyphs();   // the button glyphs (16×16; 32×32 for the save-and-restore window) and its page pictures

}  // namespace hastelyn::pictures
