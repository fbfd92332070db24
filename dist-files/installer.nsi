; The Lunaquill installer: the two programs into the 64-bit system folder, where Windows lists screen
; savers, an entry in the list of installed apps and an uninstaller. Japanese first, English second.
; Built by scripts/dist:  makensis -DVERSION=x.y.z -DSTAGE=<folder with the files> -DOUTFILE=<exe>
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
VIAddVersionKey /LANG=1041 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${STAGE}\Lunaquill.ico"
!define MUI_UNICON "${STAGE}\Lunaquill.ico"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSettings)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

LangString SectionPrograms ${LANG_JAPANESE} "Lunaquill (スクリーンセーバー)"
LangString SectionPrograms ${LANG_ENGLISH} "Lunaquill (screen saver)"
LangString SectionCurrent ${LANG_JAPANESE} "Lunaquill を今のスクリーンセーバーにする"
LangString SectionCurrent ${LANG_ENGLISH} "Make Lunaquill the current screen saver"
LangString OpenSettings ${LANG_JAPANESE} "スクリーンセーバーの設定を開く"
LangString OpenSettings ${LANG_ENGLISH} "Open the screen saver settings"
LangString StillRunning ${LANG_JAPANESE} "Lunaquill が動いています。スクリーンセーバーまたは設定画面を閉じてから「再試行」を押してください。"
LangString StillRunning ${LANG_ENGLISH} "Lunaquill is running. Close the screen saver or its settings, then press Retry."
LangString GaveUp ${LANG_JAPANESE} "Lunaquill が閉じられないため、何も変更せずに終了します。"
LangString GaveUp ${LANG_ENGLISH} "Lunaquill is still running; nothing was changed."

; Waits while a show, the preview or the settings dialog is open: the user is asked to close it; a
; silent run waits up to 30 seconds. Replacing or removing running programs would leave a mix.
!macro WaitForLunaquill un
Function ${un}WaitForLunaquill
    StrCpy $1 0
    ${Do}
        FindWindow $0 "" "LunaquillVC"
        ${If} $0 = 0
            FindWindow $0 "" "Lunaquill_Main"
        ${EndIf}
        ${If} $0 = 0
            FindWindow $0 "" "<Lunaquill>"
        ${EndIf}
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
!macroend
!insertmacro WaitForLunaquill ""
!insertmacro WaitForLunaquill "un."

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
    ; Per user: the screen saver is a setting of the user who runs the installer.
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$INSTDIR\Lunaquill.scr"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
SectionEnd

Function .onInit
    SetShellVarContext current
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
    ; The screen saver setting only while it is still ours.
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${GetFileName} "$0" $1
    ${If} $1 == "Lunaquill.scr"
        DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
        WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "0"
    ${EndIf}
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    Delete "${APP_DIR}\README.txt"
    Delete "${APP_DIR}\Uninstall.exe"
    RMDir "${APP_DIR}"
SectionEnd
