#include "panel_texts.h"

std::wstring noFreeNameLine(ProgramKind kind, const std::wstring &folder) {
    const std::wstring stem = programKindInfo(kind).fileStem;
    return L"新程序未保存: 文件夹 " + folder + L" 中 " + stem + L"01.cpp 到 " + stem +
           L"99.cpp 已没有空闲的文件名 (" + stem + L"NN.cpp), 请先移走一些旧程序";
}

std::wstring saveFailedLine(const std::wstring &path) {
    return L"新程序未能保存为 " + path;
}

std::wstring noFolderLine() {
    return L"新程序未保存: 找不到当前文档的文件夹, 也找不到桌面文件夹";
}

std::wstring noEditorViewLine(const std::wstring &what) {
    return L"没有当前编辑窗口, " + what;
}

std::wstring colourDialogFailedLine() { return L"颜色对话框无法打开, 没有插入颜色值"; }

std::wstring sampleFolderFailedLine(const std::wstring &path) {
    return L"无法打开课本样例程序文件夹 " + path;
}

std::wstring helpFileFailedLine(const std::wstring &path) {
    return L"无法打开帮助文件 " + path;
}
