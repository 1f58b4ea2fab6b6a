@echo off
rem runPause.bat PROGRAM [pause]: runs a C++ program in this console window; with
rem "pause" the window stays open at the end until a key is pressed, so its output can be read.
title %~n1
%1
if /i not "%2"=="pause" goto :eof
echo.
echo 程序已结束，按任意键关闭窗口……
pause >nul
