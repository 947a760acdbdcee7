# One static library per subsystem of the core. A module holds the .cpp/.h
# files of its folder (not its ui/ subfolder, which belongs to the window
# layer). The core links no Qt: an include of a Qt header fails to compile.
function(nivara_core_module name)
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# A GoogleTest executable of the core: every .cpp of the calling folder.
# Labelled "core"; set NIVARA_TEST_LABELS (e.g. "core;tsan") before the call
# for more labels: tests labelled "tsan" also run under ThreadSanitizer.
function(nivara_core_test name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main Threads::Threads)
  if(NOT NIVARA_TEST_LABELS)
    set(NIVARA_TEST_LABELS core)
  endif()
  # gtest_discover_tests keeps only the first element of a list value, so the
  # labels become one word ("core_tsan"): ctest -L takes a regular expression,
  # and both -L core and -L tsan select it.
  string(REPLACE ";" "_" label "${NIVARA_TEST_LABELS}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES LABELS "${label}")
  if("tsan" IN_LIST NIVARA_TEST_LABELS)
    add_dependencies(nivara_tsan_tests ${name})
  endif()
endfunction()

# A QtTest executable driving real widgets offscreen: every .cpp of the
# calling folder. Settings and runtime files stay inside the build tree, each
# test executable with a settings folder of its own.
function(nivara_ui_test name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE nivara_ui Qt6::Test ${ARGN})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS ui
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config/${name};XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/test-runtime;LANG=C.UTF-8;LC_ALL=;LC_MESSAGES=")
endfunction()

# The window library of one subsystem: every .cpp of src/<subsystem>/ui/,
# linked with the core libraries it uses (CORE) and the window libraries of
# the subsystems it depends on (UI), which must be declared before it. A
# check at build time fails when one of its files includes the ui/ header of
# a subsystem outside those it links (directly or through its UI libraries).
function(nivara_ui_module subsystem)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "CORE;UI")
  set(name nivara_${subsystem}_ui)
  set(folder ${CMAKE_SOURCE_DIR}/src/${subsystem}/ui)
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${folder}/*.h)
  set(allowed ${subsystem})
  set(links "")
  foreach(dependency IN LISTS ARG_UI)
    get_property(reach GLOBAL PROPERTY NIVARA_UI_REACH_${dependency})
    if(NOT reach)
      message(FATAL_ERROR "${subsystem}/ui depends on ${dependency}/ui, which is not declared before it")
    endif()
    list(APPEND allowed ${reach})
    list(APPEND links nivara_${dependency}_ui)
  endforeach()
  list(REMOVE_DUPLICATES allowed)
  set_property(GLOBAL PROPERTY NIVARA_UI_REACH_${subsystem} ${allowed})
  set_property(GLOBAL APPEND PROPERTY NIVARA_UI_MODULES ${subsystem})

  add_library(${name} STATIC ${sources} ${headers})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_CORE} ${links}
    Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Svg)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)

  string(REPLACE ";" "," allowed_text "${allowed}")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${name}_includes.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DMODULE=${subsystem} -DFOLDER=${folder} -DALLOWED=${allowed_text}
            -DSTAMP=${stamp} -P ${CMAKE_SOURCE_DIR}/cmake/CheckUiIncludes.cmake
    DEPENDS ${sources} ${headers} ${CMAKE_SOURCE_DIR}/cmake/CheckUiIncludes.cmake
    COMMENT "Checking the ui/ includes of ${subsystem}/ui"
    VERBATIM)
  add_custom_target(${name}_includes DEPENDS ${stamp})
  add_dependencies(${name} ${name}_includes)
endfunction()
