# Installs the build tree BUILD into a fresh PREFIX and checks that the
# programs, desktop entry, icon, help pages and examples land where desktops
# and users look for them. GUI=ON expects the desktop program too.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(expected
    bin/zelk-batch
    share/applications/zelk.desktop
    share/icons/hicolor/scalable/apps/zelk.svg
    share/doc/zelk/help/index.html
    share/doc/zelk/help/style.css
    share/zelk/examples/lake_huron.dat
    share/zelk/examples/demo.zb)
if(GUI)
  list(APPEND expected bin/zelk)
endif()
foreach(f IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

# Every page of the source folder is installed, not only the ones named above.
file(GLOB pages RELATIVE "${HELP}" "${HELP}/*.html")
foreach(p IN LISTS pages)
  if(NOT EXISTS "${PREFIX}/share/doc/zelk/help/${p}")
    message(FATAL_ERROR "help page not installed: ${p}")
  endif()
endforeach()

# The desktop entry starts the installed program by name and names the icon.
file(READ "${PREFIX}/share/applications/zelk.desktop" entry)
foreach(line "Exec=zelk" "Icon=zelk" "Type=Application")
  string(FIND "${entry}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "zelk.desktop lacks ${line}")
  endif()
endforeach()

# The installed batch program runs an installed example from its new home.
execute_process(COMMAND "${PREFIX}/bin/zelk-batch" "${PREFIX}/share/zelk/examples/demo.zb"
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "installed zelk-batch failed on demo.zb: ${err}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
