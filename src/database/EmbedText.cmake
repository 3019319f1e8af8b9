# Writes the text file IN into OUT as a C++ string constant NAME, in pieces small
# enough for any compiler's literal limit.
file(READ "${IN}" content HEX)
string(LENGTH "${content}" hexLength)
set(body "")
set(offset 0)
while(offset LESS hexLength)
  string(SUBSTRING "${content}" ${offset} 2000 piece)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" piece "${piece}")
  string(APPEND body "    \"${piece}\"\n")
  math(EXPR offset "${offset} + 2000")
endwhile()
file(WRITE "${OUT}" "// Generated from ${IN}; do not edit.\n#include <string_view>\nnamespace kx::database {\nextern const std::string_view ${NAME};\nconst std::string_view ${NAME} =\n${body}    \"\";\n}\n")
