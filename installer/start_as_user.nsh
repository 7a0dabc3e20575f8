; Starting the installed program as the signed-in user starts it: never with the installer's own
; elevated token, which the program would pass on to everything it loads and launches from paths
; that the user can write. The program becomes a child of the user's shell, with the shell's token
; and environment. Without a shell in this session (a deployment tool running as SYSTEM, say) it
; is not started: the Run value starts it at the next login.

!define SHELL_ACCESS 0x0480                    ; create processes, query information
!define TOKEN_FOR_ENVIRONMENT 0x000E          ; duplicate, impersonate, query
!define PROC_THREAD_ATTRIBUTE_PARENT_PROCESS 0x00020000
!define START_FLAGS 0x00080400                 ; extended start-up information, UTF-16 environment
!if ${NSIS_PTR_SIZE} > 4
    !define STARTUPINFOEX_SIZE 112
    !define ATTRIBUTE_LIST_GAP 100             ; bytes between the size field and the list's pointer
!else
    !define STARTUPINFOEX_SIZE 72
    !define ATTRIBUTE_LIST_GAP 64
!endif

Var StartCommand  ; the command line to start, set before the call

; $0 = 1 when $StartCommand was started as a child of the user's shell, else 0.
Function StartAsUser
    StrCpy $0 0
    System::Call 'user32::GetShellWindow() p.r1'
    ${If} $1 P= 0
        DetailPrint "No user's shell in this session: ${PRODUCT_NAME} starts at the next login"
        Return
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
    System::Call 'kernel32::OpenProcess(i ${SHELL_ACCESS}, i 0, i r2) p.r3'
    ${If} $3 P= 0
        DetailPrint "The user's shell cannot be reached: ${PRODUCT_NAME} starts at the next login"
        Return
    ${EndIf}
    StrCpy $9 0
    System::Call 'advapi32::OpenProcessToken(p r3, i ${TOKEN_FOR_ENVIRONMENT}, *p .r4) i.r1'
    ${If} $1 <> 0
        System::Call 'userenv::CreateEnvironmentBlock(*p .r9, p r4, i 0) i.r1'
        ${IfThen} $1 = 0 ${|} StrCpy $9 0 ${|}
        System::Call 'kernel32::CloseHandle(p r4)'
    ${EndIf}
    ${If} $9 P<> 0
        ; The attribute list that names the shell as the parent, and the start-up information that carries it.
        System::Call 'kernel32::InitializeProcThreadAttributeList(p 0, i 1, i 0, *p .r5)'
        System::Alloc $5
        Pop $6
        System::Call '*(p r3) p.r7'
        System::Alloc ${STARTUPINFOEX_SIZE}
        Pop $8
        System::Alloc 32
        Pop $2
        System::Call 'kernel32::InitializeProcThreadAttributeList(p r6, i 1, i 0, *p r5) i.r1'
        ${If} $1 <> 0
            System::Call 'kernel32::UpdateProcThreadAttribute(p r6, i 0, p ${PROC_THREAD_ATTRIBUTE_PARENT_PROCESS}, p r7, p ${NSIS_PTR_SIZE}, p 0, p 0) i.r1'
            ${If} $1 <> 0
                System::Call '*$8(i ${STARTUPINFOEX_SIZE}, &v${ATTRIBUTE_LIST_GAP}, p r6)'
                System::Call 'kernel32::CreateProcessW(p 0, w `$StartCommand`, p 0, p 0, i 0, i ${START_FLAGS}, p r9, w "$SYSDIR", p r8, p r2) i.r1'
                ${If} $1 <> 0
                    System::Call '*$2(p .r4, p .r5)'
                    System::Call 'kernel32::CloseHandle(p r4)'
                    System::Call 'kernel32::CloseHandle(p r5)'
                    StrCpy $0 1
                ${EndIf}
            ${EndIf}
            System::Call 'kernel32::DeleteProcThreadAttributeList(p r6)'
        ${EndIf}
        System::Free $2
        System::Free $8
        System::Free $7
        System::Free $6
        System::Call 'userenv::DestroyEnvironmentBlock(p r9)'
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r3)'
    ${If} $0 = 1
        DetailPrint "Started $StartCommand as the user's shell would"
    ${Else}
        DetailPrint "$StartCommand could not be started as the user: it starts at the next login"
    ${EndIf}
FunctionEnd
