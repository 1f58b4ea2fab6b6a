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

namespace {

// A character as UTF-16 units where wchar_t has 16 bits, as one unit where it has 32.
std::wstring wideCharacters(const std::u32string &text) {
    std::wstring out;
    for (char32_t c : text) {
        if (sizeof(wchar_t) == 2 && c > 0xFFFF) {
            c -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(c));
        }
    }
    return out;
}

}  // namespace

std::wstring unsavedDocumentLine() {
    return L"文件还没有保存, 没有编译: 请把程序保存为 .cpp 文件 (另存为) 后再编译";
}

std::wstring noProgramToRunLine(const std::wstring &programPath) {
    if (programPath.empty())
        return L"还没有可以运行的程序: 文件还没有保存, 也没有编译, 请先编译 (F9 或 F11)";
    return L"还没有可以运行的程序 " + programPath + L": 请先编译 (F9 或 F11)";
}

std::wstring programStartFailedLine(const std::wstring &programPath) {
    return L"程序 " + programPath + L" 无法启动";
}

std::wstring convertedToAnsiLine(const std::wstring &fromEncoding) {
    return L"文件由 " + fromEncoding +
           L" 编码转换为 ANSI (GBK) 编码后保存, 程序里的中文才能正确显示";
}

std::wstring notConvertibleLine(int line, const std::u32string &character) {
    return L"第 " + std::to_wstring(line) + L" 行的字符 \u201C" + wideCharacters(character) +
           L"\u201D 不能用 ANSI (GBK) 编码保存: 文件没有转换, 也没有编译, 请改掉这个字符后再编译";
}

std::wstring conversionFailedLine() {
    return L"文件没能转换为 ANSI (GBK) 编码, 没有编译";
}
