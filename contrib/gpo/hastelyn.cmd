@echo off
rem Rolls a Hastelyn preset out from a shared folder, for PCs that Ansible cannot reach.
rem
rem   hastelyn.cmd machine [SHARE]   as a computer startup script (runs as SYSTEM): the rows that
rem                                  write HKEY_LOCAL_MACHINE and system files
rem   hastelyn.cmd user [SHARE]      as a user logon script (runs as each user): the rows that write
rem                                  HKEY_CURRENT_USER
rem
rem SHARE (\\server\hastelyn; by default the folder this script lies in) holds hastelyn-cli.exe, hastelyn-preset.ini and a folder logs that
rem the computers (startup) or the users (logon) may write. The tool and the preset are copied
rem to a folder of this PC, where the tool keeps its settings and restore points: machine
rem %ProgramFiles%\Hastelyn, user %APPDATA%\Hastelyn. The tool's --json output goes to
rem logs\COMPUTERNAME.json (user: COMPUTERNAME-USERNAME.json), its messages to the same name
rem with .txt, each also kept in the local folder. The script ends with the tool's exit status:
rem 0 done, 1 a row or the run failed, 2 a usage error; 1 also when the tool or the preset
rem cannot be copied from the share (the .json log then says so).
rem
rem Only what the cmd of Windows XP has; no file name outside ASCII.
setlocal
set SCOPE=%~1
set SHARE=%~2
if "%SHARE%"=="" set SHARE=%~dp0
if "%SHARE:~-1%"=="\" set SHARE=%SHARE:~0,-1%
if /i "%SCOPE%"=="machine" goto machine
if /i "%SCOPE%"=="user" goto user
:usage
echo usage: %~nx0 machine^|user [SHARE] 1>&2
exit /b 2

:machine
set LOCAL=%ProgramFiles%\Hastelyn
set LOGNAME=%COMPUTERNAME%
goto scoped
:user
set LOCAL=%APPDATA%\Hastelyn
set LOGNAME=%COMPUTERNAME%-%USERNAME%
:scoped
set LOGS=%SHARE%\logs
if not exist "%LOCAL%\" mkdir "%LOCAL%"
if not exist "%SHARE%\hastelyn-cli.exe" goto notool
copy /y /b "%SHARE%\hastelyn-cli.exe" "%LOCAL%\hastelyn-cli.exe" >nul 2>&1
if errorlevel 1 goto notool
if not exist "%SHARE%\hastelyn-preset.ini" goto nopreset
copy /y /b "%SHARE%\hastelyn-preset.ini" "%LOCAL%\hastelyn-preset.ini" >nul 2>&1
if errorlevel 1 goto nopreset

"%LOCAL%\hastelyn-cli.exe" accelerate --preset "%LOCAL%\hastelyn-preset.ini" --scope %SCOPE% --yes --json >"%LOCAL%\%LOGNAME%.json" 2>"%LOCAL%\%LOGNAME%.txt"
set RC=%ERRORLEVEL%
goto publish

:notool
set RC=1
>"%LOCAL%\%LOGNAME%.json" echo {"command": "accelerate", "error": "hastelyn-cli.exe could not be copied from the share"}
>"%LOCAL%\%LOGNAME%.txt" echo hastelyn-cli.exe could not be copied from %SHARE%
goto publish
:nopreset
set RC=1
>"%LOCAL%\%LOGNAME%.json" echo {"command": "accelerate", "error": "hastelyn-preset.ini could not be copied from the share"}
>"%LOCAL%\%LOGNAME%.txt" echo hastelyn-preset.ini could not be copied from %SHARE%

rem Each log reaches the share whole: copied beside its place, then moved over the old one.
:publish
if not exist "%LOGS%\" mkdir "%LOGS%" >nul 2>&1
call :put json
call :put txt
exit /b %RC%

:put
copy /y /b "%LOCAL%\%LOGNAME%.%1" "%LOGS%\%LOGNAME%.%1.tmp" >nul 2>&1 && move /y "%LOGS%\%LOGNAME%.%1.tmp" "%LOGS%\%LOGNAME%.%1" >nul 2>&1
goto :eof
