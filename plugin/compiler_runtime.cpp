#include "compiler_runtime.h"

#include <windows.h>

#include "output_panel.h"
#include "text_conversion.h"
#include "tools/run_hidden.h"
#include "tools/runtime_state.h"
#include "tools/tool_files.h"

bool prepareCompilerRuntime(const BuildNames &names) {
    const std::wstring tool = names.nppDir + L"\\Qiv\\tools\\makeruntime.exe";
    if (GetFileAttributesW(tool.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    // The usual case costs two file look-ups: the library was checked with this g++.exe.
    const qiv::FileIdentity compiler = qivtools::fileIdentity(names.nppDir + L"\\MinGW\\bin\\g++.exe");
    if (!compiler.found) return true;  // the compile step says what is missing
    const std::string stamp = qivtools::readFileBytes(names.nppDir + L"\\Qiv\\logoLib.stamp", 4096);
    if (qiv::stampNamesCompilerFile(stamp, compiler)) return true;

    std::string output;
    int status = runTool(tool, L"--check", output);
    if (status == 10) {
        appendLine(L" 编译器换过了，正在为它准备 Qiv 运行库（只在第一次需要，请稍候）……");
        repaintNow();
        status = runTool(tool, nullptr, output);
        if (status == 0) appendLine(L" Qiv 运行库已为这个编译器准备好。");
    }
    switch (status) {
    case 1:
        if (!output.empty()) appendLine(fromAnsi(output));
        appendLine(L" Qiv 运行库没能为这个编译器生成，所以这次不编译。请老师重新运行 Qiv 安装程序，或换用其他版本的 MinGW。");
        return false;
    case 2:
        appendLine(L" 编译器换过了，Qiv 运行库要为它重新生成，但编辑器的文件夹不能写入，所以这次不编译。"
                   L"请老师以管理员身份重新运行 Qiv 安装程序。");
        return false;
    case 3:
        if (!output.empty()) appendLine(fromAnsi(output));
        appendLine(L" 这个编译器不能用来编译 Qiv 程序，所以这次不编译。");
        return false;
    default:
        return true;  // fits, or no compiler (the compile step reports it), or the tool did not run
    }
}
