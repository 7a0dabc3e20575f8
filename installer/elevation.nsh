; Rights by kind of installation. The installer asks for none (asInvoker): a per-user installation
; runs with the user's own token and writes what is the user's. A machine-wide installation, and
; its removal, need an administrator: a process without an elevated token starts its file again
; with the "runas" verb, with the same switches but /D=, waits for it and ends with its exit code. The
; started process carries ${ELEVATED_SWITCH}: when it is still not elevated (no administrator
; gave consent, or the system has no elevation to give), it refuses with exit code 4 instead of
; asking again.

!define ELEVATED_SWITCH "/ELEVATED"
!define TOKEN_QUERY 0x0008
!define TOKEN_ELEVATION_CLASS 20
!define SEE_MASK_NOCLOSEPROCESS 0x40
!if ${NSIS_PTR_SIZE} > 4
    !define SHELLEXECUTEINFO_SIZE 112
    !define SHELLEXECUTEINFO_PROCESS_GAP 104     ; bytes before hProcess
!else
    !define SHELLEXECUTEINFO_SIZE 60
    !define SHELLEXECUTEINFO_PROCESS_GAP 56
!endif

!macro ELEVATION un
; $0 = 1 when this process's token is elevated, else 0.
Function ${un}IsElevated
    StrCpy $0 0
    System::Call 'advapi32::OpenProcessToken(p -1, i ${TOKEN_QUERY}, *p .r1) i.r2'
    ${If} $2 <> 0
        System::Call 'advapi32::GetTokenInformation(p r1, i ${TOKEN_ELEVATION_CLASS}, *i .r3, i 4, *i .r4) i.r2'
        ${If} $2 <> 0
        ${AndIf} $3 <> 0
            StrCpy $0 1
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r1)'
    ${EndIf}
FunctionEnd

; Returns when this process is elevated. Otherwise runs $ElevatedFile with ${ELEVATED_SWITCH} and
; $ElevatedSwitches elevated, and quits with its exit code (4 when it could not be started).
Function ${un}RunElevated
    Call ${un}IsElevated
    ${IfThen} $0 = 1 ${|} Return ${|}
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "${ELEVATED_SWITCH}" $2
    ${IfNot} ${Errors}
        MessageBox MB_ICONSTOP "${PRODUCT_NAME} for every user of this computer needs the rights of an administrator." /SD IDOK
        SetErrorLevel 4
        Quit
    ${EndIf}
    StrCpy $0 4
    System::Call '*(&w6 "runas") p.r2'
    System::Call '*(&w${NSIS_MAX_STRLEN} "$ElevatedFile") p.r3'
    System::Call '*(&w${NSIS_MAX_STRLEN} "${ELEVATED_SWITCH} $ElevatedSwitches") p.r4'
    System::Alloc ${SHELLEXECUTEINFO_SIZE}
    Pop $5
    System::Call '*$5(i ${SHELLEXECUTEINFO_SIZE}, i ${SEE_MASK_NOCLOSEPROCESS}, p $HWNDPARENT, p r2, p r3, p r4, p 0, i ${SW_SHOWNORMAL})'
    System::Call 'shell32::ShellExecuteExW(p r5) i.r1'
    ${If} $1 <> 0
        System::Call '*$5(&v${SHELLEXECUTEINFO_PROCESS_GAP}, p .r6)'
        ${If} $6 P<> 0
            System::Call 'kernel32::WaitForSingleObject(p r6, i -1)'
            System::Call 'kernel32::GetExitCodeProcess(p r6, *i .r0)'
            System::Call 'kernel32::CloseHandle(p r6)'
        ${EndIf}
    ${EndIf}
    System::Free $5
    System::Free $4
    System::Free $3
    System::Free $2
    SetErrorLevel $0
    Quit
FunctionEnd
!macroend

Var ElevatedFile      ; the file to run elevated, and its switches: set before RunElevated
Var ElevatedSwitches
!insertmacro ELEVATION ""
!insertmacro ELEVATION "un."
