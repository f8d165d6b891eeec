; Hastelyn's setup program and uninstaller (NSIS 3, Unicode). Made by tools/windows/make-installer.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.92 -DFILES=DIR -DICON=FILE.ico -DOUTFILE=SETUP.exe
;            [-DTARGET=amd64-unicode] Hastelyn.nsi
; FILES holds Hastelyn.exe, hastelyn-cli.exe and help\, ICON the program's icon. TARGET is x86-unicode (the
; setup program handed out, for the 32-bit programs) unless given; amd64-unicode makes one for
; the 64-bit programs, which the tests install under 64-bit Wine.
;
; It puts the programs in %ProgramFiles%\Hastelyn, the program folder where the settings file and
; the restore points are kept, adds a Start-menu folder and an entry in Add/Remove Programs, and
; takes /S (silent) and /D=FOLDER. Installing over an older version replaces the programs and the
; help pages only. The uninstaller removes what the setup program put there; the user's own files
; in the folder (the settings files, the restore points, the mail-rule backup) stay unless the
; user ticks the box that removes them, and a silent uninstall keeps them.

Unicode true
!ifndef TARGET
  !define TARGET x86-unicode
!endif
Target ${TARGET}
!ifndef VERSION
  !error "VERSION must be given with -D"
!endif
!ifndef FILES
  !error "FILES must be given with -D"
!endif
!ifndef ICON
  !error "ICON must be given with -D"
!endif
!ifndef OUTFILE
  !error "OUTFILE must be given with -D"
!endif

!define PRODUCT "Hastelyn"
!define PUBLISHER "Pelmora"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Hastelyn"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"
!if ${TARGET} == amd64-unicode
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
; An install over an older one goes to where that one is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

; The version resource: the version of the programs it installs.
VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!include "WinVer.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "プログラムとヘルプを削除します。設定ファイル、復元ポイント、メールルールのバックアップは、2 つ目の項目をチェックした場合だけ削除されます。"
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"

!define FLOOR_TEXT "Hastelyn は Windows 2000 SP4、Windows XP、Windows Server 2003 で動作します。$\r$\nこのパソコンの Windows にはインストールできません。"

; Windows 2000 SP4 or later: older editions (95, 98, Me, NT 4.0, 2000 before SP4) are refused.
!macro RefuseBelowFloor
  ${IfNot} ${AtLeastWin2000}
    MessageBox MB_ICONSTOP|MB_OK "${FLOOR_TEXT}" /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
  ${If} ${IsWin2000}
  ${AndIf} ${AtMostServicePack} 3
    MessageBox MB_ICONSTOP|MB_OK "${FLOOR_TEXT}$\r$\nWindows 2000 には Service Pack 4 を適用してください。" /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
!macroend

!macro UseSystemView
  !if ${TARGET} == amd64-unicode
    SetRegView 64
  !endif
!macroend

Function .onInit
  !insertmacro RefuseBelowFloor
  !insertmacro UseSystemView
FunctionEnd

Section "Hastelyn" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${FILES}\Hastelyn.exe"
  File "${FILES}\hastelyn-cli.exe"
  ; The help pages are the setup program's own: a newer version brings its own set.
  RMDir /r "$INSTDIR\help"
  SetOutPath "$INSTDIR\help"
  File "${FILES}\help\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Start-menu entries for every user.
  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Hastelyn.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} のヘルプ.lnk" "$INSTDIR\help\index.htm"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} のアンインストール.lnk" "$INSTDIR\uninstall.exe"

  ; The entry in Add/Remove Programs.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Hastelyn.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Function un.onInit
  !insertmacro UseSystemView
FunctionEnd

; What the setup program put in the folder, and its entries.
Section "un.プログラムとヘルプ" UnSecProgram
  SectionIn RO
  Delete "$INSTDIR\Hastelyn.exe"
  Delete "$INSTDIR\hastelyn-cli.exe"
  RMDir /r "$INSTDIR\help"
  Delete "$INSTDIR\uninstall.exe"
  SetShellVarContext all
  RMDir /r "$SMPROGRAMS\${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; The user's own files: kept unless the box is ticked (a silent uninstall keeps them).
Section /o "un.設定と復元ポイントも削除する" UnSecUserFiles
  Delete "$INSTDIR\Hastelyn.ini"
  Delete "$INSTDIR\hastelyn-cli.ini"
  Delete "$INSTDIR\復元ポイント*.ini"
  Delete "$INSTDIR\OE メールルールのバックアップ.hiv"
SectionEnd

; The folder goes when nothing is left in it.
Section "-un.Folder"
  RMDir "$INSTDIR"
SectionEnd
