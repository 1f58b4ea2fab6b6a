// Paths derived from the editor's installation folder.
#include "install_paths.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallPaths, FolderAndRestJoinedWithOneBackslash) {
    EXPECT_EQ(std::wstring(L"C:\\npp\\Qiv\\Help\\demo"), sampleFolderPath(L"C:\\npp"));
    EXPECT_EQ(std::wstring(L"C:\\npp\\Qiv\\Help\\Doc\\index.html"), helpFilePath(L"C:\\npp"));
    EXPECT_EQ(std::wstring(L"C:\\Qiv\\Help\\demo"), sampleFolderPath(L"C:\\"));
    EXPECT_EQ(std::wstring(L"C:\\npp\\MinGw\\bin\\g++.exe"), compilerPath(L"C:\\npp"));
    EXPECT_EQ(std::wstring(L"C:\\npp\\Qiv\\tools\\runPause.bat"), runPauseScriptPath(L"C:\\npp"));
}

}  // namespace
