# Helpers that turn a folder of sources into a library and a folder of tests into test programs.
#
# Conventions:
#  - A source file named *_win.cpp talks to Windows; the host build leaves it out. Everything else in an
#    engine folder must build with the host compiler.
#  - A source file named *_posix.cpp is the host build's counterpart of a *_win.cpp; the Windows build
#    leaves it out.
#  - In tests/<folder>/, files named *_window_test.cpp create windows: they form the program
#    <folder>_window_tests, labelled "window", run under Xvfb. The others form <folder>_tests.

function(qp_sources out dir)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR} ${dir}/*.cpp ${dir}/*.c)
  if(QP_HOST)
    list(FILTER srcs EXCLUDE REGEX "_win\\.cpp$")
  else()
    list(FILTER srcs EXCLUDE REGEX "_posix\\.cpp$")
  endif()
  list(FILTER srcs EXCLUDE REGEX "/program/")
  list(TRANSFORM srcs PREPEND ${CMAKE_SOURCE_DIR}/)
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()

# qp_module(name [DEPENDS lib...]): the static library qp_<name> from this folder's sources, linked against
# the libraries it uses, which lie on the floors below it (scripts/check-floors.sh keeps the includes so).
function(qp_module name)
  cmake_parse_arguments(M "" "" "DEPENDS" ${ARGN})
  qp_sources(srcs ${CMAKE_CURRENT_SOURCE_DIR})
  if(NOT srcs)
    set(srcs ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(qp_${name} STATIC ${srcs})
  target_link_libraries(qp_${name} PUBLIC ${M_DEPENDS})
endfunction()

# qp_tests(folder DEPENDS lib...): the test programs of tests/<folder>.
function(qp_tests folder)
  cmake_parse_arguments(T "" "" "DEPENDS" ${ARGN})
  qp_sources(srcs ${CMAKE_CURRENT_SOURCE_DIR}/${folder})
  set(plain ${srcs})
  set(window ${srcs})
  list(FILTER plain EXCLUDE REGEX "_window_test\\.cpp$")
  list(FILTER window INCLUDE REGEX "_window_test\\.cpp$")
  if(QP_HOST)
    set(window "")  # tests that open windows run only in the Windows build
  endif()
  foreach(kind plain window)
    if(NOT ${kind} OR (QP_HOST AND kind STREQUAL "window"))
      continue()
    endif()
    if(kind STREQUAL "plain")
      set(prog ${folder}_tests)
    else()
      set(prog ${folder}_window_tests)
    endif()
    add_executable(${prog} ${${kind}} ${CMAKE_SOURCE_DIR}/tests/common/test_main.cpp ${QP_RESOURCE_OBJECTS})
    target_link_libraries(${prog} PRIVATE ${T_DEPENDS} qp_testsupport GTest::gtest)
    if(QP_HOST)
      add_test(NAME host.${prog} COMMAND ${prog})
      set_tests_properties(host.${prog} PROPERTIES LABELS host ENVIRONMENT "QP_TESTDATA=${CMAKE_SOURCE_DIR}/tests/data")
    else()
      add_test(NAME ${prog} COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh $<TARGET_FILE:${prog}>)
      set_tests_properties(${prog} PROPERTIES ENVIRONMENT "QP_TESTDATA=${CMAKE_SOURCE_DIR}/tests/data")
      if(kind STREQUAL "window")
        set_tests_properties(${prog} PROPERTIES LABELS window)
      endif()
    endif()
  endforeach()
endfunction()
