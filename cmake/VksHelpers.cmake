# vks_add_library(NAME DIR <folder> [LIBS ...]): one static library from every .cpp of a folder.
function(vks_add_library name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# vks_add_test(NAME SOURCES ... LIBS ...): one GoogleTest executable registered with ctest.
function(vks_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "VKS_TEST=1")
endfunction()

# vks_add_tests_in_folder(LIBS ...): a test executable per *_test.cpp of the current folder.
function(vks_add_tests_in_folder)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  foreach(test ${tests})
    get_filename_component(stem ${test} NAME_WE)
    vks_add_test(${stem} SOURCES ${test} LIBS ${ARG_LIBS})
  endforeach()
endfunction()

# The core must stay free of Qt, SQLite and D-Bus; this check runs with every build.
function(vks_check_core_includes)
  add_custom_target(check_core_includes ALL
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/CheckCoreIncludes.cmake
    COMMENT "Checking that the core includes no adapter headers"
    VERBATIM)
endfunction()

# vks_user_data_folder(VAR SUBFOLDER): SUBFOLDER of the user's data folder ($XDG_DATA_HOME, else
# ~/.local/share), where the desktop looks for the user's own .service and .desktop files.
function(vks_user_data_folder var subfolder)
  if(IS_ABSOLUTE "$ENV{XDG_DATA_HOME}")
    set(${var} "$ENV{XDG_DATA_HOME}/${subfolder}" PARENT_SCOPE)
  else()
    set(${var} "$ENV{HOME}/.local/share/${subfolder}" PARENT_SCOPE)
  endif()
endfunction()
