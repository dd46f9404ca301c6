# The filter module in pspiHost, a host engine nobody on this project wrote, under wine: its About box closed by
# OK; a run confirmed by OK that gives the pixels vendrel.exe gives for the same settings; a run cancelled that
# leaves the image as it was. The module's dialog starts from the preferences file written first. Run by CTest
# with -DARCH=x64|x86 -DTHIRD_PARTY_DIR= -DWINE64= -DWINE32= -DWINESERVER= -DDRIVER= -DMODULE= -DCOMMAND=
# -DCHECK= -DSWATCH= -DEXAMPLE= -DWORK=, on an X display. A line saying "pspiHost run skipped" marks it skipped.
set(settings_tolerance 40)
set(settings_palette "Flatting 24.aco")

if(NOT IS_DIRECTORY "${THIRD_PARTY_DIR}")
  message(STATUS "pspiHost run skipped: the third-party folder '${THIRD_PARTY_DIR}' is absent")
  return()
endif()
set(engine ${THIRD_PARTY_DIR}/pspihost/${ARCH}/pspiHost.dll)
if(NOT EXISTS "${engine}")
  message(FATAL_ERROR "${engine} is missing from the third-party folder")
endif()

# Plain wine picks the 32-bit loader when it is installed, even where the kernel cannot run it.
if(ARCH STREQUAL "x86")
  execute_process(COMMAND ${WINE32} --version RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    string(REGEX REPLACE "\n.*" "" said "${errors}")
    message(STATUS "32-bit pspiHost run skipped: ${WINE32} --version fails here (exit status ${status}: ${said}), so this machine runs no 32-bit programs")
    return()
  endif()
  set(wine ${WINE32})
else()
  set(wine ${WINE64})
endif()
if("$ENV{DISPLAY}" STREQUAL "")
  message(FATAL_ERROR "no X display: the module's dialogs need one (run under xvfb-run -a)")
endif()

# Ends the prefix's wine processes, so that none outlives the display it was started on.
function(stop_wine)
  if(WINESERVER)
    execute_process(COMMAND ${WINESERVER} -k OUTPUT_QUIET ERROR_QUIET)
  endif()
endfunction()

# Runs a Windows program under wine and shows what it printed. ${passed} is true when it exited with the
# expected status; otherwise the failure is recorded, the remaining checks still run and the test fails at the end.
function(run_expecting passed expected)
  execute_process(COMMAND ${wine} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors
                  TIMEOUT 300)
  string(REPLACE "\r" "" printed "${output}${errors}")
  string(REPLACE ";" " " command "${ARGN}")
  message(STATUS "${command}\n${printed}(exit status ${status})")
  if(status STREQUAL "${expected}")
    set(${passed} TRUE PARENT_SCOPE)
  else()
    set_property(GLOBAL APPEND PROPERTY failures "${command}: exit status ${status}, ${expected} expected")
    set(${passed} FALSE PARENT_SCOPE)
  endif()
endfunction()

# A step the later ones cannot do without.
function(require)
  run_expecting(passed 0 ${ARGN})
  if(NOT passed)
    stop_wine()
    message(FATAL_ERROR "the test cannot go on without: ${ARGN}")
  endif()
endfunction()

# The module's folder: a copy of the module, and beside it the folder of swatch files it reads palettes from.
file(REMOVE_RECURSE ${WORK})
set(folder ${WORK}/module)
file(COPY ${MODULE} DESTINATION ${folder})
file(COPY ${SWATCH} DESTINATION "${folder}/Color Swatches")
get_filename_component(module_name ${MODULE} NAME)
set(module ${folder}/${module_name})

stop_wine() # a server left by an earlier run talks to a display that is gone
require(${DRIVER} prefs ${settings_tolerance} ${settings_palette})
require(${DRIVER} rgb-image ${WORK}/generated.png)
run_expecting(about_closed 0 ${DRIVER} about ${engine} ${module})
if(about_closed)
  message(STATUS "About: shown in pspiHost and closed by OK")
endif()

foreach(input ${EXAMPLE} ${WORK}/generated.png)
  get_filename_component(name ${input} NAME_WE)
  set(reference ${WORK}/${name}-vendrel.png)
  set(confirmed ${WORK}/${name}-pspihost-ok.png)
  set(cancelled ${WORK}/${name}-pspihost-cancel.png)
  require(${COMMAND} run ${input} -o ${reference} --quiet --tolerance ${settings_tolerance}
          --palette ${settings_palette})
  run_expecting(confirmed_ran 0 ${DRIVER} run ${engine} ${module} ${input} ${confirmed} ok)
  if(confirmed_ran)
    run_expecting(same_pixels 0 ${CHECK} same ${reference} ${confirmed})
    run_expecting(changed 1 ${CHECK} same ${input} ${confirmed}) # the fill changed the image
    if(same_pixels AND changed)
      message(STATUS "${name}: pspiHost's run confirmed by OK gives vendrel.exe's pixels")
    endif()
  endif()
  run_expecting(cancelled_ran 0 ${DRIVER} run ${engine} ${module} ${input} ${cancelled} cancel)
  if(cancelled_ran)
    run_expecting(unchanged 0 ${CHECK} same ${input} ${cancelled})
    if(unchanged)
      message(STATUS "${name}: pspiHost's run cancelled leaves the image as it was")
    endif()
  endif()
endforeach()
stop_wine()

get_property(failures GLOBAL PROPERTY failures)
if(failures)
  string(JOIN "\n" listed ${failures})
  message(FATAL_ERROR "in pspiHost:\n${listed}")
endif()
