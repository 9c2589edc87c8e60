; The Windows installer of the account server, built on Debian by makensis (see CMakeLists.txt,
; which passes the programs' paths). Per user, without an administrator: the programs go below the
; user's local application data, the server registers itself for the user (/RegServer), and the
; uninstaller unregisters it and removes what the installer put there. The user's accounts (the
; Daten folder's files) and RTT files stay.
; A 64-bit installer like the programs it carries (a 64-bit Wine runs no 32-bit programs).
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define PRODUKT "Tradomir Kontoserver"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VKSKontoServerV7"

Name "${PRODUKT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\${PRODUKT}"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The programs that the installer puts into the installation folder; the uninstaller removes
; exactly these.
!macro Programme ACTION
  !insertmacro ${ACTION} "VKSKontoServer.exe" "${SERVER}"
  !insertmacro ${ACTION} "vks-store.exe" "${VKS_STORE}"
  !insertmacro ${ACTION} "vks-rtt.exe" "${VKS_RTT}"
  !insertmacro ${ACTION} "vks-reg.exe" "${VKS_REG}"
  !insertmacro ${ACTION} "vbs.exe" "${VBS}"
  !insertmacro ${ACTION} "vks-script.exe" "${VKS_SCRIPT}"
  !insertmacro ${ACTION} "vks-host-demo.exe" "${VKS_HOST_DEMO}"
!macroend
!macro Lege NAME QUELLE
  File "/oname=${NAME}" "${QUELLE}"
!macroend
!macro Entferne NAME QUELLE
  Delete "$INSTDIR\${NAME}"
!macroend

Section "Kontoserver"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  !insertmacro Programme Lege
  SetOutPath "$INSTDIR\demo"
  File "/oname=Handelstag.txt" "${HANDELSTAG}"
  ; The server keeps the accounts here.
  CreateDirectory "$INSTDIR\Daten"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Deinstallieren.exe"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${PRODUKT}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ExecWait '"$INSTDIR\VKSKontoServer.exe" /RegServer' $0
  StrCmp $0 0 +2
    MessageBox MB_OK|MB_ICONSTOP "Der Kontoserver ließ sich nicht registrieren (Code $0)." /SD IDOK
!ifdef VKS_KONTEN
  ; The account list without the host, once the Windows build has windows.
  File "/oname=vks-konten.exe" "${VKS_KONTEN}"
  CreateShortCut "$SMPROGRAMS\Tradomir Virtuelle Konten.lnk" "$INSTDIR\vks-konten.exe"
!endif
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ExecWait '"$INSTDIR\VKSKontoServer.exe" /UnregServer'
  !insertmacro Programme Entferne
  Delete "$INSTDIR\demo\Handelstag.txt"
  RMDir "$INSTDIR\demo"
!ifdef VKS_KONTEN
  Delete "$INSTDIR\vks-konten.exe"
  Delete "$SMPROGRAMS\Tradomir Virtuelle Konten.lnk"
!endif
  Delete "$INSTDIR\Deinstallieren.exe"
  ; Without /r: a folder that still holds the user's accounts or RTT files stays with them.
  RMDir "$INSTDIR\Daten"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd
