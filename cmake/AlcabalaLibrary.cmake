# alcabala_library(NAME SOURCES <files...> LINKS <targets...>)
# The static library of the folder whose CMakeLists.txt calls it. Its sources
# are named relative to that folder. It exports only its own headers: each
# one is linked into build/cabeceras/NAME/<folder under src>/, which is the
# library's public include directory, so `#include "storage/formato/sqlite.h"`
# is found exactly by the libraries that link alcabala_formato, directly or
# through the libraries they link. An include of a folder the library does not
# link does not compile.

# alcabala_cabeceras(TARGET <PUBLIC|PRIVATE> <sources...>): that staging, for
# a library (PUBLIC) or for a program's own headers (PRIVATE).
function(alcabala_cabeceras target alcance)
  file(RELATIVE_PATH _carpeta ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  set(_raiz ${CMAKE_BINARY_DIR}/cabeceras/${target})
  file(REMOVE_RECURSE ${_raiz})
  file(MAKE_DIRECTORY ${_raiz}/${_carpeta})
  foreach(_f ${ARGN})
    if(_f MATCHES "\\.h$")
      file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${_f} ${_raiz}/${_carpeta}/${_f} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} ${alcance} ${_raiz})
endfunction()

function(alcabala_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  alcabala_cabeceras(${name} PUBLIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()

include(GoogleTest)

# alcabala_test(NAME DIR <folder> LINKS <targets...> [GUI])
# One test program per folder of tests/, run by CTest under the offscreen platform.
function(alcabala_test name)
  cmake_parse_arguments(ARG "GUI" "DIR" "LINKS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp ${ARG_DIR}/*.h)
  if(NOT _src)
    return()
  endif()
  if(ARG_GUI)
    set(_main ${PROJECT_SOURCE_DIR}/tests/common/main_gui.cpp)
  else()
    set(_main ${PROJECT_SOURCE_DIR}/tests/common/main_core.cpp)
  endif()
  add_executable(${name} ${_src} ${_main})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} alcabala_testcommon GTest::gtest)
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE Qt6::Widgets)
  else()
    target_link_libraries(${name} PRIVATE Qt6::Gui)
  endif()
  # Each test case is a test of its own for CTest: `ctest -N` lists them,
  # `ctest -R` reruns one, and a failure names the case. The program's name
  # is each case's label, so `ctest -L test_storage` runs one program's cases.
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600 LABELS ${name}
    DISCOVERY_TIMEOUT 60)
endfunction()
