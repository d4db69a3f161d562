; The Windows installer, made by scripts/package-windows with Debian's makensis:
;   makensis -DVERSION=x.y.z -DSTAGE=<folder holding brevanto.exe and README.txt>
;            -DOUTFILE=<installer to write> [-DICON=<the program's .ico>] brevanto.nsi
; It installs for the current user only and needs no administrator rights: the program goes
; under the user's local application data, the shortcut into the user's own Start menu and
; the uninstaller's entry into the user's part of the registry.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brevanto"
; Brevanto keeps data.dat in the folder it is started in, so the shortcut starts it in a
; folder of the user's documents: writable, easy to find and back up, and left in place
; (with data.dat) when the program is uninstalled.
!define DATA_DIR "$DOCUMENTS\Brevanto"

Name "Brevanto ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Brevanto"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Brevanto"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Brevanto ${VERSION} Setup"
VIAddVersionKey "LegalCopyright" "Brevanto developers"

!include "MUI2.nsh"
!ifdef ICON
    !define MUI_ICON "${ICON}"
    !define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_NOAUTOCLOSE
!define MUI_UNFINISHPAGE_NOAUTOCLOSE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_UNCONFIRMPAGE_TEXT_TOP \
    "Brevanto will be removed from the folder below. Your table of messages, data.dat in \
Documents\Brevanto, stays."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running Brevanto holds its exe open, which would stop the copy or the removal halfway.
!macro WAIT_UNTIL_BREVANTO_EXITS
    check:
    FindWindow $0 "BrevantoMainWindow"
    StrCmp $0 0 done
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Brevanto is running. Exit Brevanto, then choose Retry." /SD IDCANCEL IDRETRY check
    Abort
    done:
!macroend

Function .onInit
    !insertmacro WAIT_UNTIL_BREVANTO_EXITS
FunctionEnd

Function un.onInit
    !insertmacro WAIT_UNTIL_BREVANTO_EXITS
FunctionEnd

Section "Brevanto"
    SetOutPath "$INSTDIR"
    File "${STAGE}/brevanto.exe"
    File "${STAGE}/README.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateDirectory "${DATA_DIR}"
    ; A shortcut's working folder is the output path at the moment it is made.
    SetOutPath "${DATA_DIR}"
    CreateShortCut "$SMPROGRAMS\Brevanto.lnk" "$INSTDIR\brevanto.exe" "" \
        "$INSTDIR\brevanto.exe" 0 SW_SHOWNORMAL "" \
        "Answers your AIM conversations while you are away"

    SectionGetSize 0 $0
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Brevanto"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brevanto.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes only what the installer put there. The data folder (data.dat and anything else
; the user keeps there) stays; an empty one goes, and so does an empty program folder.
Section "Uninstall"
    Delete "$SMPROGRAMS\Brevanto.lnk"
    Delete "$INSTDIR\brevanto.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    RMDir "${DATA_DIR}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
