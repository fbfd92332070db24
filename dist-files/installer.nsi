; The Lunaquill installer: the two programs into the 64-bit system folder, where Windows lists screen
; savers, an entry in the list of installed apps and an uninstaller. Japanese first, English second.
; Built by scripts/dist:  makensis -DVERSION=x.y.z -DSTAGE=<folder with the files> -DOUTFILE=<exe>
;                         -DSIGN=<scripts/sign, which signs the uninstaller when a key is set>
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Lunaquill"
!define PUBLISHER "r-koda"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lunaquill"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATEINIFILE 1
!define SPIF_SENDCHANGE 2

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; Screen savers are looked for in the system folder; a 64-bit installer sees the 64-bit one.
InstallDir "$SYSDIR"
; The uninstaller and the guide live in a folder of their own, so the system folder gets only the
; two programs.
!define APP_DIR "$PROGRAMFILES64\Lunaquill"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Copyright (c) 2026 the Lunaquill authors (MIT licence)"
; The uninstaller is signed like the programs, before it goes into the installer.
!uninstfinalize '"${SIGN}" "%1"' = 0

!define MUI_ICON "${STAGE}\Lunaquill.ico"
!define MUI_UNICON "${STAGE}\Lunaquill.ico"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSettings)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "$(LicenseText)"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

LicenseLangString LicenseText ${LANG_JAPANESE} "${STAGE}\LICENSE-ja.txt"
LicenseLangString LicenseText ${LANG_ENGLISH} "${STAGE}\LICENSE.txt"
LangString SectionPrograms ${LANG_JAPANESE} "Lunaquill (スクリーンセーバー)"
LangString SectionPrograms ${LANG_ENGLISH} "Lunaquill (screen saver)"
LangString SectionCurrent ${LANG_JAPANESE} "Lunaquill を今のスクリーンセーバーにする"
LangString SectionCurrent ${LANG_ENGLISH} "Make Lunaquill the current screen saver"
LangString OpenSettings ${LANG_JAPANESE} "スクリーンセーバーの設定を開く"
LangString OpenSettings ${LANG_ENGLISH} "Open the screen saver settings"
LangString StillRunning ${LANG_JAPANESE} "Lunaquill が動いています。スクリーンセーバー、その設定画面、またはスクリーンセーバーの設定のプレビューを閉じてから「再試行」を押してください。"
LangString StillRunning ${LANG_ENGLISH} "Lunaquill is running. Close the screen saver, its settings, or the Screen Saver Settings window that shows its preview, then press Retry."
LangString GaveUp ${LANG_JAPANESE} "Lunaquill が閉じられないため、何も変更せずに終了します。"
LangString GaveUp ${LANG_ENGLISH} "Lunaquill is still running; nothing was changed."

; Waits while a show, the preview or the settings dialog is open: the user is asked to close it; a
; silent run waits up to 30 seconds. Replacing or removing running programs would leave a mix.
; The functions both the installer and the uninstaller use.
!macro SharedFunctions un
Function ${un}WaitForLunaquill
    StrCpy $1 0
    ${Do}
        Call ${un}LunaquillInUse
        ${If} $0 = 0
            Return
        ${EndIf}
        ${If} ${Silent}
            IntOp $1 $1 + 1
            ${If} $1 > 60
                DetailPrint "$(GaveUp)"
                SetErrorLevel 2
                Quit
            ${EndIf}
            DetailPrint "$(StillRunning)"
            Sleep 500
        ${Else}
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" IDRETRY retry
            MessageBox MB_OK "$(GaveUp)"
            Quit
            retry:
        ${EndIf}
    ${Loop}
FunctionEnd

; $0: 1 while a show, the dialog or the preview runs. The preview is a child of the display settings'
; window, which FindWindow cannot see; but Windows lets nobody write the file of a program that runs,
; so the installed programs that cannot be opened for writing are in use.
Function ${un}LunaquillInUse
    FindWindow $0 "" "LunaquillVC"
    ${If} $0 = 0
        FindWindow $0 "" "Lunaquill_Main"
    ${EndIf}
    ${If} $0 = 0
        FindWindow $0 "" "<Lunaquill>"
    ${EndIf}
    ${If} $0 <> 0
        StrCpy $0 1
        Return
    ${EndIf}
    ${ForEach} $2 1 2 + 1
        ${If} $2 = 1
            StrCpy $3 "$SYSDIR\Lunaquill.scr"
        ${Else}
            StrCpy $3 "$SYSDIR\Lunaquill.dll"
        ${EndIf}
        ${If} ${FileExists} $3
            ClearErrors
            FileOpen $4 $3 a
            ${If} ${Errors}
                StrCpy $0 1
                Return
            ${EndIf}
            FileClose $4
        ${EndIf}
    ${Next}
    StrCpy $0 0
FunctionEnd

; The user at the screen: $R8 their name (DOMAIN\user), $R9 the SID of their registry hive when it is
; loaded, else empty. When an administrator's password approved the installation, the installer runs
; as that administrator, whose HKCU is not the user's; the session still belongs to the user.
Function ${un}SessionUser
    StrCpy $R8 ""
    StrCpy $R9 ""
    ; WTS_CURRENT_SESSION, WTSUserName (5) and WTSDomainName (7)
    System::Call 'wtsapi32::WTSQuerySessionInformationW(p 0, i -1, i 5, *p .r1, *i .r2) i .r0'
    ${If} $0 = 0
        Return
    ${EndIf}
    System::Call '*$1(&w256 .R8)'
    System::Call 'wtsapi32::WTSFreeMemory(p r1)'
    System::Call 'wtsapi32::WTSQuerySessionInformationW(p 0, i -1, i 7, *p .r1, *i .r2) i .r0'
    ${If} $0 <> 0
        System::Call '*$1(&w256 .r3)'
        System::Call 'wtsapi32::WTSFreeMemory(p r1)'
        ${If} $3 != ""
            StrCpy $R8 "$3\$R8"
        ${EndIf}
    ${EndIf}
    System::Alloc 256
    Pop $1
    System::Call 'advapi32::LookupAccountNameW(p 0, w R8, p r1, *i 256, w .r3, *i ${NSIS_MAX_STRLEN}, *i .r4) i .r0'
    ${If} $0 <> 0
        System::Call 'advapi32::ConvertSidToStringSidW(p r1, *p .r2) i .r0'
        ${If} $0 <> 0
            System::Call '*$2(&w256 .R9)'
            System::Call 'kernel32::LocalFree(p r2)'
        ${EndIf}
    ${EndIf}
    System::Free $1
    ${If} $R9 != ""
        ClearErrors
        EnumRegKey $0 HKU "$R9" 0
        ${If} ${Errors}
            StrCpy $R9 ""
        ${EndIf}
    ${EndIf}
FunctionEnd

; Writes the user's screen saver setting $0 = $1, in the user's hive where it is known.
Function ${un}SetDesktopValue
    ${If} $R9 != ""
        WriteRegStr HKU "$R9\${DESKTOP_KEY}" $0 $1
    ${Else}
        WriteRegStr HKCU "${DESKTOP_KEY}" $0 $1
    ${EndIf}
FunctionEnd

; Tells Windows that the screen saver is on ($0 = 1) or off, for the session at once and with
; WM_SETTINGCHANGE to every window. The installing account's own profile is written as well only when
; that account is the user at the screen (not an administrator who approved the installation).
Function ${un}TellWindows
    StrCpy $2 ${SPIF_SENDCHANGE}
    System::Call 'advapi32::GetUserNameW(w .r3, *i ${NSIS_MAX_STRLEN}) i .r4'
    ${GetFileName} $R8 $5
    ${If} $R8 == ""
    ${OrIf} $5 == $3
        IntOp $2 $2 | ${SPIF_UPDATEINIFILE}
    ${EndIf}
    System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i r0, p 0, i r2)'
FunctionEnd
!macroend
!insertmacro SharedFunctions ""
!insertmacro SharedFunctions "un."

Function OpenScreenSaverSettings
    Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "$(SectionPrograms)" SecPrograms
    SectionIn RO
    Call WaitForLunaquill
    SetOutPath "$INSTDIR"
    ; Over an older install the two programs are replaced; Lunaquill.ini, beside them or per user,
    ; is the user's and stays.
    File "${STAGE}\Lunaquill.scr"
    File "${STAGE}\Lunaquill.dll"
    SetOutPath "${APP_DIR}"
    File "${STAGE}\README.txt"
    File "${STAGE}\LICENSE.txt"
    WriteUninstaller "${APP_DIR}\Uninstall.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Lunaquill.scr,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"${APP_DIR}\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"${APP_DIR}\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ; The size of what was installed, in KiB.
    ${GetSize} "$INSTDIR" "/M=Lunaquill.* /S=0K /G=0" $0 $2 $3
    ${GetSize} "${APP_DIR}" "/S=0K" $2 $3 $4
    IntOp $0 $0 + $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(SectionCurrent)" SecCurrent
    ; Per user: the screen saver is a setting of the user at the screen, who is told at once (Windows
    ; would otherwise notice only at the next sign-in).
    StrCpy $0 "SCRNSAVE.EXE"
    StrCpy $1 "$INSTDIR\Lunaquill.scr"
    Call SetDesktopValue
    StrCpy $0 "ScreenSaveActive"
    StrCpy $1 "1"
    Call SetDesktopValue
    StrCpy $0 1
    Call TellWindows
SectionEnd

Function .onInit
    SetShellVarContext current
    Call SessionUser
    ; Whose screen saver it becomes.
    ${If} $R8 != ""
        SectionSetText ${SecCurrent} "$(SectionCurrent) ($R8)"
    ${EndIf}
FunctionEnd

Section "Uninstall"
    SetShellVarContext current
    Call un.WaitForLunaquill
    Delete "$SYSDIR\Lunaquill.scr"
    Delete "$SYSDIR\Lunaquill.dll"
    ; The settings, wherever the host kept them: beside the programs, or per user.
    Delete "$SYSDIR\Lunaquill.ini"
    Delete "$APPDATA\Lunaquill\Lunaquill.ini"
    RMDir "$APPDATA\Lunaquill"
    ; The screen saver setting of the user at the screen, only while it is still ours.
    Call un.SessionUser
    ${If} $R9 != ""
        ReadRegStr $0 HKU "$R9\${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
        ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
    ${GetFileName} "$0" $1
    ${If} $1 == "Lunaquill.scr"
        ${If} $R9 != ""
            DeleteRegValue HKU "$R9\${DESKTOP_KEY}" "SCRNSAVE.EXE"
        ${Else}
            DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
        ${EndIf}
        StrCpy $0 "ScreenSaveActive"
        StrCpy $1 "0"
        Call un.SetDesktopValue
        StrCpy $0 0
        Call un.TellWindows
    ${EndIf}
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    Delete "${APP_DIR}\README.txt"
    Delete "${APP_DIR}\LICENSE.txt"
    Delete "${APP_DIR}\Uninstall.exe"
    RMDir "${APP_DIR}"
SectionEnd
