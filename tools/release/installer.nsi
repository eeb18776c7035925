; The Windows installer of Whirlquarium, built by makensis from the cross-built
; game (cmake/Installer.cmake defines VERSION, VERSION4, PUBLISHER, COPYRIGHT,
; EXE, DOCS, ICON and OUTFILE). It installs for all users under Program Files
; when run with administrator's rights, else for the current user; either way a
; Start-menu shortcut, an entry in the list of installed programs and an
; uninstaller that takes all of it away again. /S installs and uninstalls
; silently.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel highest
; No build time in the installer: installed files get the time they are installed.
SetDateSave off

!include LogicLib.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Whirlquarium"

Name "Whirlquarium ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$PROGRAMFILES64\Whirlquarium"
LicenseData "${DOCS}/LICENSE.txt"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 ProductName "Whirlquarium"
VIAddVersionKey /LANG=1033 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 FileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 FileDescription "Whirlquarium ${VERSION} setup"
VIAddVersionKey /LANG=1033 CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=1033 LegalCopyright "${COPYRIGHT}, MIT licence"

Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Var AllUsers

Function .onInit
  SetRegView 64
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    SetShellVarContext all
    StrCpy $AllUsers 1
  ${Else}
    SetShellVarContext current
    StrCpy $AllUsers 0
    ; Without rights, the user's own programs folder (unless /D= chose one).
    ${If} $INSTDIR == "$PROGRAMFILES64\Whirlquarium"
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Whirlquarium"
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Whirlquarium"
  SetOutPath "$INSTDIR"
  File "/oname=whirlquarium.exe" "${EXE}"
  File "${DOCS}/README.txt"
  File "${DOCS}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Whirlquarium.lnk" "$INSTDIR\whirlquarium.exe" "" "$INSTDIR\whirlquarium.exe" 0

  ; SHCTX: the machine's list for all users, the user's own otherwise.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Whirlquarium"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\whirlquarium.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The uninstaller removes the installation it sits in: for all users when the
; machine's list names its folder, else the current user's.
Function un.onInit
  SetRegView 64
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Whirlquarium.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  Delete "$INSTDIR\whirlquarium.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: whatever else the player put there stays.
  RMDir "$INSTDIR"
SectionEnd
