; The per-user installer. scripts/make-installer.sh passes VERSION (x.y.z), PROGRAM (the built
; Wethrix.exe), ICON and OUTFILE, and SIGN (scripts/sign.sh) when the release is signed.
Unicode true
Target amd64-unicode
RequestExecutionLevel user
; A folder chosen with /D= may be longer than 260 characters.
ManifestLongPathAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define PRODUCT "Wethrix"
!define COMPANY "Kestrivon"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wethrix"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Kestrivon\Wethrix"
!define MAIN_WINDOW_CLASS "WethrixMainWindow"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; Per user, no administrator rights: the program folder is the user's own, so the images the
; program writes stay beside it.
InstallDir "$LOCALAPPDATA\Programs\Wethrix"
ShowInstDetails nevershow
ShowUninstDetails nevershow
; The same inputs give the same installer: no file times are kept, and the text at the foot of its
; pages does not carry makensis's version.
SetDateSave off
BrandingText "${PRODUCT} ${VERSION}"

; Signed as they are made: the uninstaller before it is packed into the installer, then the
; installer itself. A signing that fails stops the build.
!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
  !finalize '"${SIGN}" "%1"' = 0
!endif

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}.0"
VIAddVersionKey /LANG=1033 "LegalCopyright" "© ${COMPANY}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Wethrix.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Wethrix now"
; Windows 11 puts a new program's icon among the hidden ones, so a new user would see no
; temperature; the page says where to keep it in view and leaves the shell's settings alone.
!define MUI_FINISHPAGE_TEXT "Wethrix has been installed on your computer.$\r$\n$\r$\nTo keep the temperature always in view, turn Wethrix on under Settings > Personalization > Taskbar > Other system tray icons (Windows 11) or $\"Select which icons appear on the taskbar$\" (Windows 10)."
!define MUI_FINISHPAGE_TEXT_LARGE
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_COMPONENTSPAGE_TEXT_TOP "Wethrix and its images are removed. Tick the box to remove your settings (place, unit, colours and key) too."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Closes every running Wethrix as its own close box would, so it removes its tray icon and its
; converter, and waits until each process has ended and its files are free.
!macro CloseRunningWethrix
  ${Do}
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${IfThen} $0 = 0 ${|} ${ExitDo} ${|}
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2' ; SYNCHRONIZE
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${If} $2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i 15000) i .r3'
      System::Call 'kernel32::CloseHandle(p r2)'
      ${IfThen} $3 <> 0 ${|} ${ExitDo} ${|} ; still running after 15 s: leave it to the file copy
    ${Else}
      ${ExitDo}
    ${EndIf}
  ${Loop}
!macroend

Section "Wethrix"
  SetShellVarContext current
  !insertmacro CloseRunningWethrix
  SetOutPath "$INSTDIR"
  File "/oname=Wethrix.exe" "${PROGRAM}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Wethrix.lnk" "$INSTDIR\Wethrix.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Wethrix.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "un.Wethrix and its images"
  SectionIn RO
  SetShellVarContext current
  !insertmacro CloseRunningWethrix
  Delete "$INSTDIR\Wethrix.exe"
  Delete "$INSTDIR\CurTemp.bmp"
  Delete "$INSTDIR\CurTemp.ico"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Wethrix.lnk"

  ; Only the entry that starts this installation; one pointing elsewhere is another copy's.
  ReadRegStr $0 HKCU "${RUN_KEY}" "Wethrix.exe"
  ${If} $0 == '"$INSTDIR\Wethrix.exe"'
  ${OrIf} $0 == "$INSTDIR\Wethrix.exe"
    DeleteRegValue HKCU "${RUN_KEY}" "Wethrix.exe"
  ${EndIf}

  Delete "$LOCALAPPDATA\Kestrivon\Wethrix\CurTemp.bmp"
  Delete "$LOCALAPPDATA\Kestrivon\Wethrix\CurTemp.ico"
  RMDir "$LOCALAPPDATA\Kestrivon\Wethrix"
  RMDir "$LOCALAPPDATA\Kestrivon"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; Not ticked unless the user ticks it, so a silent uninstall keeps the settings.
Section /o "un.My settings"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Kestrivon"
SectionEnd
