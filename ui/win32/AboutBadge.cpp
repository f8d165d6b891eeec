// The about badge: its picture with "Ver x.y" under the heading in the badge's own lettering,
// letters drawn beforehand (IDB_ABOUT_VERSION, premultiplied alpha) so that no font is needed.
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/model/ProgramVersion.h"
#include "ui/win32/Picture.h"
#include "ui/win32/Resources.h"

namespace hastelyn::winui {
namespace {

constexpr int kLeft = 36;
constexpr int kBaseline = 30;
constexpr int kStripBaseline = 12;  // the letters' baseline on their strip

struct Cell {
    char letter;
    int left;
    int width;
};

// "V 6\ne 6\n...": each letter and its advance; its cell follows the one before on the strip.
std::vector<Cell> letterCells() {
    const HMODULE program = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(IDR_ABOUT_VERSION_ADVANCES), MAKEINTRESOURCEW(10));
    const HGLOBAL loaded = found != nullptr ? LoadResource(program, found) : nullptr;
    const auto* data = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (data == nullptr) return {};
    const std::string table(data, SizeofResource(program, found));
    std::vector<Cell> cells;
    int left = 0;
    for (std::size_t at = 0; at < table.size();) {
        std::size_t end = table.find('\n', at);
        if (end == std::string::npos) end = table.size();
        const std::string line = table.substr(at, end - at);
        at = end + 1;
        if (line.empty()) continue;
        const int width = line.size() >= 3 ? std::atoi(line.c_str() + 2) : 0;
        if (width <= 0) return {};
        cells.push_back({line[0], left, width});
        left += width;
    }
    return cells;
}

bool drawInVersionLetters(HDC badge, const std::string& text) {
    const std::vector<Cell> cells = letterCells();
    std::vector<Cell> letters;
    for (const char c : text) {
        const Cell* cell = nullptr;
        for (const Cell& known : cells)
            if (known.letter == c) cell = &known;
        if (cell == nullptr) return false;
        letters.push_back(*cell);
    }
    const HBITMAP strip = loadBitmap(IDB_ABOUT_VERSION);
    if (strip == nullptr) return false;
    BITMAP size{};
    GetObjectW(strip, sizeof size, &size);
    const HDC source = CreateCompatibleDC(badge);
    const HGDIOBJ old = SelectObject(source, strip);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    int x = kLeft;
    for (const Cell& letter : letters) {
        AlphaBlend(badge, x, kBaseline - kStripBaseline, letter.width, size.bmHeight, source, letter.left, 0,
                   letter.width, size.bmHeight, blend);
        x += letter.width;
    }
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(strip);
    return true;
}

}  // namespace

HBITMAP makeAboutBadge() {
    const HBITMAP badge = loadBitmap(IDB_ABOUT);
    if (badge == nullptr) return nullptr;
    const std::string version = "Ver " + std::string(ui::model::programVersion());
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, badge);
    if (!drawInVersionLetters(dc, version)) {
        // A letter not drawn beforehand: the version in the system's font, the letters' brown.
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(150, 88, 40));
        SetTextAlign(dc, TA_BASELINE | TA_LEFT);
        TextOutA(dc, kLeft, kBaseline, version.c_str(), static_cast<int>(version.size()));
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return badge;
}

}  // namespace hastelyn::winui
