@echo off
rem Runs a C++ program in this console; with "pause" it waits for a key at the end.
%1
if /i "%2"=="pause" pause
