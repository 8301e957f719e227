# alcabala_library(NAME SOURCES <files...> LINKS <targets...>)
# A static library when it has sources, an interface library otherwise, so a
# folder that is still empty does not break the build of the others.
function(alcabala_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_LINKS})
  endif()
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
  # Each test case is a test of its own for CTest: `ctest -N` lists them,
  # `ctest -R` reruns one, and a failure names the case. The program's name
  # is each case's label, so `ctest -L test_storage` runs one program's cases.
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600 LABELS ${name}
    DISCOVERY_TIMEOUT 60)
endfunction()
