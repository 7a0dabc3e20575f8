; Ending the running instance of the program, for the installer and the uninstaller alike: the
; program's own switch "KILL" asks it to quit, and the instance counts as gone once its mutex is
; gone and its program file can be written. Both wait a bounded time. The mutex is one of this
; session's: instances in other sessions are not asked, and the file they hold stops the install.

!define END_TRIES 50          ; looks, 100 ms apart
!define KILL_EVERY 10         ; a quit request meets no window while an instance is still starting

!macro RUNNING_INSTANCE un folder
; $0 = 1 while an instance of the program runs (its mutex exists), else 0.
Function ${un}InstanceRuns
    System::Call 'kernel32::OpenMutex(i ${SYNCHRONIZE}, i 0, t "${INSTANCE_MUTEX}") p.r0'
    ${If} $0 P<> 0
        System::Call 'kernel32::CloseHandle(p r0)'
        StrCpy $0 1
    ${Else}
        StrCpy $0 0
    ${EndIf}
FunctionEnd

; $0 = 1 while the installed program file cannot be opened for writing, as while its process ends.
Function ${un}ProgramFileHeld
    StrCpy $0 0
    ClearErrors
    FileOpen $1 "${folder}\${PROGRAM_FILE}" a
    ${If} ${Errors}
        StrCpy $0 1
    ${Else}
        FileClose $1
    ${EndIf}
FunctionEnd

; Only an installed program can be asked to quit this way. An instance started from anywhere
; else does not hold the file, and the program that the installer starts replaces it. When the
; instance does not go, the installer starts the installed program again, as the user, before it
; gives up: the user keeps the button.
Function ${un}EndRunningInstance
    IfFileExists "${folder}\${PROGRAM_FILE}" 0 done
    StrCpy $2 0
    ${Do}
        Call ${un}InstanceRuns
        ${If} $0 = 0
            Call ${un}ProgramFileHeld
            ${IfThen} $0 = 0 ${|} ${Break} ${|}
        ${EndIf}
        ${If} $2 >= ${END_TRIES}
            !if "${un}" == ""
                Call RestartEarlierInstance
            !endif
            MessageBox MB_ICONSTOP "${PRODUCT_NAME} is still running and could not be ended. Close it, then try again." /SD IDOK
            SetErrorLevel 3
            Quit
        ${EndIf}
        IntOp $3 $2 % ${KILL_EVERY}
        ${If} $3 = 0
            DetailPrint "Ending ${PRODUCT_NAME}"
            ExecWait '"${folder}\${PROGRAM_FILE}" /KILL'
        ${EndIf}
        Sleep 100
        IntOp $2 $2 + 1
    ${Loop}
done:
FunctionEnd
!macroend

!insertmacro RUNNING_INSTANCE "" "$EarlierFolder"
!insertmacro RUNNING_INSTANCE "un." "$INSTDIR"
