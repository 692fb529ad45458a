; The finish page starts the program as the user who is logged in, not with the installer's
; administrator rights: it hands the program to Explorer, which runs as that user. The Start menu
; shortcut starts it in the install folder; without one, the program itself is handed over.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartAsUser
Function StartAsUser
  StrCpy $0 "$SMPROGRAMS\$STARTMENU_FOLDER\Grainwright.lnk"
  IfFileExists $0 +2
  StrCpy $0 "$INSTDIR\grainwright.exe"
  Exec '"$WINDIR\explorer.exe" "$0"'
FunctionEnd
