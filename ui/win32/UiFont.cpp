#include "ui/win32/UiFont.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace hastelyn::winui {
namespace {

struct Search {
    std::wstring face;
    bool found = false;
};

int CALLBACK anyFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    search->face = font->lfFaceName;
    search->found = true;
    return 0;  // the first is enough
}

// A proportional outline face with Japanese letters, not a vertical ("@") one.
int CALLBACK proportionalJapanese(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
    if (font->lfFaceName[0] == L'@' || (font->lfPitchAndFamily & 0x3) == FIXED_PITCH || !(type & TRUETYPE_FONTTYPE))
        return 1;
    return anyFamily(font, nullptr, type, data);
}

Search enumerate(std::wstring_view face, BYTE charSet, FONTENUMPROCW filter) {
    Search search;
    LOGFONTW wanted{};
    wanted.lfCharSet = charSet;
    face.copy(wanted.lfFaceName, std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
    if (HDC screen = GetDC(nullptr)) {
        EnumFontFamiliesExW(screen, &wanted, filter, reinterpret_cast<LPARAM>(&search), 0);
        ReleaseDC(nullptr, screen);
    }
    return search;
}

std::wstring defaultGuiFace() {
    LOGFONTW font{};
    if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font) == 0) return {};
    return font.lfFaceName;
}

}  // namespace

bool fontFamilyInstalled(std::wstring_view face) {
    return !face.empty() && face.size() < LF_FACESIZE && enumerate(face, DEFAULT_CHARSET, anyFamily).found;
}

std::wstring chooseUiFace(const std::vector<std::wstring_view>& wanted) {
    for (std::wstring_view face : wanted)
        if (fontFamilyInstalled(face)) return std::wstring(face);
    const Search japanese = enumerate({}, SHIFTJIS_CHARSET, proportionalJapanese);
    return japanese.found ? japanese.face : defaultGuiFace();
}

UiFont::UiFont(int pixelHeight, bool bold) {
    // The fonts the system lists are looked through once for every font the program makes.
    static const std::wstring face = chooseUiFace({std::begin(kUiFaces), std::end(kUiFaces)});
    face_ = face;
    LOGFONTW font{};
    font.lfHeight = -pixelHeight;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    // Japanese letters from the face itself, wherever the face has them.
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    face_.copy(font.lfFaceName, std::min<std::size_t>(face_.size(), LF_FACESIZE - 1));
    font_ = CreateFontIndirectW(&font);
    if (!font_) font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

UiFont::~UiFont() {
    if (font_ && font_ != GetStockObject(DEFAULT_GUI_FONT)) DeleteObject(font_);
}

}  // namespace hastelyn::winui
