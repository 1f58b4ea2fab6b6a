// Templates and file names of new programs. Narrow literals are compiled to GBK
// (-fexec-charset=GBK), so the templates are the bytes written into the editor.
#include "new_program.h"

namespace {

const char qivTemplate[] =
    "//程序名:新的Qiv程序\n"
    "//作者: \n"
    "\n"
    "int main()\n"
    "{\n"
    "     \n"
    "\n"
    "    return 0;\n"
    "}";

const char cppTemplate[] =
    "//程序名:新的C++程序\n"
    "//作者: \n"
    "\n"
    "#include<iostream>\n"
    "#include<fstream>\n"
    "#include<algorithm>\n"
    "\n"
    "using namespace std;\n"
    "int main()\n"
    "{\n"
    "     \n"
    "\n"
    "    return 0;\n"
    "}";

const ProgramKindInfo qivInfo = {qivTemplate, L"qiv_", 5, 5};
// Both carets go to the "{" line of main and move four characters on: past the brace and
// the line break into the blank line inside main, where the student starts typing.
const ProgramKindInfo cppInfo = {cppTemplate, L"c++_", 10, 5};

}  // namespace

const ProgramKindInfo &programKindInfo(ProgramKind kind) {
    return kind == ProgramKind::Qiv ? qivInfo : cppInfo;
}

std::wstring programFileName(ProgramKind kind, int number) {
    std::wstring name = programKindInfo(kind).fileStem;
    name += static_cast<wchar_t>(L'0' + number / 10 % 10);
    name += static_cast<wchar_t>(L'0' + number % 10);
    name += L".cpp";
    return name;
}

std::wstring joinPath(const std::wstring &folder, const std::wstring &name) {
    if (!folder.empty() && folder.back() == L'\\') return folder + name;
    return folder + L'\\' + name;
}

std::optional<std::wstring> findFreeProgramPath(
    const std::wstring &folder, ProgramKind kind,
    const std::function<bool(const std::wstring &)> &exists) {
    for (int tens = 0; tens <= 9; ++tens) {
        for (int units = 1; units <= 9; ++units) {
            std::wstring path = joinPath(folder, programFileName(kind, tens * 10 + units));
            if (!exists(path)) return path;
        }
    }
    return std::nullopt;
}
