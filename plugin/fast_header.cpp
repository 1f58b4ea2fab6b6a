#include "fast_header.h"

#include <windows.h>

#include "output_panel.h"
#include "tools/run_hidden.h"
#include "tools/tool_files.h"
#include "text_conversion.h"

namespace {

// Said once in an editor session: students may build all lesson without it.
bool slowBuildNoted = false;

const wchar_t *const kRefused =
    L" 快速编译文件 Qiv\\logo.h.gch 是旧的，又不能更新：用它会编译出错误的程序，所以这次不编译。"
    L"请老师以管理员身份重新运行 Qiv 安装程序（或删除这个文件）。";
const wchar_t *const kSlow =
    L" 提示：没有快速编译文件 Qiv\\logo.h.gch，编辑器的文件夹又不能写入，所以编译会慢一些。"
    L"请老师以管理员身份重新运行 Qiv 安装程序来生成它。";

}  // namespace

bool prepareFastHeader(const BuildNames &names) {
    const std::wstring tool = names.nppDir + L"\\Qiv\\tools\\makepch.exe";
    if (GetFileAttributesW(tool.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    // The usual case needs no tool: the header's stamp is checked here.
    if (qivtools::precompiledHeaderCurrent(names.nppDir)) return true;
    std::string output;
    int status = runTool(tool, L"--check", output);
    if (status == 10) {
        appendLine(L" 正在生成快速编译文件 Qiv\\logo.h.gch（只在第一次或更新后需要，请稍候）……");
        // The make blocks the editor for seconds: the line must be on the screen first.
        repaintNow();
        status = runTool(tool, nullptr, output);
        if (status == 0) appendLine(L" 快速编译文件已生成，以后编译会快得多。");
    } else if (status == 11) {
        status = runTool(tool, nullptr, output);
    }
    switch (status) {
    case 1:
        if (!output.empty()) appendLine(fromAnsi(output));
        appendLine(L" 快速编译文件没能生成，这次按普通方式编译（慢一些）。");
        return true;
    case 2:
        if (!slowBuildNoted) appendLine(kSlow);
        slowBuildNoted = true;
        return true;
    case 3:
        appendLine(kRefused);
        return false;
    default:
        return true;  // current, made, removed, or the tool could not run: logo.h is read
    }
}
