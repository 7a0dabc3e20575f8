; Ending the running instance of the program, for the installer and the uninstaller alike. The
; installed program file is never run to do it: whoever can write its folder decides what it is.
; The installer's own end_instance.exe, extracted to the installer's private folder, asks the
; instance's window to quit and waits, a bounded time, until the instance's mutex is gone and its
; program file can be written. The mutex and the window are this session's: instances in other
; sessions are not asked, and the file they hold stops the install.

; $0 = 1 while an instance of the program runs (its mutex exists), else 0.
Function InstanceRuns
    System::Call 'kernel32::OpenMutex(i ${SYNCHRONIZE}, i 0, t "${INSTANCE_MUTEX}") p.r0'
    ${If} $0 P<> 0
        System::Call 'kernel32::CloseHandle(p r0)'
        StrCpy $0 1
    ${Else}
        StrCpy $0 0
    ${EndIf}
FunctionEnd

!macro RUNNING_INSTANCE un folder
; Only an installed program can be asked to quit this way. An instance started from anywhere
; else does not hold the file, and the program that the installer starts replaces it. When the
; instance does not go, the installer starts the installed program again, as the user, before it
; gives up: the user keeps the button.
Function ${un}EndRunningInstance
    IfFileExists "${folder}\${PROGRAM_FILE}" 0 done
    DetailPrint "Ending ${PRODUCT_NAME}"
    InitPluginsDir
    File "/oname=$PLUGINSDIR\end_instance.exe" "${END_INSTANCE}"
    ClearErrors
    ExecWait '"$PLUGINSDIR\end_instance.exe" "${folder}\${PROGRAM_FILE}"' $0
    ${If} ${Errors}
    ${OrIf} $0 <> 0
        !if "${un}" == ""
            Call RestartEarlierInstance
        !endif
        MessageBox MB_ICONSTOP "${PRODUCT_NAME} is still running and could not be ended. Close it, then try again." /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
done:
FunctionEnd
!macroend

!insertmacro RUNNING_INSTANCE "" "$EarlierFolder"
!insertmacro RUNNING_INSTANCE "un." "$INSTDIR"
