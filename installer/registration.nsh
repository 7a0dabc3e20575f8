; What an installation writes under one root (SHCTX: the user's own, or the machine's for every
; user), and its removal, for the installer and the uninstaller alike.

!macro REGISTRATION un folder
; Takes out what the installation in ${folder} registered under SHCTX: its entry, and "Silent"
; where this installer wrote it, and the Run value when it starts that installation's program. The
; program's key goes with it only when nothing else is left in it. What another installation, or
; anything else, registered stays.
Function ${un}RemoveRegistration
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == "${folder}"
        ReadRegDWORD $0 SHCTX "${UNINSTALL_KEY}" "${SILENT_WRITTEN}"
        ${If} $0 = 1
            DeleteRegValue SHCTX "${READY_KEY}" "Silent"
            DeleteRegKey /ifempty SHCTX "${READY_KEY}"
        ${EndIf}
        DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ${EndIf}
    ReadRegStr $0 SHCTX "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 == '"${folder}\${PROGRAM_FILE}"'
        DeleteRegValue SHCTX "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
FunctionEnd

!if "${un}" == "un."
; Takes out the event log source when it names the program of the installation in ${folder}.
Function ${un}RemoveEventSource
    ReadRegStr $0 HKLM "${EVENT_SOURCE_KEY}" "EventMessageFile"
    ${IfThen} $0 == "${folder}\${PROGRAM_FILE}" ${|} DeleteRegKey HKLM "${EVENT_SOURCE_KEY}" ${|}
FunctionEnd
!endif
!macroend

!insertmacro REGISTRATION "" "$EarlierFolder"
!insertmacro REGISTRATION "un." "$INSTDIR"
