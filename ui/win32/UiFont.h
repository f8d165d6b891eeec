#pragma once
// The windows' font: "ＭＳ Ｐゴシック" 12 pixels high, or the closest Japanese face this system
// has. One HFONT for every control of a window, kept for the life of the program.
#include <string>
#include <string_view>
#include <vector>

struct HFONT__;

namespace hastelyn::winui {

// The faces asked for, best first: the Japanese name a Japanese system lists, its English
// name (what other systems and Wine's replacements list), and the gothic made for dialogs.
inline constexpr std::wstring_view kUiFaces[] = {L"ＭＳ Ｐゴシック", L"MS PGothic", L"MS UI Gothic"};

// True when the system lists a font family of that name (any character set).
bool fontFamilyInstalled(std::wstring_view face);

// The face the windows use: the first of `wanted` the system lists; else the first
// proportional face with Japanese letters; else the default GUI font's face.
std::wstring chooseUiFace(const std::vector<std::wstring_view>& wanted);

class UiFont {
public:
    // pixelHeight is the character height (a negative LOGFONT height), 12 for the windows.
    explicit UiFont(int pixelHeight = 12, bool bold = false);
    ~UiFont();
    UiFont(const UiFont&) = delete;
    UiFont& operator=(const UiFont&) = delete;

    HFONT__* handle() const { return font_; }
    const std::wstring& face() const { return face_; }

private:
    std::wstring face_;
    HFONT__* font_ = nullptr;
};

}  // namespace hastelyn::winui
