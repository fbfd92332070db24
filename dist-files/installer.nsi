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
; Where the installer keeps, in the hive of the user at the screen, the screen saver that user had
; before Lunaquill became theirs: Windows keeps the previous choice nowhere.
!define RECORD_KEY "Software\Lunaquill\Before"
; Opens the screen saver settings; the finish page opens it through the user's own shell.
!define SETTINGS_LINK "Screen Saver Settings.lnk"
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
!define MUI_PAGE_CUSTOMFUNCTION_SHOW OfferScreenSaverSettings
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The user's interface language where it is one of these, else the first: English.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

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

; The user's value $1 under the key $2, in the user's hive where it is known: $0, with the error
; flag set when there is no such value.
Function ${un}ReadUserValue
    ClearErrors
    ${If} $R9 != ""
        ReadRegStr $0 HKU "$R9\$2" $1
    ${Else}
        ReadRegStr $0 HKCU "$2" $1
    ${EndIf}
FunctionEnd

; Writes the user's value $0 = $1 under the key $2, in the user's hive where it is known.
Function ${un}SetUserValue
    ${If} $R9 != ""
        WriteRegStr HKU "$R9\$2" $0 $1
    ${Else}
        WriteRegStr HKCU "$2" $0 $1
    ${EndIf}
FunctionEnd

Function ${un}DeleteUserValue
    ${If} $R9 != ""
        DeleteRegValue HKU "$R9\$2" $0
    ${Else}
        DeleteRegValue HKCU "$2" $0
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

; The screen saver settings belong to the user at the screen, and this installer runs elevated,
; perhaps as the administrator who approved it: settings it opened itself would be the
; administrator's, and a settings dialog started from them could write Lunaquill.ini beside the
; programs, as every user's default. The user's own shell (Explorer, running as that user and not
; elevated) opens them instead; without a shell to ask, the finish page does not offer them.
Function OfferScreenSaverSettings
    FindWindow $0 "Shell_TrayWnd"
    ${If} $0 = 0
        SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
        ShowWindow $mui.FinishPage.Run ${SW_HIDE}
    ${EndIf}
FunctionEnd

Function OpenScreenSaverSettings
    Exec '"$WINDIR\explorer.exe" "${APP_DIR}\${SETTINGS_LINK}"'
FunctionEnd

; Keeps the screen saver and its on/off state of the user at the screen, once: a reinstall or an
; upgrade keeps the first choice, and a Lunaquill already theirs is nothing of theirs to keep.
Function RecordPreviousScreenSaver
    StrCpy $2 "${RECORD_KEY}"
    StrCpy $1 "ScreenSaveActive"
    Call ReadUserValue
    ${IfNot} ${Errors}
        Return
    ${EndIf}
    StrCpy $2 "${DESKTOP_KEY}"
    StrCpy $1 "SCRNSAVE.EXE"
    Call ReadUserValue
    StrCpy $3 $0
    ${GetFileName} $3 $4
    ${If} $4 == "Lunaquill.scr"
        Return
    ${EndIf}
    StrCpy $1 "ScreenSaveActive"
    Call ReadUserValue
    StrCpy $4 $0
    StrCpy $2 "${RECORD_KEY}"
    StrCpy $0 "SCRNSAVE.EXE"
    StrCpy $1 $3
    Call SetUserValue
    StrCpy $0 "ScreenSaveActive"
    StrCpy $1 $4
    Call SetUserValue
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
    CreateShortCut "${APP_DIR}\${SETTINGS_LINK}" "$SYSDIR\control.exe" "desk.cpl,,@screensaver"
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
    Call RecordPreviousScreenSaver
    StrCpy $2 "${DESKTOP_KEY}"
    StrCpy $0 "SCRNSAVE.EXE"
    StrCpy $1 "$INSTDIR\Lunaquill.scr"
    Call SetUserValue
    StrCpy $0 "ScreenSaveActive"
    StrCpy $1 "1"
    Call SetUserValue
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
    Call un.SessionUser
    ; The settings, wherever the host kept them: beside the programs, or per user (the user at the
    ; screen's; other accounts' per-user copies stay, as their profiles are not loaded).
    Delete "$SYSDIR\Lunaquill.ini"
    StrCpy $3 $APPDATA
    ${If} $R9 != ""
        ReadRegStr $4 HKU "$R9\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders" "AppData"
        ${If} $4 != ""
            StrCpy $3 $4
        ${EndIf}
    ${EndIf}
    ${If} $3 != ""
        Delete "$3\Lunaquill\Lunaquill.ini"
        RMDir "$3\Lunaquill"
    ${EndIf}
    Call un.RestorePreviousScreenSaver
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    Delete "${APP_DIR}\README.txt"
    Delete "${APP_DIR}\LICENSE.txt"
    Delete "${APP_DIR}\${SETTINGS_LINK}"
    Delete "${APP_DIR}\Uninstall.exe"
    RMDir "${APP_DIR}"
SectionEnd

; While Lunaquill is still the screen saver of the user at the screen, that user gets back the one
; they had before it (or none) with its on/off state, and Windows is told; a user who has chosen
; another since keeps it. The record goes either way.
Function un.RestorePreviousScreenSaver
    StrCpy $2 "${DESKTOP_KEY}"
    StrCpy $1 "SCRNSAVE.EXE"
    Call un.ReadUserValue
    ${GetFileName} "$0" $4
    ${If} $4 == "Lunaquill.scr"
        StrCpy $2 "${RECORD_KEY}"
        StrCpy $1 "SCRNSAVE.EXE"
        Call un.ReadUserValue
        StrCpy $5 $0
        StrCpy $1 "ScreenSaveActive"
        Call un.ReadUserValue
        StrCpy $6 $0
        ${If} ${Errors}
            ; No record (Lunaquill chosen by hand, or installed by an earlier version): no saver, the
            ; on/off state as it is.
            StrCpy $5 ""
            StrCpy $2 "${DESKTOP_KEY}"
            Call un.ReadUserValue
            StrCpy $6 $0
        ${EndIf}
        StrCpy $2 "${DESKTOP_KEY}"
        StrCpy $0 "SCRNSAVE.EXE"
        StrCpy $1 $5
        ${If} $5 == ""
            Call un.DeleteUserValue
        ${Else}
            Call un.SetUserValue
        ${EndIf}
        StrCpy $0 "ScreenSaveActive"
        StrCpy $1 $6
        ${If} $6 == ""
            Call un.DeleteUserValue
            StrCpy $6 0
        ${Else}
            Call un.SetUserValue
        ${EndIf}
        IntOp $0 $6 + 0
        Call un.TellWindows
    ${EndIf}
    ${If} $R9 != ""
        DeleteRegKey HKU "$R9\${RECORD_KEY}"
        DeleteRegKey /ifempty HKU "$R9\Software\Lunaquill"
    ${Else}
        DeleteRegKey HKCU "${RECORD_KEY}"
        DeleteRegKey /ifempty HKCU "Software\Lunaquill"
    ${EndIf}
FunctionEnd
