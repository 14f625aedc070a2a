# Checks that the subsystems include each other one way only
# (host <- geometry <- objects <- map <- formats, tools, controls <-
# registration <- apps) and that the headers of geometry/ and of the format
# parsers reach no widget or painter header. Run as a test:
#   cmake -DSOURCE_DIR=<repository> -P cmake/CheckLayering.cmake
# Every breach is listed as file:line with the rule it breaks; any breach
# fails the run.

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

set(_breaches "")

# The project includes of File, as a list of "line|header" entries.
function(project_includes file out)
  file(STRINGS ${file} _lines)
  set(_result "")
  set(_n 0)
  foreach(_line IN LISTS _lines)
    math(EXPR _n "${_n} + 1")
    if(_line MATCHES "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]+)[\">]")
      list(APPEND _result "${_n}|${CMAKE_MATCH_1}")
    endif()
  endforeach()
  set(${out} "${_result}" PARENT_SCOPE)
endfunction()

# Records a breach for every include of the files of Folder that matches
# Forbidden (a regular expression) and not Allowed.
function(forbid folder forbidden allowed rule)
  file(GLOB _files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(_file IN LISTS _files)
    project_includes(${_file} _includes)
    foreach(_entry IN LISTS _includes)
      string(REPLACE "|" ";" _parts "${_entry}")
      list(GET _parts 0 _line)
      list(GET _parts 1 _header)
      if(_header MATCHES "${forbidden}" AND NOT _header MATCHES "${allowed}")
        file(RELATIVE_PATH _rel ${SOURCE_DIR} ${_file})
        set(_breaches "${_breaches}\n  ${_rel}:${_line}: includes ${_header} (${rule})")
      endif()
    endforeach()
  endforeach()
  set(_breaches "${_breaches}" PARENT_SCOPE)
endfunction()

set(_above_objects "^(map|formats|tools|controls|registration|apps)/")
forbid(host "^(geometry|objects|map|formats|tools|controls|registration|apps)/" "^$"
       "host/ includes only host/")
forbid(geometry "^(objects|map|formats|tools|controls|registration|apps)/" "^$"
       "geometry/ includes only host/")
# Objects see their map and layer through objects/MapView.h. Their attribute
# record is the one header of formats/ they use.
forbid(objects "${_above_objects}" "^formats/DataFields\\.h$"
       "objects/ never include map/ or what stands on it")
forbid(map "^(tools|controls|registration|apps)/" "^tools/MapTools\\.h$"
       "map/ includes of tools/ only the framework header tools/MapTools.h")
foreach(_folder formats tools controls)
  forbid(${_folder} "^(registration|apps)/" "^$" "${_folder}/ never includes registration/ or apps/")
endforeach()
forbid(registration "^apps/" "^$" "registration/ never includes apps/")

# Headers (and a few sources) that must stay free of widgets and painting,
# followed through the project headers they include.
set(_plain_headers ${SOURCE_DIR}/host/Core.h)
file(GLOB _geometry_headers ${SOURCE_DIR}/geometry/*.h)
list(APPEND _plain_headers ${_geometry_headers})
foreach(_h SyntaxParser StringParserU DataFields Progresser CustomFormatProvider)
  list(APPEND _plain_headers ${SOURCE_DIR}/formats/${_h}.h)
endforeach()
# The MIF reader's own units and the MITAB loader, sources included.
foreach(_u MifAttributes MifCharset MifColumns MifFilePair MifLineReader Mitab_dyn)
  file(GLOB _unit ${SOURCE_DIR}/formats/${_u}.h ${SOURCE_DIR}/formats/${_u}.cpp)
  list(APPEND _plain_headers ${_unit})
endforeach()
set(_graphical "^(host/(Host|Canvas|Bitmap|Controls|ControlPeer|DeviceServices|Forms|StdCtrls|Grids|ImageList)\\.h|QPainter|QWidget|QtWidgets/.*|Q[A-Za-z]*Event)$")

foreach(_start IN LISTS _plain_headers)
  file(RELATIVE_PATH _start_rel ${SOURCE_DIR} ${_start})
  set(_seen "")
  set(_queue ${_start_rel})
  while(_queue)
    list(POP_FRONT _queue _current)
    if(_current IN_LIST _seen)
      continue()
    endif()
    list(APPEND _seen ${_current})
    project_includes(${SOURCE_DIR}/${_current} _includes)
    foreach(_entry IN LISTS _includes)
      string(REPLACE "|" ";" _parts "${_entry}")
      list(GET _parts 0 _line)
      list(GET _parts 1 _header)
      if(_header MATCHES "${_graphical}")
        set(_breaches "${_breaches}\n  ${_current}:${_line}: includes ${_header}, so ${_start_rel} pulls in widgets or painting")
      elseif(EXISTS ${SOURCE_DIR}/${_header})
        list(APPEND _queue ${_header})
      endif()
    endforeach()
  endwhile()
endforeach()

if(_breaches)
  message(FATAL_ERROR "Include layering broken:${_breaches}")
endif()
message(STATUS "Include layering holds")
