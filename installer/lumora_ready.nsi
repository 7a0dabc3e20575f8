; The installer of Lumora Ready: the program into the suite's folder, start at login, an entry in
; Add/Remove Programs, upgrade over a running instance, and a removal that leaves the rest of the
; suite alone. The build makes it with:
;
;   makensis -DTARGET=<x86-unicode|amd64-unicode> -DPROGRAM=<LumoraReady.exe>
;            -DEND_INSTANCE=<end_instance.exe> -DADMIN_ONLY_CHECK=<admin_only_check.exe>
;            -DOUTFILE=<setup.exe> [-DSIGN=<sign.sh>] lumora_ready.nsi
;
; SIGN names a command that signs the file it is given (sign.sh): it signs the uninstaller before it
; goes into the installer, and then the installer.
;
; The installer's switches: /S installs silently; /ALLUSERS makes the program start for every user
; (the Run value, the entry and the settings machine-wide instead of the installing user's own,
; under Program Files, with an administrator's rights), /CURRENTUSER for the installing user only
; (the default, in the user's own program folder, with the user's own rights); /NOSOUND writes the
; "Silent" setting, so the program launches without its sound; /D=<folder>, the last, names the
; folder. Without them an upgrade keeps the earlier installation's kind and folder. The uninstaller
; takes /S as well. A folder for every user is an administrator's choice: the installer that starts
; itself again elevated does not hand its /D= across, and the elevated run ignores one.

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
!searchparse /file "${__FILEDIR__}/../src/res/program_version.h" `#define PROGRAM_VERSION_TEXT "` PRODUCT_VERSION `"`
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

; The Application event log's source of the program, registered by a machine-wide installation.
!define EVENT_SOURCE_KEY "SYSTEM\CurrentControlSet\Services\EventLog\Application\Lumora Ready"

Name "${PRODUCT_NAME}"
OutFile "${OUTFILE}"
!ifdef SIGN
!uninstfinalize '"${SIGN}" "%1"' = 0
!finalize '"${SIGN}" "%1"' = 0
!endif
; No InstallDir: an empty $INSTDIR in .onInit tells that /D= was not given.
RequestExecutionLevel user
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
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE KindChosen
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The kind of installation ("all" or "current"), the folder that /D= named, if any, the earlier
; installation of that kind that this one replaces: its folder (this installation's own when there
; was none), whether there was one, and whether its program was running.
Var Kind
Var GivenFolder
Var EarlierFolder
Var Upgrade
Var InstanceWasRunning

!include "${__FILEDIR__}/start_as_user.nsh"
!include "${__FILEDIR__}/running_instance.nsh"
!include "${__FILEDIR__}/registration.nsh"
!include "${__FILEDIR__}/elevation.nsh"

; The two choices, as components the user can tick; the switches tick them for a silent install.
; They come first so that the program's section below can ask whether they were chosen.
Section /o "Start for every user of this computer" SecAllUsers
SectionEnd

Section /o "Launch the capture application without a sound" SecNoSound
SectionEnd

Section "-${PRODUCT_NAME}" SecProgram
    ${If} ${SectionIsSelected} ${SecAllUsers}
        SetShellVarContext all
        Call RefuseFolderThatUsersCanWrite
    ${Else}
        SetShellVarContext current
    ${EndIf}

    ; The running instance holds its program file: it goes before the file is replaced.
    Call InstanceRuns
    StrCpy $InstanceWasRunning $0
    Call EndRunningInstance
    SetOutPath "$INSTDIR"
    ClearErrors
    File "/oname=${PROGRAM_FILE}" "${PROGRAM}"
    ${If} ${Errors}
        ; The file that is there is whole: its program goes back to work before the installer gives up.
        Call RestartEarlierInstance
        MessageBox MB_ICONSTOP "$INSTDIR\${PROGRAM_FILE} could not be replaced." /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; One set of files has one entry and starts once at login: a per-user installation in the
    ; same folder leaves its traces to this one. A per-user installation has no rights over the
    ; machine's values, and a machine-wide one stays beside it.
    ${If} ${SectionIsSelected} ${SecAllUsers}
        Call RefuseFilesThatUsersCanChange
        SetShellVarContext current
        Call RemoveRegistration
        SetShellVarContext all
        WriteRegExpandStr HKLM "${EVENT_SOURCE_KEY}" "EventMessageFile" "$INSTDIR\${PROGRAM_FILE}"
        WriteRegDWORD HKLM "${EVENT_SOURCE_KEY}" "TypesSupported" 7
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

    ; A first installation starts at once, an upgrade as it found the program: the user is not
    ; left without the button until the next login.
    ${If} $InstanceWasRunning = 1
    ${OrIf} $Upgrade = 0
        StrCpy $StartCommand '"$INSTDIR\${PROGRAM_FILE}"'
        Call StartAsUser
    ${EndIf}
SectionEnd

; The earlier installation's program, started again when an upgrade that ended it gives up.
Function RestartEarlierInstance
    ${If} $InstanceWasRunning = 1
        StrCpy $StartCommand '"$EarlierFolder\${PROGRAM_FILE}"'
        Call StartAsUser
    ${EndIf}
FunctionEnd

; A program that starts for every user must lie where only administrators can change it: under
; one of the program folders. Anywhere else a user could replace the file that every user runs.
Function RefuseFolderThatUsersCanWrite
    System::Call 'kernel32::GetFullPathNameW(w "$INSTDIR", i ${NSIS_MAX_STRLEN}, w .r0, p 0) i.r1'
    ${IfThen} $1 = 0 ${|} StrCpy $0 "$INSTDIR" ${|}
    StrCpy $0 "$0\"
    ${ForEach} $1 1 2 + 1
        ${If} $1 = 1
            StrCpy $2 "$PROGRAMFILES32\"
        ${Else}
            StrCpy $2 "$PROGRAMFILES64\"
        ${EndIf}
        StrLen $3 $2
        StrCpy $3 $0 $3
        ${IfThen} $3 == $2 ${|} Return ${|}
    ${Next}
    MessageBox MB_ICONSTOP "${PRODUCT_NAME} for every user is installed only under $PROGRAMFILES, which only administrators can change; $INSTDIR is not." /SD IDOK
    SetErrorLevel 2
    Quit
FunctionEnd

; Every user's login starts the program: whoever could replace it, or change who may, would run
; code in every session, an administrator's included. A folder under Program Files may still have
; been made so by another installer. The installer's own admin_only_check.exe, extracted to its
; private folder, judges the folder and the files just written before anything machine-wide is.
Function RefuseFilesThatUsersCanChange
    InitPluginsDir
    File "/oname=$PLUGINSDIR\admin_only_check.exe" "${ADMIN_ONLY_CHECK}"
    ClearErrors
    ExecWait '"$PLUGINSDIR\admin_only_check.exe" "$INSTDIR" "$INSTDIR\${PROGRAM_FILE}" "$INSTDIR\${UNINSTALLER}"' $0
    ${If} ${Errors}
    ${OrIf} $0 <> 0
        MessageBox MB_ICONSTOP "${PRODUCT_NAME} for every user is installed only where nobody but administrators and the system can change it; others can change $INSTDIR or its files." /SD IDOK
        SetErrorLevel 5
        Quit
    ${EndIf}
FunctionEnd

; The earlier installation of the kind in $Kind, and the folder: /D='s, else the earlier one's, else
; the kind's own. Each kind looks in its own root only: a machine-wide installation, which runs
; elevated, takes nothing from the installing user's HKCU, and a per-user one has no business with
; the machine's. A machine-wide installation without an elevated token starts itself again elevated,
; without /D=. A per-user installation that runs elevated (an administrator's own elevated prompt)
; takes no folder from HKCU either, which any program of the user can write: it keeps an earlier
; installation only in the folder it installs to.
Function ChooseKind
    ${If} $Kind == all
        !insertmacro SelectSection ${SecAllUsers}
        ${GetParameters} $ElevatedSwitches
        StrCpy $ElevatedSwitches "$ElevatedSwitches /ALLUSERS"
        ${IfThen} ${SectionIsSelected} ${SecNoSound} ${|} StrCpy $ElevatedSwitches "$ElevatedSwitches /NOSOUND" ${|}
        StrCpy $ElevatedFile $EXEPATH
        Call RunElevated
        ReadRegStr $EarlierFolder HKLM "${UNINSTALL_KEY}" "InstallLocation"
        StrCpy $INSTDIR "$PROGRAMFILES\${SUITE_FOLDER}"
    ${Else}
        !insertmacro UnselectSection ${SecAllUsers}
        ReadRegStr $EarlierFolder HKCU "${UNINSTALL_KEY}" "InstallLocation"
        StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${SUITE_FOLDER}"
        ${IfThen} $GivenFolder != "" ${|} StrCpy $INSTDIR $GivenFolder ${|}
        Call IsElevated
        ${If} $0 = 1
        ${AndIf} $EarlierFolder != $INSTDIR
            StrCpy $EarlierFolder ""
        ${EndIf}
    ${EndIf}
    ${If} $EarlierFolder == ""
        StrCpy $Upgrade 0
    ${Else}
        StrCpy $Upgrade 1
        StrCpy $INSTDIR $EarlierFolder
    ${EndIf}
    ${IfThen} $GivenFolder != "" ${|} StrCpy $INSTDIR $GivenFolder ${|}
    ${IfThen} $EarlierFolder == "" ${|} StrCpy $EarlierFolder $INSTDIR ${|}
FunctionEnd

; The dialog's choice of kind, when it differs from the one the installer started with.
Function KindChosen
    ${If} ${SectionIsSelected} ${SecAllUsers}
        ${IfThen} $Kind == all ${|} Return ${|}
        StrCpy $Kind all
    ${Else}
        ${IfThen} $Kind == current ${|} Return ${|}
        StrCpy $Kind current
    ${EndIf}
    Call ChooseKind
FunctionEnd

Function .onInit
    StrCpy $GivenFolder $INSTDIR
    ${GetParameters} $0
    ; The run started elevated by one without an administrator's token takes no folder from it.
    ClearErrors
    ${GetOptions} $0 "${ELEVATED_SWITCH}" $4
    ${IfNot} ${Errors}
        StrCpy $GivenFolder ""
    ${EndIf}
    ClearErrors
    ${GetOptions} $0 "/NOSOUND" $4
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecNoSound}
    ${EndIf}

    ; The kind: a switch names it; else the user's own earlier installation's, then the machine's
    ; earlier installation's; else per user.
    ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $Kind current
    ${If} $2 == ""
    ${AndIf} $1 != ""
        StrCpy $Kind all
    ${EndIf}
    ClearErrors
    ${GetOptions} $0 "/CURRENTUSER" $4
    ${IfNot} ${Errors}
        StrCpy $Kind current
    ${EndIf}
    ClearErrors
    ${GetOptions} $0 "/ALLUSERS" $4
    ${IfNot} ${Errors}
        StrCpy $Kind all
    ${EndIf}
    Call ChooseKind
FunctionEnd

Function un.onInit
    ; The rights of the kind it removes: the machine's entry describes this folder only for a
    ; machine-wide installation.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        StrCpy $Kind all
        ${GetParameters} $ElevatedSwitches
        StrCpy $ElevatedFile "$INSTDIR\${UNINSTALLER}"
        Call un.RunElevated
    ${Else}
        StrCpy $Kind current
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Call un.EndRunningInstance
    Delete "$INSTDIR\${PROGRAM_FILE}"
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Only when empty: the suite's other programs may live here.
    RMDir "$INSTDIR"
    ${If} "$INSTDIR" == "$PROGRAMFILES\${SUITE_FOLDER}"
    ${OrIf} "$INSTDIR" == "$LOCALAPPDATA\Programs\${SUITE_FOLDER}"
        RMDir "$INSTDIR\.."
    ${EndIf}

    ; What this kind of installation registered, with its rights.
    ${If} $Kind == all
        SetShellVarContext all
        Call un.RemoveEventSource
    ${Else}
        SetShellVarContext current
    ${EndIf}
    Call un.RemoveRegistration

    ; The program's own trace, written at each start under the user who ran it.
    DeleteRegValue HKCU "${READY_KEY}" "Footmark"
    DeleteRegKey /ifempty HKCU "${READY_KEY}"
SectionEnd
