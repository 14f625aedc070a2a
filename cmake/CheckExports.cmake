# Checks that the library exports no symbol of its detail namespaces beyond the
# few cmake/cartova.map names. Run as a test:
#   cmake -DLIBRARY=<path of libcartova.so> -P cmake/CheckExports.cmake

cmake_minimum_required(VERSION 3.25)

if(NOT LIBRARY OR NOT EXISTS "${LIBRARY}")
  message(FATAL_ERROR "LIBRARY is not set or missing: ${LIBRARY}")
endif()
find_program(NM nm REQUIRED)
execute_process(COMMAND ${NM} -D -C --defined-only "${LIBRARY}"
                RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _err)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "nm failed: ${_err}")
endif()

string(REPLACE "\n" ";" _lines "${_out}")
set(_public 0)
set(_breaches "")
foreach(_line IN LISTS _lines)
  if(_line MATCHES " [TDBRVW] (.*)$")
    set(_symbol "${CMAKE_MATCH_1}")
    if(_symbol MATCHES "^cartova::")
      math(EXPR _public "${_public} + 1")
    endif()
    if(_symbol MATCHES "^cartova::(host::)?detail::"
       AND NOT _symbol MATCHES "^cartova::detail::TMifReader::"
       AND NOT _symbol MATCHES "^cartova::detail::(SubStrPos|ParsePair|ParseTriple|WorkspaceColor|FindLine|ParseOpenTable)\\("
       AND NOT _symbol STREQUAL "cartova::detail::TextStartSize(int)"
       AND NOT _symbol STREQUAL "cartova::host::detail::RemovalSearchSteps()")
      string(APPEND _breaches "\n  ${_symbol}")
    endif()
  endif()
endforeach()

if(_public LESS 1000)
  message(FATAL_ERROR "only ${_public} cartova symbols exported: the public API is missing")
endif()
if(_breaches)
  message(FATAL_ERROR "detail code exported:${_breaches}")
endif()
message(STATUS "${_public} cartova symbols exported, no detail code")
