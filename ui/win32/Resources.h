#pragma once
// The resource ids of Hastelyn.exe (resources/win32/Hastelyn.rc.in). Plain macros: the resource
// compiler reads this file too.

// The program icon: 16, 32 and 48 pixels.
#define IDI_HASTELYN 1

// Pictures (24-bit bitmaps): the title strip (555x50), the about badge (140x36), the
// save-and-restore banner (300x60); the about badge's version letters (32-bit, premultiplied
// alpha, for AlphaBlend), whose advances are in the text resource below.
#define IDB_TITLE 101
#define IDB_ABOUT 102
#define IDB_RESTORE 103
#define IDB_ABOUT_VERSION 104
// "V 6\ne 6\n...": each letter of the version strip and its advance in pixels (RCDATA).
#define IDR_ABOUT_VERSION_ADVANCES 105

// Glyphs as icons (16x16; the save-and-restore window's 32x32), drawn on any background.
#define IDI_MENU_SYSTEM 201
#define IDI_MENU_DESKTOP 202
#define IDI_MENU_EXPLORER 203
#define IDI_MENU_POWER 204
#define IDI_MENU_OTHERS 205
#define IDI_MENU_SERVICE 206
#define IDI_MENU_UTILITY 207
#define IDI_MENU_INFO 208
#define IDI_MENU_RESTORE 209
#define IDI_MENU_OPTION 210
#define IDI_MENU_HELP 211
#define IDI_MENU_CLOSE 212
#define IDI_ACCELERATE 220
#define IDI_COMMENTARY 221
#define IDI_MORE_INFO 222
#define IDI_TITLE_COMPACT 230
#define IDI_TITLE_TRAY 231
#define IDI_TITLE_MINIMISE 232
#define IDI_TITLE_CLOSE 233
#define IDI_TITLE_TOP 234
#define IDI_TITLE_PERFORMANCE 235
#define IDI_RESTORE_BACKUP 240
#define IDI_RESTORE_RECOVERY 241
#define IDI_RESTORE_BACKUP_OE 242
#define IDI_RESTORE_RECOVERY_OE 243
#define IDI_RESTORE_PC 244
#define IDI_RESTORE_MAIL 245
