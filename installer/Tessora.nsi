; Tessora's installer. It puts Tessora.scr for this Windows (64-bit or 32-bit) and its
; help file into the system folder, where the screensaver settings list it, offers to
; make it the current screensaver, and registers an uninstaller that gives the previous
; screensaver back. Built with makensis (scripts/package, and the tests):
;
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.2.3 -DSCR64=x64/Tessora.scr [-DSCR32=x86/Tessora.scr]
;            -DCHM=Tessora.chm -DICON=Tessora.ico -DOUTFILE=setup.exe [-DAMD64] Tessora.nsi
;
; Without AMD64 the installer is a 32-bit program that runs on both kinds of Windows.
; With AMD64 it is a 64-bit program, which runs only on 64-bit Windows and so needs no
; 32-bit Tessora.scr.
;
; Silent mode (/S) installs with the defaults. The uninstaller's /S keeps the settings
; file; /S /REMOVESETTINGS removes it too.

!ifndef VERSION
  !error "VERSION is not defined"
!endif
!ifndef SCR64
  !error "SCR64 is not defined"
!endif
!ifndef CHM
  !error "CHM is not defined"
!endif
!ifndef ICON
  !error "ICON is not defined"
!endif
!ifndef OUTFILE
  !error "OUTFILE is not defined"
!endif
!ifdef AMD64
  Target amd64-unicode
!else
  Unicode true
  !ifndef SCR32
    !error "a 32-bit installer needs SCR32"
  !endif
!endif

; LogicLib leaves labels unused where a condition is known when compiling (the
; 64-bit installer always runs on 64-bit Windows).
!pragma warning disable 6012

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessora"
; What the installer remembers for each user: the screensaver it replaced.
!define STATE_KEY "Software\Tessora\Setup"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "Tessora"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tessora"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true
ShowInstDetails show
ShowUninstDetails show
BrandingText "Tessora ${VERSION}"
Caption "$(SetupCaption)"
UninstallCaption "$(UninstallCaption)"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_NOAUTOCLOSE

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for systems in neither language.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString SetupCaption ${LANG_ENGLISH} "Tessora ${VERSION} Setup"
LangString SetupCaption ${LANG_JAPANESE} "Tessora ${VERSION} セットアップ"
LangString UninstallCaption ${LANG_ENGLISH} "Tessora ${VERSION} Uninstall"
LangString UninstallCaption ${LANG_JAPANESE} "Tessora ${VERSION} アンインストール"
LangString SecProgram ${LANG_ENGLISH} "Tessora (screensaver and help)"
LangString SecProgram ${LANG_JAPANESE} "Tessora（スクリーンセーバーとヘルプ）"
LangString SecActivate ${LANG_ENGLISH} "Make Tessora the current screensaver"
LangString SecActivate ${LANG_JAPANESE} "Tessora を現在のスクリーンセーバーにする"
LangString SecUnProgram ${LANG_ENGLISH} "Tessora (screensaver and help)"
LangString SecUnProgram ${LANG_JAPANESE} "Tessora（スクリーンセーバーとヘルプ）"
LangString SecUnSettings ${LANG_ENGLISH} "Also remove the settings file (Tessora.ini)"
LangString SecUnSettings ${LANG_JAPANESE} "設定ファイル（Tessora.ini）も削除する"
LangString Restored ${LANG_ENGLISH} "Previous screensaver restored: "
LangString Restored ${LANG_JAPANESE} "元のスクリーンセーバーに戻しました: "
LangString KeptSettings ${LANG_ENGLISH} "Settings file kept: "
LangString KeptSettings ${LANG_JAPANESE} "設定ファイルを残しました: "

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "Tessora"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "Tessora"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "Tessora ${VERSION} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Tessora"

Var CurrentSaver   ; the user's SCRNSAVE.EXE before this run touched it
Var TessoraLong    ; how SCRNSAVE.EXE names the installed Tessora.scr
Var TessoraShort

; The 32-bit installer on 64-bit Windows must write into the real system folder and
; the 64-bit registry view, where the system and Programs and Features look.
!macro UseNativeView
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    SetRegView 64
  ${EndIf}
!macroend

; Whether the value on the stack names the installed Tessora.scr (the system may keep
; it as a short path); the answer replaces it: 1 or 0.
!macro NamesTessora UN
  Function ${UN}NamesTessora
    Exch $0
    ${If} $0 != ""
    ${AndIf} $0 == $TessoraLong
      StrCpy $0 1
    ${ElseIf} $0 != ""
    ${AndIf} $0 == $TessoraShort
      StrCpy $0 1
    ${Else}
      StrCpy $0 0
    ${EndIf}
    Exch $0
  FunctionEnd
!macroend
!insertmacro NamesTessora ""
!insertmacro NamesTessora "un."

Function .onInit
  !insertmacro UseNativeView
  StrCpy $TessoraLong "$SYSDIR\Tessora.scr"
FunctionEnd

Section "!$(SecProgram)" SecProgram
  SectionIn RO
  !insertmacro UseNativeView
  SetOutPath "$SYSDIR"
  SetOverwrite on
  !ifdef AMD64
    File "/oname=Tessora.scr" "${SCR64}"
  !else
    ${If} ${RunningX64}
      File "/oname=Tessora.scr" "${SCR64}"
    ${Else}
      File "/oname=Tessora.scr" "${SCR32}"
    ${EndIf}
  !endif
  File "/oname=Tessora.chm" "${CHM}"
  GetFullPathName /SHORT $TessoraShort "$SYSDIR\Tessora.scr"

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "Tessora"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "Tessora"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$SYSDIR\Tessora.scr,0"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$SYSDIR" "/M=Tessora.* /S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(SecActivate)" SecActivate
  ClearErrors
  ReadRegStr $CurrentSaver HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} ${Errors}
    StrCpy $CurrentSaver ""
  ${EndIf}
  Push $CurrentSaver
  Call NamesTessora
  Pop $0
  ; Installing again while Tessora is current keeps what it replaced the first time.
  ${If} $0 == 0
    ${If} $CurrentSaver == ""
      DeleteRegValue HKCU "${STATE_KEY}" "PreviousScreenSaver"
    ${Else}
      WriteRegStr HKCU "${STATE_KEY}" "PreviousScreenSaver" $CurrentSaver
    ${EndIf}
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $TessoraLong
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ; Tell running programs (the screensaver settings among them) without waiting long
  ; for any that hangs.
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:${DESKTOP_KEY}" /TIMEOUT=500
SectionEnd

Section "!un.$(SecUnProgram)" SecUnProgram
  SectionIn RO
  !insertmacro UseNativeView
  Delete "$SYSDIR\Tessora.scr"
  Delete "$SYSDIR\Tessora.chm"

  ; Give the previous screensaver back only while Tessora is still the current one: a
  ; screensaver the user chose since then stays.
  ClearErrors
  ReadRegStr $CurrentSaver HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${IfNot} ${Errors}
    Push $CurrentSaver
    Call un.NamesTessora
    Pop $0
    ${If} $0 == 1
      ClearErrors
      ReadRegStr $1 HKCU "${STATE_KEY}" "PreviousScreenSaver"
      ${If} ${Errors}
      ${OrIf} $1 == ""
        DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
      ${Else}
        WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $1
      ${EndIf}
      DetailPrint "$(Restored)$1"
      SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:${DESKTOP_KEY}" /TIMEOUT=500
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKCU "${STATE_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Tessora"

  DeleteRegKey HKLM "${UNINST_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd

Section /o "un.$(SecUnSettings)" SecUnSettings
  !insertmacro UseNativeView
  Delete "$SYSDIR\Tessora.ini"
SectionEnd

Section "-un.KeptSettings"
  !insertmacro UseNativeView
  ${If} ${FileExists} "$SYSDIR\Tessora.ini"
    DetailPrint "$(KeptSettings)$SYSDIR\Tessora.ini"
  ${EndIf}
SectionEnd

Function un.onInit
  !insertmacro UseNativeView
  StrCpy $TessoraLong "$SYSDIR\Tessora.scr"
  GetFullPathName /SHORT $TessoraShort "$SYSDIR\Tessora.scr"
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecUnSettings} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
