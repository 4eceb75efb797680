# cmake -DIN=... -DOUT=... [-DBOM=ON] [-Dname=value...] -P TextForWindows.cmake
# Writes a text file as Windows' Notepad reads it best: CRLF line ends and,
# with BOM, a UTF-8 byte order mark (older Notepad takes text without one for
# the ANSI code page). @name@ is replaced by the value given for name.
file(READ "${IN}" text)
string(CONFIGURE "${text}" text @ONLY)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
if(BOM)
    string(ASCII 239 187 191 bom)
    set(text "${bom}${text}")
endif()
file(WRITE "${OUT}" "${text}")
