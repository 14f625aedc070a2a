# The environment every test process gets, and the helper that applies it to
# tests registered by gtest_discover_tests.

set(CARTOVA_TEST_TIMEOUT 120)
set(CARTOVA_TEST_ENV
  QT_QPA_PLATFORM=offscreen
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_odr_violation=0
  LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)

# cartova_apply_test_env(<list variable>...): each argument names the
# TEST_LIST variable of a gtest_discover_tests call in this directory. A
# script included by CTest after the discovery scripts sets ENVIRONMENT and
# TIMEOUT on every test those lists name.
function(cartova_apply_test_env)
  set(_script "${CMAKE_CURRENT_BINARY_DIR}/cartova_test_env.cmake")
  set(_content "")
  foreach(_list IN LISTS ARGN)
    string(APPEND _content
      "if(DEFINED ${_list} AND NOT \"\${${_list}}\" STREQUAL \"\")\n"
      "  set_tests_properties(\${${_list}} PROPERTIES\n"
      "    ENVIRONMENT [==[${CARTOVA_TEST_ENV}]==]\n"
      "    TIMEOUT ${CARTOVA_TEST_TIMEOUT})\n"
      "endif()\n")
  endforeach()
  file(WRITE "${_script}" "${_content}")
  # Appended after gtest_discover_tests' own include files, so it runs last.
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${_script}")
endfunction()
