; The installer of the plug-in and its runtime, for the editor's folder.
;   makensis -DPAYLOAD=<tree> -DOUTFILE=<exe> [-DTARGET=amd64-unicode] qiv.nsi
; <tree> is the folder to install, in the editor's layout (plugins\NppPluginQiv\...,
; Qiv\...); files.nsh and unfiles.nsh beside this script, written by make-package.sh, list
; its files, so that the uninstaller removes exactly what was installed and nothing a
; teacher or student saved there.
Unicode true
!ifdef TARGET
  Target ${TARGET}
!endif
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Qiv 画图编程"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QivPlugin"
!define SAVED_KEYS "Qiv\tools\editor-keys-saved.txt"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Notepad++"
; The editor's own installer records its folder here.
InstallDirRegKey HKLM "Software\Notepad++" ""
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show

Var KeysFile   ; the editor's shortcuts file of this user

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_WELCOMEPAGE_TEXT "本程序把 Qiv 画图编程插件和它的运行库安装到 Notepad++ 编辑器的文件夹里。$\r$\n$\r$\n安装前请关闭编辑器。安装后重新打开编辑器，按 F11 编译并运行画图程序。"
!define MUI_DIRECTORYPAGE_TEXT_TOP "请选择 Notepad++ 编辑器所在的文件夹（里面有 notepad++.exe）。"
!define MUI_FINISHPAGE_TEXT "安装完成。重新打开编辑器，在“插件”菜单里可以找到“Qiv编程1.0.2”。$\r$\n$\r$\n帮助：插件菜单 → 帮助文件；例子：插件菜单 → 课本样例程序。"
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckEditorFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; The editor keeps its settings in its own folder when doLocalConf.xml is there, otherwise in
; the user's application data.
!macro FindKeysFile un
Function ${un}FindKeysFile
  ${If} ${FileExists} "$R9\doLocalConf.xml"
    StrCpy $KeysFile "$R9\shortcuts.xml"
  ${Else}
    StrCpy $KeysFile "$APPDATA\Notepad++\shortcuts.xml"
  ${EndIf}
FunctionEnd
!macroend
!insertmacro FindKeysFile ""
!insertmacro FindKeysFile "un."

; The editor writes its shortcuts file when it closes: it must be closed while the keys are
; changed. Asks until it is; a silent run gives up (exit code 2).
!macro WaitForEditorClosed un
Function ${un}WaitForEditorClosed
  ${Do}
    FindWindow $0 "Notepad++"
    ${If} $0 == 0
      Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Notepad++ 编辑器正在运行。请先关闭它，再点“重试”。" /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
    retry:
  ${Loop}
FunctionEnd
!macroend
!insertmacro WaitForEditorClosed ""
!insertmacro WaitForEditorClosed "un."

Function CheckEditorFolder
  ${IfNot} ${FileExists} "$INSTDIR\notepad++.exe"
    MessageBox MB_OK|MB_ICONEXCLAMATION "这个文件夹里没有 notepad++.exe。请选择 Notepad++ 编辑器所在的文件夹。"
    Abort
  ${EndIf}
FunctionEnd

Function .onInit
  ${If} ${Silent}
    ${IfNot} ${FileExists} "$INSTDIR\notepad++.exe"
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Qiv"
  Call WaitForEditorClosed
  !include "files.nsh"
  WriteUninstaller "$INSTDIR\Qiv\uninstall.exe"

  ; Free F1, F8, F11 and F12 from the editor's own commands for the plug-in's commands.
  StrCpy $R9 $INSTDIR
  Call FindKeysFile
  DetailPrint "编辑器的按键设置：$KeysFile"
  nsExec::ExecToLog '"$INSTDIR\Qiv\tools\editorkeys.exe" free "$KeysFile" "$INSTDIR\${SAVED_KEYS}" "$INSTDIR\shortcuts.xml"'
  Pop $0
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONINFORMATION "没能修改编辑器的按键设置（$KeysFile）。F1、F8、F11、F12 可能仍是编辑器自己的命令：可以在编辑器的“设置 → 管理快捷键”里清除它们。" /SD IDOK
  ${EndIf}

  ; The compiler the build keys use, and the precompiled runtime header made with it: with
  ; it a student's compile takes well under a second. Made here because students usually
  ; may not write in the editor's folder; the build keys remake it when they can.
  ${If} ${FileExists} "$INSTDIR\MinGW\bin\g++.exe"
    DetailPrint "正在生成快速编译文件 Qiv\logo.h.gch，请稍候……"
    nsExec::ExecToLog '"$INSTDIR\Qiv\tools\makepch.exe"'
    Pop $0
    ${If} $0 != 0
      DetailPrint "没能生成快速编译文件（$0）：编译照样可以，只是慢一些。"
    ${EndIf}
  ${Else}
    DetailPrint "没有找到编译器 $INSTDIR\MinGW\bin\g++.exe"
    MessageBox MB_OK|MB_ICONEXCLAMATION "没有找到编译器：$INSTDIR\MinGW\bin\g++.exe$\r$\n$\r$\n请把 32 位的 MinGW（g++）解压到 $INSTDIR\MinGW，使 bin 文件夹里有 g++.exe、as.exe 和 rm.exe，然后就可以按 F11 编译了。" /SD IDOK
  ${EndIf}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Qiv\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; The uninstaller lives in <editor>\Qiv.
  ${GetParent} "$INSTDIR" $R9
  Call un.WaitForEditorClosed
  Call un.FindKeysFile
  nsExec::ExecToLog '"$INSTDIR\tools\editorkeys.exe" restore "$KeysFile" "$R9\${SAVED_KEYS}"'
  Pop $0
  StrCpy $INSTDIR $R9
  ; Made on this machine, so not in the file list.
  Delete "$INSTDIR\Qiv\logo.h.gch"
  Delete "$INSTDIR\Qiv\logo.h.gch.stamp"
  Delete "$INSTDIR\Qiv\logo.h.gch.*.part"
  !include "unfiles.nsh"
  Delete "$INSTDIR\Qiv\uninstall.exe"
  RMDir "$INSTDIR\Qiv"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
