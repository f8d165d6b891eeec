// The main window's pictures: the title strip (the title picture and its picture buttons) and
// the about badge.
#include <string>

#include "platform/win32/WideText.h"
#include "ui/model/Colours.h"
#include "ui/model/MainControls.h"
#include "ui/model/MainTexts.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/Panel.h"
#include "ui/win32/Picture.h"
#include "ui/win32/Resources.h"

namespace hastelyn::winui {
namespace {

namespace main = ui::model::main;

int glyphOf(const ui::model::Control& button) {
    if (&button == &main::BtnCompact) return IDI_TITLE_COMPACT;
    if (&button == &main::BtnTray) return IDI_TITLE_TRAY;
    if (&button == &main::BtnMinimum) return IDI_TITLE_MINIMISE;
    if (&button == &main::BtnClose_s) return IDI_TITLE_CLOSE;
    if (&button == &main::BtnTop) return IDI_TITLE_TOP;
    return IDI_TITLE_PERFORMANCE;
}

}  // namespace

void MainWindow::buildTitleStrip() {
    registerPictureClass();
    const HWND strip = make(hwnd_, main::PnlTitle, kPanelClass, WS_VISIBLE | WS_CLIPCHILDREN);
    setPanelBrush(strip, titleStrip_);
    // The strip and its picture move the window as a title bar does (WM_NCHITTEST).
    letMouseThrough(strip);
    // The picture's text is what a screen reader reads for it, and what stands in its place
    // where the picture cannot be loaded.
    const HWND title = make(strip, main::ImgTitle, kPictureClass, WS_VISIBLE);
    SetWindowTextW(title, win32::widen(main::ImgTitle.hint).c_str());
    SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.handle()), FALSE);
    setColours(main::ImgTitle, ui::model::colours::kTitleStrip, ui::model::colours::kWhite);
    titlePicture_ = loadBitmap(IDB_TITLE);
    setPicture(title, titlePicture_);
    // Icon buttons: their window texts stay the names a screen reader reads; the stay-on-top
    // toggle is a check box drawn as a button, which stays down while it is on.
    for (const ui::model::Control* row : main::kTitleButtons) {
        const DWORD kind = row->kind == ui::model::ControlKind::CheckBox ? BS_AUTOCHECKBOX | BS_PUSHLIKE : BS_PUSHBUTTON;
        const HWND b = make(strip, *row, WC_BUTTONW, WS_VISIBLE | BS_ICON | kind);
        SetWindowTextW(b, win32::widen(main::accessibleName(*row)).c_str());
        const HANDLE glyph =
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(glyphOf(*row)), IMAGE_ICON, 16, 16, LR_SHARED);
        SendMessageW(b, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(glyph));
    }
}

void MainWindow::buildAboutPicture(HWND area) {
    registerPictureClass();
    const HWND about = make(area, main::ImgAbout, kPictureClass, WS_VISIBLE | SS_NOTIFY);
    SetWindowTextW(about, L"Hastelyn");
    SendMessageW(about, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.handle()), FALSE);
    aboutPicture_ = makeAboutBadge();
    setPicture(about, aboutPicture_);
}

}  // namespace hastelyn::winui
