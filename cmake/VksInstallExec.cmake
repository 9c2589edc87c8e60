# Runs at install time, inside cmake_install.cmake: CMAKE_INSTALL_PREFIX is where this install
# really goes, so an Exec= line written here names the installed program wherever it lands.
# `kind`: DESKTOP for a desktop entry, SYSTEMD for a systemd unit, "" for a D-Bus service file.
function(vks_write_exec_file template staged destination variable program kind)
  set(path "${CMAKE_INSTALL_PREFIX}/${program}")
  # Both a D-Bus service file and a desktop entry split Exec= as a shell does: inside double
  # quotes a backslash escapes ", `, $ and itself.
  string(REGEX REPLACE "([\\\\\"`$])" "\\\\\\1" quoted "${path}")
  set(quoted "\"${quoted}\"")
  if(kind STREQUAL "DESKTOP")
    # A desktop entry's string value escapes each backslash once more; % starts a field code.
    string(REPLACE "\\" "\\\\" quoted "${quoted}")
    string(REPLACE "%" "%%" quoted "${quoted}")
  elseif(kind STREQUAL "SYSTEMD")
    # A unit's command line: backslash escapes inside quotes as in C, $ expands a variable and %
    # a specifier, each doubled to stand for itself.
    string(REGEX REPLACE "([\\\"])" "\\\\\1" quoted "${path}")
    string(REPLACE "$" "$$" quoted "${quoted}")
    string(REPLACE "%" "%%" quoted "${quoted}")
    set(quoted "\"${quoted}\"")
  endif()
  set(${variable} "${quoted}")
  # One staging folder per destination, so that installs running side by side keep their own.
  string(MD5 ziel "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  get_filename_component(name "${staged}" NAME)
  get_filename_component(staged "${staged}" DIRECTORY)
  set(staged "${staged}/${ziel}/${name}")
  configure_file("${template}" "${staged}" @ONLY)
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${destination}" TYPE FILE FILES "${staged}")
endfunction()
