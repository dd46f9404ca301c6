# vendrel.exe under wine against the Linux command: the same runs give the same pixels, and a missing input the
# same exit status and message. Run by CTest with -DLINUX_VENDREL= -DWINE= -DEXE= -DCHECK= -DEXAMPLE= -DWORK=.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run_checked)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}\nexit status ${status}\n${errors}")
  endif()
endfunction()

# Both commands read their own bundled palette: the Linux one from the source tree, vendrel.exe from its folder.
set(settings --quiet --tolerance 40 --palette "Flatting 24.aco")

run_checked(${WINE} ${CHECK} cmyk-line-art ${WORK}/cmyk-line-art.tif)
foreach(input ${EXAMPLE} ${WORK}/cmyk-line-art.tif)
  get_filename_component(name ${input} NAME_WE)
  get_filename_component(extension ${input} LAST_EXT)
  run_checked(${LINUX_VENDREL} run ${input} -o ${WORK}/${name}-linux${extension} ${settings})
  run_checked(${WINE} ${EXE} run ${input} -o ${WORK}/${name}-windows${extension} ${settings})
  run_checked(${WINE} ${CHECK} same ${WORK}/${name}-linux${extension} ${WORK}/${name}-windows${extension})
  message(STATUS "${name}${extension}: the same pixels from both commands")
endforeach()

# A missing input: the exit status and the message agree (wine ends lines with CR LF).
foreach(side linux windows)
  if(side STREQUAL "linux")
    set(command ${LINUX_VENDREL})
  else()
    set(command ${WINE} ${EXE})
  endif()
  execute_process(COMMAND ${command} run ${WORK}/missing.png -o ${WORK}/out.png RESULT_VARIABLE status_${side}
                  ERROR_VARIABLE message_${side} OUTPUT_QUIET)
  string(REPLACE "\r" "" message_${side} "${message_${side}}")
endforeach()
if(NOT status_linux EQUAL status_windows OR NOT message_linux STREQUAL message_windows)
  message(FATAL_ERROR "a missing input: Linux ${status_linux} '${message_linux}', Windows ${status_windows} '${message_windows}'")
endif()
if(NOT status_linux EQUAL 1 OR EXISTS ${WORK}/out.png)
  message(FATAL_ERROR "a missing input: exit status ${status_linux}, or an output was written")
endif()
message(STATUS "a missing input: exit status ${status_linux} and '${message_linux}' from both")
