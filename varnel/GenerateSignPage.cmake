# Turns the signing page into three base64 string-table pieces, ids 104, 105
# and 106, each under 4096 characters.
#   cmake -DINPUT=SignPage.html -DOUTPUT=SignPageResources.cpp -P GenerateSignPage.cmake
find_program(BASE64 base64 REQUIRED)
execute_process(COMMAND ${BASE64} -w 0 ${INPUT} OUTPUT_VARIABLE encoded RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "base64 of ${INPUT} failed")
endif()
string(LENGTH "${encoded}" total)
math(EXPR piece "(${total} + 2) / 3")
if(piece GREATER 4095)
  message(FATAL_ERROR "${INPUT} is too large: pieces of ${piece} characters")
endif()
set(cases "")
foreach(index 0 1 2)
  math(EXPR begin "${index} * ${piece}")
  math(EXPR id "104 + ${index}")
  if(begin LESS total)
    string(SUBSTRING "${encoded}" ${begin} ${piece} text)
  else()
    set(text "")
  endif()
  string(APPEND cases "    case ${id}:\n        return \"${text}\";\n")
endforeach()
file(WRITE ${OUTPUT}.tmp
"// Generated from SignPage.html by GenerateSignPage.cmake; do not edit.
#include \"SignPageResources.h\"

const char* LoadResourceString(int id)
{
    switch(id) {
${cases}    }
    return nullptr;
}
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
