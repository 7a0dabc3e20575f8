; The installer of Lumora Ready: the program into the suite's folder, start at login, an entry in
; Add/Remove Programs, upgrade over a running instance, and a removal that leaves the rest of the
; suite alone. The build makes it with:
;
;   makensis -DTARGET=<x86-unicode|amd64-unicode> -DPROGRAM=<LumoraReady.exe> -DOUTFILE=<setup.exe>
;            lumora_ready.nsi
;
; The installer's switches: /S installs silently; /ALLUSERS makes the program start for every user
; (the Run value, the entry and the settings machine-wide instead of the installing user's own);
; /NOSOUND writes the "Silent" setting, so the program launches without its sound. The uninstaller
; takes /S as well.

Target ${TARGET}
SetCompressor /SOLID lzma

!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include MUI2.nsh

; The names and the version that the program's own version record gives, so that the entry in
; Add/Remove Programs says what the program file says.
!define VERSION_RECORD "${__FILEDIR__}/../src/res/program.rc"
!searchparse /file "${VERSION_RECORD}" `VALUE "CompanyName", "` PUBLISHER `"`
!searchparse /file "${VERSION_RECORD}" `VALUE "FileDescription", "` PRODUCT_NAME `"`
!searchparse /file "${VERSION_RECORD}" `VALUE "ProductVersion", "` PRODUCT_VERSION `"`
!searchparse /file "${VERSION_RECORD}" `VALUE "LegalCopyright", "` COPYRIGHT `"`
!getdllversion "${PROGRAM}" PROGRAM_VERSION_

; Where things go. The folder is the suite's, shared with its other programs: removal takes out
; only our own files.
!define SUITE_FOLDER "Vexa\Lumora"
!define PROGRAM_FILE "LumoraReady.exe"
!define UNINSTALLER "LumoraReadyUninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\LumoraReady"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "${PRODUCT_NAME}"

; The program's own registry key (company, product and component of its settings store), and the
; value in the entry that remembers that this installer wrote "Silent" there.
!define READY_KEY "Software\Vexa Corporation\Lumora\Ready"
!define SILENT_WRITTEN "LumoraSilentWritten"

; The running instance holds this mutex for as long as its process lives.
!define INSTANCE_MUTEX "Vexa Lumora Kivrel"
!define SYNCHRONIZE 0x00100000

Name "${PRODUCT_NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${SUITE_FOLDER}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${PROGRAM_VERSION_1}.${PROGRAM_VERSION_2}.${PROGRAM_VERSION_3}.${PROGRAM_VERSION_4}"
VIAddVersionKey "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT_NAME} Setup"
VIAddVersionKey "FileVersion" "${PRODUCT_VERSION}"
VIAddVersionKey "ProductVersion" "${PRODUCT_VERSION}"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${__FILEDIR__}/../src/res/icons/lumora_ready.ico"
!define MUI_UNICON "${__FILEDIR__}/../src/res/icons/lumora_ready.ico"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!include "${__FILEDIR__}/running_instance.nsh"
!include "${__FILEDIR__}/registration.nsh"

; The two choices, as components the user can tick; the switches tick them for a silent install.
; They come first so that the program's section below can ask whether they were chosen.
Section /o "Start for every user of this computer" SecAllUsers
SectionEnd

Section /o "Launch the capture application without a sound" SecNoSound
SectionEnd

Section "-${PRODUCT_NAME}" SecProgram
    ${If} ${SectionIsSelected} ${SecAllUsers}
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}

    ; The running instance holds its program file: it goes before the file is replaced.
    Call EndRunningInstance
    SetOutPath "$INSTDIR"
    ClearErrors
    File "/oname=${PROGRAM_FILE}" "${PROGRAM}"
    ${If} ${Errors}
        ; The file that is there is whole: its program goes back to work before the installer gives up.
        Exec '"$INSTDIR\${PROGRAM_FILE}"'
        MessageBox MB_ICONSTOP "$INSTDIR\${PROGRAM_FILE} could not be replaced." /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; One set of files has one entry and starts once at login: an earlier installation of the
    ; other kind leaves its traces to this one.
    ${If} ${SectionIsSelected} ${SecAllUsers}
        SetShellVarContext current
        Call RemoveRegistration
        SetShellVarContext all
    ${Else}
        SetShellVarContext all
        Call RemoveRegistration
        SetShellVarContext current
    ${EndIf}

    WriteRegStr SHCTX "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${PROGRAM_FILE}"'
    ${If} ${SectionIsSelected} ${SecNoSound}
        WriteRegDWORD SHCTX "${READY_KEY}" "Silent" 1
        WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "${SILENT_WRITTEN}" 1
    ${EndIf}

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${PRODUCT_VERSION}"
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "VersionMajor" ${PROGRAM_VERSION_1}
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "VersionMinor" ${PROGRAM_VERSION_2}
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\${PROGRAM_FILE}",0'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/M=${PROGRAM_FILE} /S=0K /G=0" $0 $1 $2
    ${GetSize} "$INSTDIR" "/M=${UNINSTALLER} /S=0K /G=0" $3 $1 $2
    IntOp $0 $0 + $3
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0

    ; The user is not left without the button until the next login.
    Exec '"$INSTDIR\${PROGRAM_FILE}"'
SectionEnd

Function .onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/ALLUSERS" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecAllUsers}
    ${EndIf}
    ClearErrors
    ${GetOptions} $0 "/NOSOUND" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecNoSound}
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Call un.EndRunningInstance
    Delete "$INSTDIR\${PROGRAM_FILE}"
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Only when empty: the suite's other programs may live here.
    RMDir "$INSTDIR"
    ${If} "$INSTDIR" == "$PROGRAMFILES\${SUITE_FOLDER}"
        RMDir "$INSTDIR\.."
    ${EndIf}

    ; Whichever kind of installation this was, nothing of it stays.
    SetShellVarContext current
    Call un.RemoveRegistration
    SetShellVarContext all
    Call un.RemoveRegistration

    ; The program's own trace, written at each start under the user who ran it.
    DeleteRegValue HKCU "${READY_KEY}" "Footmark"
    DeleteRegKey /ifempty HKCU "${READY_KEY}"
SectionEnd
