// Which runtime library fits the compiler in the editor's MinGW folder: the compiler's
// answers read into facts, the decision between the installed, the shipped and a new
// library, and the DLLs a program made with it would need.
#include "runtime_state.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>

namespace {

using qiv::CompilerFacts;
using qiv::RuntimeAction;

// The answers of a compiler: what `g++ -v` prints, then the macros of `g++ -E -dM`.
std::string answers(const std::string& target, const std::string& threads, const std::string& version,
                    const std::string& macros) {
    return "Using built-in specs.\nCOLLECT_GCC=g++\nTarget: " + target +
           "\nConfigured with: ../configure --enable-threads=" + threads + "\nThread model: " + threads +
           "\ngcc version " + version + " (GCC)\n" + macros;
}

TEST(RuntimeState, CompilerAnswersBecomeSignatures) {
    struct Row {
        const char* what;
        std::string text;
        const char* signature;
        qiv::CompilerVerdict verdict;
        const char* folder;
    };
    const std::string gcc12 = "#define __GNUC__ 12\n#define __GNUC_MINOR__ 2\n";
    const Row rows[] = {
        {"our i686 compiler", answers("i686-w64-mingw32", "win32", "12-win32", gcc12 + "#define __i386__ 1\n"),
         "i686-w64-mingw32 gcc 12.2 threads=win32 exceptions=dwarf runtime=msvcrt", qiv::CompilerVerdict::Supported,
         "i686"},
        {"64-bit, posix threads, SEH, UCRT",
         answers("x86_64-w64-mingw32", "posix", "13.2.0",
                 "#define __GNUC__ 13\n#define __GNUC_MINOR__ 2\n#define __x86_64__ 1\n#define __SEH__ 1\n#define _UCRT\n"),
         "x86_64-w64-mingw32 gcc 13.2 threads=posix exceptions=seh runtime=ucrt", qiv::CompilerVerdict::Supported,
         "x86_64"},
        {"32-bit with setjmp exceptions",
         answers("i686-w64-mingw32", "posix", "8.1.0",
                 "#define __GNUC__ 8\n#define __GNUC_MINOR__ 1\n#define __i386__ 1\n#define __USING_SJLJ_EXCEPTIONS__ 1\n"),
         "i686-w64-mingw32 gcc 8.1 threads=posix exceptions=sjlj runtime=msvcrt", qiv::CompilerVerdict::Supported,
         "i686"},
        {"an old MinGW", answers("mingw32", "win32", "5.3.0",
                                 "#define __GNUC__ 5\n#define __GNUC_MINOR__ 3\n#define __i386__ 1\n"),
         "mingw32 gcc 5.3 threads=win32 exceptions=dwarf runtime=msvcrt", qiv::CompilerVerdict::NotMinGW, ""},
        {"an old MinGW-w64", answers("i686-w64-mingw32", "win32", "5.3.0",
                                     "#define __GNUC__ 5\n#define __GNUC_MINOR__ 3\n#define __i386__ 1\n"),
         "i686-w64-mingw32 gcc 5.3 threads=win32 exceptions=dwarf runtime=msvcrt", qiv::CompilerVerdict::TooOld,
         "i686"},
        {"a Linux compiler", answers("x86_64-linux-gnu", "posix", "12", gcc12 + "#define __x86_64__ 1\n"),
         "x86_64-linux-gnu gcc 12.2 threads=posix exceptions=dwarf runtime=msvcrt", qiv::CompilerVerdict::NotMinGW,
         ""},
        {"no answer (the compiler did not run)", "", "", qiv::CompilerVerdict::NotMinGW, ""},
        {"CR LF line ends of a Windows compiler",
         "Target: i686-w64-mingw32\r\nThread model: win32\r\n#define __GNUC__ 12\r\n#define __GNUC_MINOR__ 2\r\n"
         "#define __i386__ 1\r\n",
         "i686-w64-mingw32 gcc 12.2 threads=win32 exceptions=dwarf runtime=msvcrt", qiv::CompilerVerdict::Supported,
         "i686"},
    };
    for (const Row& row : rows) {
        const CompilerFacts facts = qiv::readCompilerFacts(row.text);
        EXPECT_EQ(row.signature, qiv::compilerSignature(facts)) << row.what;
        EXPECT_EQ(row.verdict, qiv::judgeCompiler(facts)) << row.what;
        EXPECT_EQ(row.folder, qiv::targetFolder(facts)) << row.what;
    }
}

TEST(RuntimeState, StampsAndDecisions) {
    const qiv::FileIdentity gxx = {true, 2048, 777};
    const qiv::FileIdentity touched = {true, 2048, 778};
    const std::string ours = "i686-w64-mingw32 gcc 12.2 threads=win32 exceptions=dwarf runtime=msvcrt";
    const std::string posix = "i686-w64-mingw32 gcc 12.2 threads=posix exceptions=dwarf runtime=msvcrt";
    const std::string stamp = qiv::runtimeStamp(posix, gxx);
    EXPECT_EQ(posix, qiv::stampSignature(stamp));
    EXPECT_TRUE(qiv::stampNamesCompilerFile(stamp, gxx));
    EXPECT_FALSE(qiv::stampNamesCompilerFile(stamp, touched));
    EXPECT_FALSE(qiv::stampNamesCompilerFile(stamp, qiv::FileIdentity{false, 0, 0}));
    EXPECT_FALSE(qiv::stampNamesCompilerFile("", gxx));
    EXPECT_EQ("", qiv::stampSignature("garbage\n"));

    struct Row {
        const char* what;
        std::string signature, stamp;
        bool namesFile;
        std::string shipped;
        RuntimeAction action;
    };
    const Row rows[] = {
        {"built for this compiler, same file", posix, stamp, true, ours, RuntimeAction::Current},
        {"built for this compiler, g++.exe touched", posix, stamp, false, ours, RuntimeAction::RefreshStamp},
        {"no stamp, our compiler: the shipped library", ours, "", false, ours, RuntimeAction::UseShipped},
        {"no stamp, another compiler: build", posix, "", false, ours, RuntimeAction::Build},
        {"stamp of another compiler, shipped fits", ours, stamp, false, ours, RuntimeAction::UseShipped},
        {"stamp of another compiler, nothing fits", posix + "x", stamp, true, ours, RuntimeAction::Build},
        {"no shipped library for the target", posix, "", false, "", RuntimeAction::Build},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.action, qiv::decideRuntime(row.signature, row.stamp, row.namesFile, row.shipped)) << row.what;
}

// A minimal PE image: headers, one section holding the import descriptors and the names.
std::string peImage(bool wide, const std::vector<std::string>& dlls) {
    std::string image(0x400, '\0');
    auto put = [&image](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) image[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    image[0] = 'M';
    image[1] = 'Z';
    put(0x3C, 0x80, 4);
    image.replace(0x80, 4, std::string("PE\0\0", 4));
    const size_t coff = 0x84, optional = coff + 20;
    const uint32_t optionalSize = wide ? 240 : 224;
    put(coff, wide ? 0x8664 : 0x14C, 2);
    put(coff + 2, 1, 2);
    put(coff + 16, optionalSize, 2);
    put(optional, wide ? 0x20B : 0x10B, 2);
    put(optional + (wide ? 112 : 96) + 8, 0x1000, 4);  // imports at RVA 0x1000
    const size_t section = optional + optionalSize;
    put(section + 8, 0x200, 4);    // virtual size
    put(section + 12, 0x1000, 4);  // virtual address
    put(section + 16, 0x200, 4);   // raw size
    put(section + 20, 0x200, 4);   // raw offset
    uint32_t name = 0x1000 + 20 * static_cast<uint32_t>(dlls.size() + 1);
    for (size_t i = 0; i < dlls.size(); ++i) {
        put(0x200 + 20 * i + 12, name, 4);
        image.replace(0x200 + (name - 0x1000), dlls[i].size(), dlls[i]);
        name += static_cast<uint32_t>(dlls[i].size()) + 1;
    }
    return image;
}

TEST(RuntimeState, LibrariesAProgramNeeds) {
    const std::vector<std::string> posixProgram = {"KERNEL32.dll", "msvcrt.dll", "libwinpthread-1.dll", "USER32.dll",
                                                   "api-ms-win-crt-runtime-l1-1-0.dll"};
    for (bool wide : {false, true}) {
        EXPECT_EQ(posixProgram, qiv::importedLibraries(peImage(wide, posixProgram))) << wide;
        EXPECT_TRUE(qiv::importedLibraries(peImage(wide, {})).empty()) << wide;
    }
    EXPECT_EQ(std::vector<std::string>{"libwinpthread-1.dll"}, qiv::nonSystemLibraries(posixProgram));
    EXPECT_EQ((std::vector<std::string>{"libstdc++-6.dll", "libgcc_s_dw2-1.dll"}),
              qiv::nonSystemLibraries({"libstdc++-6.dll", "GDI32.dll", "libgcc_s_dw2-1.dll", "OLEAUT32.dll"}));
    // Not an image, or one cut short: no names, no reading past the end.
    EXPECT_TRUE(qiv::importedLibraries("").empty());
    EXPECT_TRUE(qiv::importedLibraries(std::string(0x40, 'M')).empty());
    EXPECT_TRUE(qiv::importedLibraries(peImage(false, posixProgram).substr(0, 0x230)).empty());
}

TEST(RuntimeState, ARealProgramOfTheBuild) {
    // A tool of the 32-bit build: linked statically with the compiler's libraries.
    std::ifstream in(QIV_SAMPLE_TOOL, std::ios::binary);
    if (!in) GTEST_SKIP() << "no built tool at " << QIV_SAMPLE_TOOL;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::vector<std::string> libraries = qiv::importedLibraries(bytes.str());
    EXPECT_NE(libraries.end(), std::find(libraries.begin(), libraries.end(), "KERNEL32.dll"));
    EXPECT_TRUE(qiv::nonSystemLibraries(libraries).empty());
}

}  // namespace
