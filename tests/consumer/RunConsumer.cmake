# Script run by the consumer test: install into a fresh prefix, check what was
# installed, configure, build and run two programs against it, and run the
# installed command line.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "command failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(LAST_OUTPUT "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
set(flags "")
if(SANITIZE)
  set(flags "-fsanitize=address,undefined")
endif()
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX}
    "-DCMAKE_CXX_FLAGS=${flags}" "-DCMAKE_EXE_LINKER_FLAGS=${flags}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/consumer)
if(NOT LAST_OUTPUT MATCHES "Cartova [0-9]+\\.[0-9]+\\.[0-9]+\nglyph 16x13")
  message(FATAL_ERROR "unexpected consumer output: ${LAST_OUTPUT}")
endif()
message(STATUS "consumer said: ${LAST_OUTPUT}")

# Only public headers are installed, and everything they include is installed.
set(include_dir ${prefix}/include/cartova)
foreach(internal host/ControlPeer.h host/DebugLog.h objects/PartToScreen.h formats/MifReader.h)
  if(EXISTS ${include_dir}/${internal})
    message(FATAL_ERROR "internal header installed: ${internal}")
  endif()
endforeach()
file(GLOB_RECURSE headers RELATIVE ${include_dir} ${include_dir}/*.h)
foreach(header IN LISTS headers)
  file(STRINGS ${include_dir}/${header} includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
    if(NOT EXISTS ${include_dir}/${included} AND NOT EXISTS ${prefix}/include/${included})
      message(FATAL_ERROR "installed ${header} includes ${included}, which is not installed")
    endif()
  endforeach()
endforeach()

# A map with a MIF layer, painted: the red square in the middle, white beside it.
file(WRITE ${WORK_DIR}/square.mif "Version 300\nCharset \"Neutral\"\nDelimiter \",\"\n"
     "Columns 1\n  name Char(10)\nData\n\nRegion 1\n  5\n0 0\n10 0\n10 10\n0 10\n0 0\n"
     "    Pen (1,2,0)\n    Brush (2,16711680,16777215)\n")
file(WRITE ${WORK_DIR}/square.mid "\"a\"\n")
run(${WORK_DIR}/build/consumer_map ${WORK_DIR}/square.mif)
if(NOT LAST_OUTPUT STREQUAL "layer square 1\ncentre #ff0000\nside #ffffff\n")
  message(FATAL_ERROR "unexpected map consumer output: ${LAST_OUTPUT}")
endif()

# The installed command line finds the installed library by itself.
run(${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH
    ${prefix}/bin/cartova info ${SAMPLES}/countries110.mif)
if(NOT LAST_OUTPUT MATCHES "Layer: countries110\n" OR NOT LAST_OUTPUT MATCHES "Objects: [0-9]+")
  message(FATAL_ERROR "unexpected cartova info output: ${LAST_OUTPUT}")
endif()
message(STATUS "installed cartova info said: ${LAST_OUTPUT}")
