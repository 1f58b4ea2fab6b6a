; The installer of the plug-in and its runtime, for the editor's folder.
;   makensis -DPAYLOAD=<tree> -DOUTFILE=<exe> -DEDITOR_BITS=32|64 [-DTARGET=amd64-unicode] qiv.nsi
; <tree> is the folder to install, in the editor's layout (plugins\NppPluginQiv\...,
; Qiv\...); files.nsh and unfiles.nsh beside this script, written by make-package.sh, list
; its files, so that the uninstaller removes exactly what was installed and nothing a
; teacher or student saved there. EDITOR_BITS is the kind of editor the package's plug-in
; loads into: a 32-bit plug-in does not load into the 64-bit editor, nor the other way round,
; so each package refuses the other kind of editor.
Unicode true
!ifdef TARGET
  Target ${TARGET}
!endif
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!if ${EDITOR_BITS} == 64
  !define PRODUCT "Qiv 画图编程（64 位 Notepad++）"
  !define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QivPlugin64"
  !define OTHER_KIND_TEXT "这个文件夹里的 Notepad++ 是 32 位的。请改用 32 位编辑器的安装包 qiv-setup.exe。"
!else
  !define PRODUCT "Qiv 画图编程"
  !define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QivPlugin"
  !define OTHER_KIND_TEXT "这个文件夹里的 Notepad++ 是 64 位的。请改用 64 位编辑器的安装包 qiv-setup-x64.exe。"
!endif
!define SAVED_KEYS "Qiv\tools\editor-keys-saved.txt"
!define CHECK_SHORTCUT "画图作业检查.lnk"
; Exit codes of a silent run that installs nothing.
!define EXIT_NO_EDITOR 2
!define EXIT_OTHER_KIND 3

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; The editor's own installer records its folder here, in the registry view of its kind.
!if ${EDITOR_BITS} == 64
  InstallDir "$PROGRAMFILES64\Notepad++"
!else
  InstallDir "$PROGRAMFILES32\Notepad++"
!endif
InstallDirRegKey HKLM "Software\Notepad++" ""
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show

Var KeysFile      ; the editor's shortcuts file of this user
Var EditorKind    ; "32", "64", "arm64" or "" (not a program the installer knows)

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_WELCOMEPAGE_TEXT "本程序把 Qiv 画图编程插件和它的运行库安装到 ${EDITOR_BITS} 位 Notepad++ 编辑器的文件夹里。$\r$\n$\r$\n安装前请关闭编辑器。安装后重新打开编辑器，按 F11 编译并运行画图程序。"
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

; The kind of the editor program in $INSTDIR, from the machine field of its PE header.
Function ReadEditorKind
  StrCpy $EditorKind ""
  ClearErrors
  FileOpen $0 "$INSTDIR\notepad++.exe" r
  IfErrors done
  FileSeek $0 0x3C SET
  FileReadByte $0 $1
  FileReadByte $0 $2
  FileReadByte $0 $3
  FileReadByte $0 $4
  IntOp $2 $2 << 8
  IntOp $3 $3 << 16
  IntOp $4 $4 << 24
  IntOp $1 $1 + $2
  IntOp $1 $1 + $3
  IntOp $1 $1 + $4
  IntOp $1 $1 + 4
  FileSeek $0 $1 SET
  FileReadByte $0 $2
  FileReadByte $0 $3
  FileClose $0
  IfErrors done
  IntOp $3 $3 << 8
  IntOp $2 $2 + $3
  ${If} $2 = 0x14C
    StrCpy $EditorKind "32"
  ${ElseIf} $2 = 0x8664
    StrCpy $EditorKind "64"
  ${ElseIf} $2 = 0xAA64
    StrCpy $EditorKind "arm64"
  ${EndIf}
  done:
FunctionEnd

; The editor keeps its settings in its own folder when doLocalConf.xml is there, unless that
; folder lies directly in the Program Files folder of its kind; otherwise in the user's
; application data. (The editor compares the two folder names exactly.)
!macro FindKeysFile un
Function ${un}FindKeysFile
  StrCpy $KeysFile "$APPDATA\Notepad++\shortcuts.xml"
  ${If} ${FileExists} "$R9\doLocalConf.xml"
    ${GetParent} "$R9" $0
!if ${EDITOR_BITS} == 64
    StrCmpS $0 $PROGRAMFILES64 found
!else
    StrCmpS $0 $PROGRAMFILES32 found
!endif
    StrCpy $KeysFile "$R9\shortcuts.xml"
    found:
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

; The sentence that refuses the folder $INSTDIR, or "" when the package fits it.
Function RefusalOfFolder
  StrCpy $R0 ""
  ${IfNot} ${FileExists} "$INSTDIR\notepad++.exe"
    StrCpy $R0 "这个文件夹里没有 notepad++.exe。请选择 Notepad++ 编辑器所在的文件夹。"
    Return
  ${EndIf}
  Call ReadEditorKind
  ${If} $EditorKind == "arm64"
    StrCpy $R0 "这个文件夹里的 Notepad++ 是 ARM64 版的。Qiv 插件只能装进 32 位或 64 位（x64）的 Notepad++。"
  ${ElseIf} $EditorKind != ""
  ${AndIf} $EditorKind != "${EDITOR_BITS}"
    StrCpy $R0 "${OTHER_KIND_TEXT}"
  ${EndIf}
FunctionEnd

Function CheckEditorFolder
  Call RefusalOfFolder
  ${If} $R0 != ""
    MessageBox MB_OK|MB_ICONEXCLAMATION "$R0"
    Abort
  ${EndIf}
FunctionEnd

Function .onInit
  ${If} ${Silent}
    Call RefusalOfFolder
    ${If} $R0 != ""
      ${IfNot} ${FileExists} "$INSTDIR\notepad++.exe"
        SetErrorLevel ${EXIT_NO_EDITOR}
      ${Else}
        SetErrorLevel ${EXIT_OTHER_KIND}
      ${EndIf}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Qiv"
  Call WaitForEditorClosed
  !include "files.nsh"
  WriteUninstaller "$INSTDIR\Qiv\uninstall.exe"

  ; Free F1, F8, F11 and F12 from the editor's own commands for the plug-in's commands. (The
  ; plug-in also takes those keys over by itself in any user's editor that still gives them
  ; to its own commands.)
  StrCpy $R9 $INSTDIR
  Call FindKeysFile
  DetailPrint "编辑器的按键设置：$KeysFile"
  nsExec::ExecToLog '"$INSTDIR\Qiv\tools\editorkeys.exe" free "$KeysFile" "$INSTDIR\${SAVED_KEYS}" "$INSTDIR\shortcuts.xml"'
  Pop $0
  ${If} $0 != 0
    DetailPrint "没能修改编辑器的按键设置（$KeysFile）；插件照样会接管 F1、F8、F11、F12。"
  ${EndIf}

  ${If} ${FileExists} "$INSTDIR\MinGW\bin\g++.exe"
    ; The runtime library fitted to the folder's compiler (taken from the package where it
    ; was made by such a compiler, built from its sources otherwise), and the tool headers
    ; put where programs in any folder find them.
    DetailPrint "正在为编译器 $INSTDIR\MinGW\bin\g++.exe 准备 Qiv 运行库，请稍候……"
    nsExec::ExecToStack '"$INSTDIR\Qiv\tools\makeruntime.exe"'
    Pop $0
    Pop $1
    DetailPrint "$1"
    ${If} $0 == 3
      MessageBox MB_OK|MB_ICONEXCLAMATION "$INSTDIR\MinGW\bin\g++.exe 不能用来编译 Qiv 程序：$\r$\n$\r$\n$1$\r$\n请换用 GCC 6 或更新的 MinGW（32 位或 64 位都可以），然后重新运行本安装程序。" /SD IDOK
    ${ElseIf} $0 != 0
      MessageBox MB_OK|MB_ICONEXCLAMATION "没能为编译器 $INSTDIR\MinGW\bin\g++.exe 准备 Qiv 运行库（$0）：$\r$\n$\r$\n$1$\r$\n请换用其他版本的 MinGW，然后重新运行本安装程序。" /SD IDOK
    ${EndIf}

    ; The precompiled runtime header made with that compiler: with it a student's compile
    ; takes well under a second. Made here because students usually may not write in the
    ; editor's folder; the build keys remake it when they can.
    DetailPrint "正在生成快速编译文件 Qiv\logo.h.gch，请稍候……"
    nsExec::ExecToLog '"$INSTDIR\Qiv\tools\makepch.exe"'
    Pop $0
    ${If} $0 != 0
      DetailPrint "没能生成快速编译文件（$0）：编译照样可以，只是慢一些。"
    ${EndIf}
  ${Else}
    DetailPrint "没有找到编译器 $INSTDIR\MinGW\bin\g++.exe"
    MessageBox MB_OK|MB_ICONEXCLAMATION "没有找到编译器：$INSTDIR\MinGW\bin\g++.exe$\r$\n$\r$\n请把 MinGW（GCC 6 或更新的版本，32 位或 64 位都可以）解压到 $INSTDIR\MinGW，使 bin 文件夹里有 g++.exe、as.exe 和 rm.exe，然后重新运行本安装程序。" /SD IDOK
  ${EndIf}

  ; The class check, for the teacher: it asks for the class's folder and opens its report.
  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${CHECK_SHORTCUT}" "$INSTDIR\Qiv\tools\qivcheck.exe" "" \
    "$INSTDIR\Qiv\tools\qivcheck.exe" 0 SW_SHOWNORMAL "" "检查全班同学的画图程序，和老师的目标程序比较"

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
  Delete "$INSTDIR\Qiv\logoLib.stamp"
  ; Work folders of a runtime build that was ended by force.
  FindFirst $0 $1 "$INSTDIR\Qiv\runtime\build.*"
  ${DoWhile} $1 != ""
    RMDir /r "$INSTDIR\Qiv\runtime\$1"
    FindNext $0 $1
  ${Loop}
  FindClose $0
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}\${CHECK_SHORTCUT}"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  !include "unmade.nsh"
  !include "unfiles.nsh"
  Delete "$INSTDIR\Qiv\uninstall.exe"
  RMDir "$INSTDIR\Qiv"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
