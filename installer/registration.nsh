; What an installation writes under one root (SHCTX: the user's own, or the machine's for every
; user), and its removal, for the installer and the uninstaller alike.

!macro REGISTRATION un
; Takes out the Run value and the entry under SHCTX, and "Silent" where this installer wrote it.
; The program's key goes with it only when nothing else is left in it.
Function ${un}RemoveRegistration
    ReadRegDWORD $0 SHCTX "${UNINSTALL_KEY}" "${SILENT_WRITTEN}"
    ${If} $0 = 1
        DeleteRegValue SHCTX "${READY_KEY}" "Silent"
        DeleteRegKey /ifempty SHCTX "${READY_KEY}"
    ${EndIf}
    DeleteRegValue SHCTX "${RUN_KEY}" "${RUN_VALUE}"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
FunctionEnd
!macroend

!insertmacro REGISTRATION ""
!insertmacro REGISTRATION "un."
