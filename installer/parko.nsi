; ParkoSetup.exe: installs Parko with German pages, registers its uninstaller, and writes the
; installation options to parko.ini as Parko reads them. An ANSI installer, so that it starts on
; Windows 95, 98 and ME too; the script is UTF-8 (makensis -INPUTCHARSET UTF8).
;   makensis -INPUTCHARSET UTF8 -DDIST=<install image> -DOUT=<ParkoSetup.exe>
;            -DSOURCE=<this folder> parko.nsi
; -DTARGET=amd64-unicode packs a 64-bit image for the tests of hosts without 32-bit code.
!ifdef TARGET
Target ${TARGET}
!else
Unicode false
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "nsDialogs.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"
!include "WinMessages.nsh"

!getdllversion "${DIST}/Parko.exe" PARKO_
; VERSION comes from the build (-DVERSION=...), made from the one place it is written.
!ifndef VERSION
  !error "makensis -DVERSION=... is required"
!endif
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Parko"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define MOH_KEY "SOFTWARE\Tamrix\MOH"
; The Start-menu shortcut Parko makes at its first start (its string 32888 and ".lnk").
!define LINK_FILE "Modem On Hold Einstellungen.lnk"

Name "Parko ${VERSION}"
OutFile "${OUT}"
InstallDir "$PROGRAMFILES\Parko"
BrandingText "Parko ${VERSION}"
VIProductVersion "${PARKO_1}.${PARKO_2}.${PARKO_3}.${PARKO_4}"
VIAddVersionKey /LANG=1031 "ProductName" "Parko"
VIAddVersionKey /LANG=1031 "CompanyName" "Tamrix"
VIAddVersionKey /LANG=1031 "FileDescription" "Parko ${VERSION} Setup"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "Copyright 2001-2003 Tamrix"

!define MUI_ICON "${SOURCE}/../src/res/parko.ico"
!define MUI_UNICON "${SOURCE}/../src/res/parko.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Parko meldet Ihnen Anrufe, während Sie über ein V.92-Modem online sind, und hält auf Wunsch die Internetverbindung, solange Sie telefonieren.$\r$\n$\r$\nKlicken Sie auf Weiter, um fortzufahren."

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_PAGE_CUSTOMFUNCTION_PRE ComponentsPre
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ComponentsShow
!insertmacro MUI_PAGE_COMPONENTS
Page custom OptionsPage OptionsLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

; The installation options; a silent install keeps these defaults.
Var Family        ; 0: chosen at start, 1 TELKA, 2 BORIN, 3 NUVIA
Var Logging       ; 1: the event log is written
Var Shortcut      ; 1: Parko puts a shortcut into the Start menu at its first start
Var AutoStart     ; 1: Parko starts with Windows
Var FamilyRadio0
Var FamilyRadio1
Var FamilyRadio2
Var FamilyRadio3
Var LoggingBox
Var ShortcutBox
Var AutoStartBox
Var Record          ; the list of the files this installation put into $INSTDIR
Var ForeignLibrary  ; a modem-on-hold library that the simulator would shadow, or ""
Var DecidedFor      ; the folder the simulator's default was chosen for
Var SimulatorText   ; the simulator's description on the components page
Var LibraryOurs     ; 1 when a MOHAPI.DLL in the folder came from Parko's installer
Var DialLibraryOurs ; likewise DefaultDialString.dll

; The file that names every file the installation put into its folder; the uninstaller removes
; those and no other.
!define RECORD "installed.lst"

; Strips the line end that FileRead leaves on a line.
!macro TrimLine VAR
  ${Do}
    StrCpy $R9 ${VAR} 1 -1
    ${If} $R9 == "$\r"
    ${OrIf} $R9 == "$\n"
      StrCpy ${VAR} ${VAR} -1
    ${Else}
      ${ExitDo}
    ${EndIf}
  ${Loop}
!macroend

; RESULT is 1 when NAME is a plain file name: not empty, no folder, drive or "..", and none of
; the characters that Delete takes as wildcards or that no file name may hold.
!macro PlainName NAME RESULT
  StrCpy ${RESULT} 1
  ${If} ${NAME} == ""
  ${OrIf} ${NAME} == ".."
  ${OrIf} ${NAME} == "."
    StrCpy ${RESULT} 0
  ${EndIf}
  StrCpy $R8 0
  ${Do}
    StrCpy $R9 ${NAME} 1 $R8
    ${If} $R9 == ""
      ${ExitDo}
    ${EndIf}
    ${If} $R9 == "\"
    ${OrIf} $R9 == "/"
    ${OrIf} $R9 == ":"
    ${OrIf} $R9 == "*"
    ${OrIf} $R9 == "?"
    ${OrIf} $R9 == "<"
    ${OrIf} $R9 == ">"
    ${OrIf} $R9 == "|"
    ${OrIf} $R9 == '"'
      StrCpy ${RESULT} 0
    ${EndIf}
    IntOp $R8 $R8 + 1
  ${Loop}
!macroend

; RESULT is 1 when NAME is one of the files this setup puts into its folder: the only names the
; uninstaller deletes from a record, so that a record written by anything else deletes nothing.
!macro SetupFile NAME RESULT
  StrCpy ${RESULT} 0
  ${If} ${NAME} == "Parko.exe"
  ${OrIf} ${NAME} == "ring.wav"
  ${OrIf} ${NAME} == "beep.wav"
  ${OrIf} ${NAME} == "mohhelp.chm"
  ${OrIf} ${NAME} == "MOHAPI.DLL"
  ${OrIf} ${NAME} == "DefaultDialString.dll"
  ${OrIf} ${NAME} == "mohsim.exe"
    StrCpy ${RESULT} 1
  ${EndIf}
!macroend

Function .onInit
  StrCpy $Family 0
  StrCpy $Logging 0
  StrCpy $Shortcut 1
  StrCpy $AutoStart 0
  Call DecideSimulator  ; a silent install has its folder now
FunctionEnd

; The components page after the folder was chosen: the simulator's default for that folder.
Function ComponentsPre
  ${If} $DecidedFor != $INSTDIR
    Call DecideSimulator
  ${EndIf}
FunctionEnd

; Where the simulator is off, the page says why above the list (the description box shows a
; component's text only under the mouse).
Function ComponentsShow
  ${If} $ForeignLibrary != ""
    FindWindow $0 "#32770" "" $HWNDPARENT
    GetDlgItem $1 $0 1006
    SendMessage $1 ${WM_SETTEXT} 0 "STR:Der simulierte Treiber ist abgewählt: $ForeignLibrary ist schon da, wohl ein echter Modem-on-Hold-Treiber, den er verdecken würde."
  ${EndIf}
FunctionEnd

Function OptionsPage
  !insertmacro MUI_HEADER_TEXT "Installationsoptionen" "Wie Parko startet"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 12u "Modem-Familie:"
  ${NSD_CreateRadioButton} 10u 14u 90% 12u "beim Start auswählen"
  Pop $FamilyRadio0
  ${NSD_CreateRadioButton} 10u 28u 90% 12u "TELKA"
  Pop $FamilyRadio1
  ${NSD_CreateRadioButton} 10u 42u 90% 12u "BORIN"
  Pop $FamilyRadio2
  ${NSD_CreateRadioButton} 10u 56u 90% 12u "NUVIA"
  Pop $FamilyRadio3
  ${NSD_CreateCheckBox} 0 78u 100% 12u "Ereignisprotokoll (parko.log) schreiben"
  Pop $LoggingBox
  ${NSD_CreateCheckBox} 0 92u 100% 12u "Eintrag im Startmenü anlegen"
  Pop $ShortcutBox
  ${NSD_CreateCheckBox} 0 106u 100% 12u "Bei Start von Windows ausführen"
  Pop $AutoStartBox
  ${Select} $Family
    ${Case} 1
      ${NSD_Check} $FamilyRadio1
    ${Case} 2
      ${NSD_Check} $FamilyRadio2
    ${Case} 3
      ${NSD_Check} $FamilyRadio3
    ${CaseElse}
      ${NSD_Check} $FamilyRadio0
  ${EndSelect}
  ${If} $Logging == 1
    ${NSD_Check} $LoggingBox
  ${EndIf}
  ${If} $Shortcut == 1
    ${NSD_Check} $ShortcutBox
  ${EndIf}
  ${If} $AutoStart == 1
    ${NSD_Check} $AutoStartBox
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function OptionsLeave
  StrCpy $Family 0
  ${NSD_GetState} $FamilyRadio1 $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Family 1
  ${EndIf}
  ${NSD_GetState} $FamilyRadio2 $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Family 2
  ${EndIf}
  ${NSD_GetState} $FamilyRadio3 $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Family 3
  ${EndIf}
  ${NSD_GetState} $LoggingBox $Logging
  ${NSD_GetState} $ShortcutBox $Shortcut
  ${NSD_GetState} $AutoStartBox $AutoStart
FunctionEnd

; "Yes" or "No": Parko judges these values by their first letter.
!macro YesNo flag out
  ${If} ${flag} == 1
    StrCpy ${out} "Yes"
  ${Else}
    StrCpy ${out} "No"
  ${EndIf}
!macroend

; Asks a running Parko to end, as its menu's "Modem On Hold deaktivieren" does, and waits.
!macro EndRunningParko
  FindWindow $0 "" "TrayIconHandler"
  ${If} $0 <> 0
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    StrCpy $1 0
    ${Do}
      Sleep 100
      FindWindow $0 "" "TrayIconHandler"
      IntOp $1 $1 + 1
      ${If} $0 = 0
      ${OrIf} $1 >= 50
        ${ExitDo}
      ${EndIf}
    ${Loop}
    ; The window goes first; the process lets go of its files a moment later.
    Sleep 500
  ${EndIf}
!macroend

; Pushes 1 when the list FILE names NAME on a line of its own, else 0.
;   Push FILE
;   Push NAME
!macro IN_LIST un
Function ${un}InList
  Exch $R0  ; NAME
  Exch
  Exch $R1  ; FILE
  Push $R2
  Push $R3
  StrCpy $R2 0
  ClearErrors
  FileOpen $R3 $R1 r
  ${IfNot} ${Errors}
    ${Do}
      ClearErrors
      FileRead $R3 $R1
      ${If} ${Errors}
        ${ExitDo}
      ${EndIf}
      !insertmacro TrimLine $R1
      ${If} $R1 == $R0
        StrCpy $R2 1
        ${ExitDo}
      ${EndIf}
    ${Loop}
    FileClose $R3
  ${EndIf}
  StrCpy $R0 $R2
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd

; Whether NAME in $INSTDIR was put there by Parko's installer: the record of the installation
; there names it, or an installation from before records were kept (its uninstall entry points
; at this folder and the simulator's own program lies there) put all three simulator files
; there. Pushes 1 or 0. Asked before this installation writes its own record.
Function ${un}IsOurs
  Exch $R0  ; NAME
  ${If} ${FileExists} "$INSTDIR\${RECORD}"
    Push "$INSTDIR\${RECORD}"
    Push $R0
    Call ${un}InList
    Pop $R0
  ${Else}
    ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R0 == $INSTDIR
    ${AndIf} ${FileExists} "$INSTDIR\mohsim.exe"
      StrCpy $R0 1
    ${Else}
      StrCpy $R0 0
    ${EndIf}
  ${EndIf}
  Exch $R0
FunctionEnd
!macroend
!insertmacro IN_LIST ""
!insertmacro IN_LIST "un."

; Installs NAME from the image and records it.
; A file that cannot be written is never skipped: the installation fails (.onInstFailed).
!macro InstallFile NAME
  AllowSkipFiles off
  File "${DIST}/${NAME}"
  FileWrite $Record "${NAME}$\r$\n"
!macroend

; A library the simulator brings, unless a library of that name that Parko's installer did not
; put there is already in the folder: a vendor's is never overwritten.
!macro InstallLibrary NAME OURS
  ${If} ${FileExists} "$INSTDIR\${NAME}"
  ${AndIf} ${OURS} != 1
    DetailPrint "${NAME} bleibt, wie es ist: es stammt nicht von Parko."
  ${Else}
    !insertmacro InstallFile "${NAME}"
  ${EndIf}
!macroend

Section "Parko" SecParko
  SectionIn RO
  !insertmacro EndRunningParko
  SetOutPath "$INSTDIR"
  Push "MOHAPI.DLL"
  Call IsOurs
  Pop $LibraryOurs
  Push "DefaultDialString.dll"
  Call IsOurs
  Pop $DialLibraryOurs
  ; The files of an earlier installation that this one does not bring again stay recorded.
  ${If} ${FileExists} "$INSTDIR\${RECORD}"
    Rename "$INSTDIR\${RECORD}" "$INSTDIR\${RECORD}.old"
  ${EndIf}
  FileOpen $Record "$INSTDIR\${RECORD}" w
  !insertmacro InstallFile "Parko.exe"
  !insertmacro InstallFile "ring.wav"
  !insertmacro InstallFile "beep.wav"
  !insertmacro InstallFile "mohhelp.chm"
  ; Parko.exe imports DefaultDialString.dll, whichever modem-on-hold library it uses: ours goes
  ; wherever no such library is found, so that a vendor's library without its partner still
  ; leaves a Parko that starts. One that Parko's installer did not put here stays as it is, and
  ; so does the use of one in the system folder.
  ${If} ${FileExists} "$INSTDIR\DefaultDialString.dll"
  ${AndIf} $DialLibraryOurs != 1
    DetailPrint "DefaultDialString.dll bleibt, wie es ist: es stammt nicht von Parko."
  ${ElseIf} ${FileExists} "$SYSDIR\DefaultDialString.dll"
  ${AndIfNot} ${FileExists} "$INSTDIR\DefaultDialString.dll"
    DetailPrint "Parko verwendet DefaultDialString.dll aus dem Systemordner."
  ${Else}
    !insertmacro InstallFile "DefaultDialString.dll"
  ${EndIf}

  ; The installation options, in the keys and values Parko reads.
  ${If} $Family == 0
    WriteINIStr "$INSTDIR\parko.ini" "INSTALL_OPTIONS" "SilentEnumeration" "No"
    WriteINIStr "$INSTDIR\parko.ini" "INSTALL_OPTIONS" "ModemType" ""
  ${Else}
    WriteINIStr "$INSTDIR\parko.ini" "INSTALL_OPTIONS" "SilentEnumeration" "Yes"
    WriteINIStr "$INSTDIR\parko.ini" "INSTALL_OPTIONS" "ModemType" "$Family"
  ${EndIf}
  WriteINIStr "$INSTDIR\parko.ini" "INSTALL_OPTIONS" "ModemName" ""
  !insertmacro YesNo $Logging $0
  WriteINIStr "$INSTDIR\parko.ini" "INSTALL_OPTIONS" "Logging" "$0"
  WriteINIStr "$INSTDIR\parko.ini" "INSTALL_OPTIONS" "QuickConnect" "No"
  !insertmacro YesNo $Shortcut $0
  WriteINIStr "$INSTDIR\parko.ini" "INSTALL_OPTIONS" "CreateProgramEntry" "$0"

  ; Quoted, as Parko itself writes it: a path with blanks names nothing else.
  ${If} $AutoStart == 1
    WriteRegStr HKLM "${RUN_KEY}" "Parko" '"$INSTDIR\Parko.exe"'
  ${EndIf}

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Parko ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Tamrix"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Parko.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Simulierter Modem-on-Hold-Treiber" SecSimulator
  SetOutPath "$INSTDIR"
  !insertmacro InstallLibrary "MOHAPI.DLL" $LibraryOurs
  !insertmacro InstallFile "mohsim.exe"
SectionEnd

; Last: the record takes over what the earlier one named and this installation left in place.
Section "-Record"
  Call TakeOverEarlierRecord
SectionEnd

; A file that could not be written (a folder in its way, a running copy held open) ends the
; installation: interactively after NSIS's own box with Wiederholen and Abbrechen, silently with
; a non-zero exit code. Nothing after it is written, the uninstall entry included; the record
; names what this installation wrote and what of the earlier one is still there.
Function .onInstFailed
  Call TakeOverEarlierRecord
FunctionEnd

Function TakeOverEarlierRecord
  ${If} ${FileExists} "$INSTDIR\${RECORD}.old"
    FileOpen $1 "$INSTDIR\${RECORD}.old" r
    ${Do}
      ClearErrors
      FileRead $1 $0
      ${If} ${Errors}
        ${ExitDo}
      ${EndIf}
      !insertmacro TrimLine $0
      ${If} $0 != ""
      ${AndIf} ${FileExists} "$INSTDIR\$0"
        FileClose $Record
        Push "$INSTDIR\${RECORD}"
        Push $0
        Call InList  ; already in the new record?
        Pop $2
        FileOpen $Record "$INSTDIR\${RECORD}" a
        FileSeek $Record 0 END
        ${If} $2 != 1
          FileWrite $Record "$0$\r$\n"
        ${EndIf}
      ${EndIf}
    ${Loop}
    FileClose $1
    Delete "$INSTDIR\${RECORD}.old"
  ${EndIf}
  FileClose $Record
FunctionEnd

; The simulator is on by default only where no modem-on-hold library is there already: one in
; the program's folder would be overwritten, one in the system folder hidden behind it.
Function DecideSimulator
  StrCpy $DecidedFor $INSTDIR
  StrCpy $ForeignLibrary ""
  Push "MOHAPI.DLL"
  Call IsOurs
  Pop $0
  ${If} ${FileExists} "$INSTDIR\MOHAPI.DLL"
  ${AndIf} $0 != 1
    StrCpy $ForeignLibrary "$INSTDIR\MOHAPI.DLL"
  ${ElseIf} ${FileExists} "$SYSDIR\MOHAPI.DLL"
    StrCpy $ForeignLibrary "$SYSDIR\MOHAPI.DLL"
  ${EndIf}
  ${If} $ForeignLibrary == ""
    ; Without any modem-on-hold library Parko could not start: the simulator is then needed.
    !insertmacro SetSectionFlag ${SecSimulator} ${SF_SELECTED}
    !insertmacro SetSectionFlag ${SecSimulator} ${SF_RO}
    SectionSetText ${SecSimulator} "Simulierter Modem-on-Hold-Treiber"
    StrCpy $SimulatorText "Ein simuliertes Modem, um Parko ohne V.92-Modem auszuprobieren (mohsim.exe spielt die Leitung). Solange kein Modem-on-Hold-Treiber da ist, braucht Parko ihn."
  ${Else}
    !insertmacro ClearSectionFlag ${SecSimulator} ${SF_RO}
    !insertmacro UnselectSection ${SecSimulator}
    SectionSetText ${SecSimulator} "Simulierter Modem-on-Hold-Treiber"
    StrCpy $SimulatorText "Abgewählt: Ein Modem-on-Hold-Treiber ist schon da ($ForeignLibrary). Der Simulator würde ihn verdecken; ein vorhandener wird nie überschrieben."
  ${EndIf}
FunctionEnd

LangString DESC_Parko ${LANG_GERMAN} "Das Programm, seine Klänge und seine Hilfe."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecParko} $(DESC_Parko)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecSimulator} $SimulatorText
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Pushes the path that the shortcut file PATH points at, or "" when it is none.
Function un.LinkTarget
  Exch $R0  ; PATH
  Push $R1
  Push $R2
  Push $R3
  Push $0
  StrCpy $R3 ""
  System::Call "ole32::CoInitialize(p 0)"
  ; CLSID_ShellLink, IID_IShellLinkA; then IPersistFile::Load (5) and IShellLinkA::GetPath (3).
  System::Call "ole32::CoCreateInstance(g '{00021401-0000-0000-C000-000000000046}', p 0, i 1, g '{000214EE-0000-0000-C000-000000000046}', *p .R1) i .r0"
  ${If} $0 == 0
    System::Call "$R1->0(g '{0000010B-0000-0000-C000-000000000046}', *p .R2) i .r0"
    ${If} $0 == 0
      System::Call "$R2->5(w R0, i 0) i .r0"
      ${If} $0 == 0
        System::Call "$R1->3(m .R3, i ${NSIS_MAX_STRLEN}, p 0, i 4) i .r0"  ; ANSI, SLGP_RAWPATH
        ${If} $0 != 0
          StrCpy $R3 ""
        ${EndIf}
      ${EndIf}
      System::Call "$R2->2()"
    ${EndIf}
    System::Call "$R1->2()"
  ${EndIf}
  System::Call "ole32::CoUninitialize()"
  StrCpy $R0 $R3
  Pop $0
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd

; Pushes 1 when PATH is the shortcut that the Parko of this folder made: the shortcut's own name
; in the Start menu's programs folder of the user or of all users, pointing at this folder's
; Parko.exe. The registry's record of it is no proof: anything may have written another path.
Function un.IsOurShortcut
  Exch $R0  ; PATH
  Push $R1
  Push $R2
  StrCpy $R1 0
  SetShellVarContext current
  StrCpy $R2 "$SMPROGRAMS\${LINK_FILE}"
  ${If} $R0 != $R2
    SetShellVarContext all
    StrCpy $R2 "$SMPROGRAMS\${LINK_FILE}"
  ${EndIf}
  SetShellVarContext current
  ${If} $R0 == $R2
  ${AndIf} ${FileExists} $R0
    Push $R0
    Call un.LinkTarget
    Pop $R2
    ${If} $R2 == "$INSTDIR\Parko.exe"
      StrCpy $R1 1
    ${EndIf}
  ${EndIf}
  StrCpy $R0 $R1
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd

Section "Uninstall"
  !insertmacro EndRunningParko
  ; The shortcut the Parko of this folder made, and only that. Another installation's Parko may
  ; have made it (the uninstall entry names the folder installed last): then it stays, and so
  ; does the key that records it and the tone switches both share.
  ReadRegStr $4 HKLM "${MOH_KEY}" "AppPath"
  ReadRegStr $0 HKLM "${MOH_KEY}" "LinkName"
  ${If} $0 != ""
    Push $0
    Call un.IsOurShortcut
    Pop $1
    ${If} $1 == 1
      Delete "$0"
    ${EndIf}
  ${EndIf}
  ; What the simulator writes beside itself goes only with a simulator Parko installed.
  Push "MOHAPI.DLL"
  Call un.IsOurs
  Pop $2
  ; The recorded files, each a plain name in this folder.
  ${If} ${FileExists} "$INSTDIR\${RECORD}"
    FileOpen $1 "$INSTDIR\${RECORD}" r
    ${Do}
      ClearErrors
      FileRead $1 $0
      ${If} ${Errors}
        ${ExitDo}
      ${EndIf}
      !insertmacro TrimLine $0
      !insertmacro PlainName $0 $3
      !insertmacro SetupFile $0 $5
      ${If} $3 == 1
      ${AndIf} $5 == 1
        Delete "$INSTDIR\$0"
      ${EndIf}
    ${Loop}
    FileClose $1
    Delete "$INSTDIR\${RECORD}"
  ${EndIf}
  ${If} $2 == 1
    Delete "$INSTDIR\mohsim.ini"
    Delete "$INSTDIR\mohsim.journal"
  ${EndIf}
  Delete "$INSTDIR\parko.ini"
  Delete "$INSTDIR\parko.log"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; Start with Windows, only for this folder's Parko (quoted, as Parko and setup write it).
  ReadRegStr $0 HKLM "${RUN_KEY}" "Parko"
  ${If} $0 == '"$INSTDIR\Parko.exe"'
  ${OrIf} $0 == "$INSTDIR\Parko.exe"
    DeleteRegValue HKLM "${RUN_KEY}" "Parko"
  ${EndIf}
  ${If} $4 == ""
  ${OrIf} $4 == $INSTDIR
    DeleteRegKey HKLM "${MOH_KEY}"
    DeleteRegKey /ifempty HKLM "SOFTWARE\Tamrix"
  ${EndIf}
  ; The entry is this folder's only while it names this folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd
