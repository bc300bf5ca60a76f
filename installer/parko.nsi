; ParkoSetup.exe: installs Parko with German pages, registers its uninstaller, and writes the
; installation options to parko.ini as Parko reads them.
;   makensis -DDIST=<install image> -DOUT=<ParkoSetup.exe> -DSOURCE=<this folder> parko.nsi
!ifdef TARGET
Target ${TARGET}
!else
Unicode true
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
!define VERSION "1.68B"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Parko"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define MOH_KEY "SOFTWARE\Tamrix\MOH"

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

Function .onInit
  StrCpy $Family 0
  StrCpy $Logging 0
  StrCpy $Shortcut 1
  StrCpy $AutoStart 0
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

Section "Parko" SecParko
  SectionIn RO
  !insertmacro EndRunningParko
  SetOutPath "$INSTDIR"
  File "${DIST}/Parko.exe"
  File "${DIST}/ring.wav"
  File "${DIST}/beep.wav"
  File "${DIST}/mohhelp.chm"

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
  File "${DIST}/MOHAPI.DLL"
  File "${DIST}/DefaultDialString.dll"
  File "${DIST}/mohsim.exe"
SectionEnd

LangString DESC_Parko ${LANG_GERMAN} "Das Programm, seine Klänge und seine Hilfe."
LangString DESC_Simulator ${LANG_GERMAN} "Ein simuliertes Modem, um Parko ohne V.92-Modem auszuprobieren (mohsim.exe spielt die Leitung)."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecParko} $(DESC_Parko)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecSimulator} $(DESC_Simulator)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  !insertmacro EndRunningParko
  ; The shortcut Parko made is where its record says.
  ReadRegStr $0 HKLM "${MOH_KEY}" "LinkName"
  ${If} $0 != ""
    Delete "$0"
  ${EndIf}
  Delete "$INSTDIR\Parko.exe"
  Delete "$INSTDIR\ring.wav"
  Delete "$INSTDIR\beep.wav"
  Delete "$INSTDIR\mohhelp.chm"
  Delete "$INSTDIR\parko.ini"
  Delete "$INSTDIR\parko.log"
  Delete "$INSTDIR\MOHAPI.DLL"
  Delete "$INSTDIR\DefaultDialString.dll"
  Delete "$INSTDIR\mohsim.exe"
  Delete "$INSTDIR\mohsim.ini"
  Delete "$INSTDIR\mohsim.journal"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegValue HKLM "${RUN_KEY}" "Parko"
  DeleteRegKey HKLM "${MOH_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\Tamrix"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
