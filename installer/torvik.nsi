; Torvik's setup program, built on Linux by `make installer`:
;   makensis -DTORVIK_EXE=<Torvik.exe> -DTORVIK_CLI_EXE=<torvik-cli.exe> -DOUTDIR=<folder> installer/torvik.nsi
; It installs Torvik.exe, and torvik-cli.exe beside it, for all users when run by an administrator (Program Files) and for
; the user alone otherwise (%LOCALAPPDATA%\Programs), with a Start-menu entry, an entry in
; "Apps and features" and the association of *.TVX and *.ATX files. /S installs silently,
; /CurrentUser installs for the user alone even when run by an administrator.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef TORVIK_EXE | TORVIK_CLI_EXE | OUTDIR
  !error "Give -DTORVIK_EXE=<path of Torvik.exe>, -DTORVIK_CLI_EXE=<path of torvik-cli.exe> and -DOUTDIR=<output folder>"
!endif

; The version has one home, resources/version.h; makensis runs in this script's folder.
!searchparse /file "../resources/version.h" '#define TORVIK_VERSION_TEXT "' VERSION '"'
!searchparse /file "../resources/version.h" '#define TORVIK_VERSION_MAJOR ' VERSION_MAJOR
!searchparse /file "../resources/version.h" '#define TORVIK_VERSION_MINOR ' VERSION_MINOR
!searchparse /file "../resources/version.h" '#define TORVIK_VERSION_PATCH ' VERSION_PATCH

!define PRODUCT "Torvik"
!define PUBLISHER "Fernwick"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvik"
!define DESIGN_CLASS "Torvik.Design"
!define TEMPLATE_CLASS "Torvik.Template"
; SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, 0, 0): Explorer shows the new icons at once.
!define NOTIFY_ASSOCIATIONS "shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTDIR}/Torvik-${VERSION}-setup.exe"
; Administrators are asked to elevate; everyone else installs for themselves.
RequestExecutionLevel highest
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_MAJOR}.${VERSION_MINOR}.${VERSION_PATCH}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "../resources/torvik.ico"
!define MUI_UNICON "../resources/torvik.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Torvik.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var AllUsers

; A running Torvik keeps its program file in use: it is to be closed first.
!macro RefuseWhileRunning
  FindWindow $0 "Torvik" "Torvik"
  ${If} $0 <> 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "Torvik is running. Please close it and start again." /SD IDOK
    Abort
  ${EndIf}
!macroend

Function .onInit
  !insertmacro RefuseWhileRunning
  StrCpy $AllUsers 0
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $AllUsers 1
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/CurrentUser" $1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
  ${EndIf}
  ; SHCTX below is HKLM for all users and HKCU for one; so are the Start menu and $INSTDIR.
  ${If} $AllUsers == 1
    SetShellVarContext all
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${EndIf}
  ${Else}
    SetShellVarContext current
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
  ${EndIf}
FunctionEnd

!macro Associate EXTENSION CLASS DESCRIPTION
  WriteRegStr SHCTX "Software\Classes\${EXTENSION}" "" "${CLASS}"
  WriteRegStr SHCTX "Software\Classes\${CLASS}" "" "${DESCRIPTION}"
  WriteRegStr SHCTX "Software\Classes\${CLASS}\DefaultIcon" "" "$INSTDIR\Torvik.exe,-2"
  WriteRegStr SHCTX "Software\Classes\${CLASS}\shell\open\command" "" '"$INSTDIR\Torvik.exe" "%1"'
!macroend

Section "Torvik"
  SetOutPath "$INSTDIR"
  File "/oname=Torvik.exe" "${TORVIK_EXE}"
  File "/oname=torvik-cli.exe" "${TORVIK_CLI_EXE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Torvik.exe"

  !insertmacro Associate ".tvx" "${DESIGN_CLASS}" "Torvik design"
  !insertmacro Associate ".atx" "${TEMPLATE_CLASS}" "Torvik design template"
  System::Call "${NOTIFY_ASSOCIATIONS}"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Torvik.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  !insertmacro RefuseWhileRunning
  ; Installed for all users when the machine's uninstall entry names this folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

; An extension is given back only while it still names our class: another program may have
; taken it since.
!macro Unassociate EXTENSION CLASS
  ReadRegStr $0 SHCTX "Software\Classes\${EXTENSION}" ""
  ${If} $0 == "${CLASS}"
    DeleteRegValue SHCTX "Software\Classes\${EXTENSION}" ""
    DeleteRegKey /ifempty SHCTX "Software\Classes\${EXTENSION}"
  ${EndIf}
  DeleteRegKey SHCTX "Software\Classes\${CLASS}"
!macroend

; Takes away only what the setup put there: designs and language files kept in the folder,
; and the INI file in the user's application data, stay.
Section "Uninstall"
  Delete "$INSTDIR\Torvik.exe"
  Delete "$INSTDIR\torvik-cli.exe"
  ; The uninstaller runs as a copy of itself; the one that started it may not have ended yet
  ; and keeps its file until it has.
  ${For} $1 1 50
    Delete "$INSTDIR\Uninstall.exe"
    ${IfNot} ${FileExists} "$INSTDIR\Uninstall.exe"
      ${Break}
    ${EndIf}
    Sleep 100
  ${Next}
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  !insertmacro Unassociate ".tvx" "${DESIGN_CLASS}"
  !insertmacro Unassociate ".atx" "${TEMPLATE_CLASS}"
  System::Call "${NOTIFY_ASSOCIATIONS}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
