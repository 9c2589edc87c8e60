# vks_add_library(NAME [LIBS ...] [EXCEPT file.cpp ...]): one static library from every .cpp of a
# folder but those named after EXCEPT (the platform's own sources, which the folder adds itself).
function(vks_add_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;EXCEPT" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(except ${ARG_EXCEPT})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${except})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# vks_add_test(NAME SOURCES ... LIBS ...): one GoogleTest executable registered with ctest. The
# cross build registers each executable as one test, since every start under Wine costs a second.
function(vks_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} vks_test_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "VKS_TEST=1")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "VKS_TEST=1")
  endif()
endfunction()

# vks_add_tests_in_folder(LIBS ... [EXCEPT file_test.cpp ...]): a test executable per *_test.cpp of
# the current folder but those named after EXCEPT.
function(vks_add_tests_in_folder)
  cmake_parse_arguments(ARG "" "" "LIBS;EXCEPT" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  foreach(except ${ARG_EXCEPT})
    list(REMOVE_ITEM tests ${CMAKE_CURRENT_SOURCE_DIR}/${except})
  endforeach()
  foreach(test ${tests})
    get_filename_component(stem ${test} NAME_WE)
    vks_add_test(${stem} SOURCES ${test} LIBS ${ARG_LIBS})
  endforeach()
  if(CMAKE_CROSSCOMPILING)
    cmake_language(DEFER CALL vks_run_tests_in_wine_prefix)
  endif()
endfunction()

# Every test of the current folder runs in the Wine prefix that the set-up test made for this run.
function(vks_run_tests_in_wine_prefix)
  get_directory_property(tests TESTS)
  if(tests)
    set_property(TEST ${tests} APPEND PROPERTY FIXTURES_REQUIRED wine_prefix)
    set_property(TEST ${tests} APPEND PROPERTY ENVIRONMENT "WINEPREFIX=${VKS_WINEPREFIX}")
  endif()
endfunction()

# The locales of the users the tools and the server serve; their numbers and dates differ, and
# what the programs compute, store and record must not.
set(VKS_TEST_LOCALES de_DE.UTF-8 en_US.UTF-8)

# vks_add_locale_tests(NAME COMMAND ... [SAME FILE...] [PROPERTIES ...]): the test once per locale
# of VKS_TEST_LOCALES, as NAME.<locale>, under that locale; `@WORK@` in the command becomes a
# scratch folder of each run's own. NAME.gleich then checks that each FILE (relative to the scratch
# folders) came out the same under every locale.
function(vks_add_locale_tests name)
  cmake_parse_arguments(ARG "" "" "COMMAND;SAME;PROPERTIES" ${ARGN})
  set(tools ${PROJECT_SOURCE_DIR}/tests/tools)
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name})
  set(runs "")
  foreach(locale ${VKS_TEST_LOCALES})
    string(REPLACE "@WORK@" "${work}/${locale}" command "${ARG_COMMAND}")
    add_test(NAME ${name}.${locale} COMMAND sh ${tools}/with_locale.sh ${locale} ${command})
    list(APPEND runs ${name}.${locale})
  endforeach()
  if(ARG_PROPERTIES)
    set_tests_properties(${runs} PROPERTIES ${ARG_PROPERTIES})
  endif()
  if(ARG_SAME)
    list(TRANSFORM VKS_TEST_LOCALES PREPEND ${work}/ OUTPUT_VARIABLE folders)
    add_test(NAME ${name}.gleich COMMAND sh ${tools}/same_outputs.sh ${folders} -- ${ARG_SAME})
    set_tests_properties(${runs} PROPERTIES FIXTURES_SETUP ${name}.locales)
    set_tests_properties(${name}.gleich PROPERTIES FIXTURES_REQUIRED ${name}.locales)
  endif()
endfunction()

# Includes point down the layers and the core stays free of Qt, SQLite and D-Bus; this check runs
# with every build.
function(vks_check_layers)
  add_custom_target(check_layers ALL
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
    COMMENT "Checking that includes point down the layers"
    VERBATIM)
endfunction()

# Fails the configuration when the project's libraries link in a cycle. Call it once every
# library is defined.
function(vks_check_library_cycles)
  set(libraries "")
  set(folders ${PROJECT_SOURCE_DIR})
  while(folders)
    list(POP_FRONT folders folder)
    get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(t ${targets})
      get_target_property(type ${t} TYPE)
      if(type STREQUAL "STATIC_LIBRARY")
        list(APPEND libraries ${t})
      endif()
    endforeach()
    get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
    list(APPEND folders ${subfolders})
  endwhile()
  # Kahn's algorithm: a library leaves once every library it links has left; what stays is in a
  # cycle.
  set(remaining ${libraries})
  set(progress TRUE)
  while(remaining AND progress)
    set(progress FALSE)
    foreach(lib ${remaining})
      get_target_property(links ${lib} LINK_LIBRARIES)
      set(ready TRUE)
      foreach(l ${links})
        if(NOT l STREQUAL lib AND l IN_LIST remaining)
          set(ready FALSE)
        endif()
      endforeach()
      if(ready)
        list(REMOVE_ITEM remaining ${lib})
        set(progress TRUE)
      endif()
    endforeach()
  endwhile()
  if(remaining)
    message(FATAL_ERROR "These libraries link in a cycle: ${remaining}")
  endif()
endfunction()

# vks_install_exec_file(TEMPLATE DESTINATION VARIABLE PROGRAM [DESKTOP]): installs TEMPLATE into
# DESTINATION below the prefix with @VARIABLE@ the quoted path of the installed PROGRAM (relative to
# the prefix). The path is that of the install itself (--prefix wins over the configured prefix);
# DESTDIR only stages the file.
function(vks_install_exec_file template destination variable program)
  cmake_parse_arguments(arg "DESKTOP" "" "" ${ARGN})
  get_filename_component(name ${template} NAME_WLE)
  install(CODE "include([[${PROJECT_SOURCE_DIR}/cmake/VksInstallExec.cmake]])
vks_write_exec_file([[${template}]] [[${CMAKE_CURRENT_BINARY_DIR}/install/${name}]]
                    [[${destination}]] ${variable} [[${program}]] \"${arg_DESKTOP}\")")
endfunction()
