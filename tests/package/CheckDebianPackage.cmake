# The Debian package made from this build: its files and declared dependencies, and the command it installs,
# unpacked into a root of its own, flatting the example with the module and presets beside it. Run by CTest with
# -DBUILD= (the build folder) -DSOURCE= (the source tree) -DWORK= (a scratch folder) -DREFERENCE= (the build's command)
# -DIMAGE_CODECS= (the image codecs library's file name) and, when the build made it, -DDIALOG_WINDOW= (the dialog
# window library's file name).
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run_checked)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}\nexit status ${status}\n${output}${errors}")
  endif()
  set(output "${output}" PARENT_SCOPE)
  set(errors "${errors}" PARENT_SCOPE)
endfunction()

run_checked(cpack --config ${BUILD}/CPackConfig.cmake -G DEB -B ${WORK})
file(GLOB packages ${WORK}/vendrel_*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made ${count} packages named vendrel_*.deb in ${WORK}")
endif()
get_filename_component(name ${packages} NAME)
if(NOT name MATCHES "^vendrel_[0-9.]+_[a-z0-9]+\\.deb$")
  message(FATAL_ERROR "the package is named ${name}, not vendrel_<version>_<arch>.deb")
endif()

# Dependencies declared from the libraries the programs link.
run_checked(dpkg-deb -f ${packages} Depends)
foreach(library libvips42 liblcms2-2 libzip4 libc6 libstdc\\+\\+6)
  if(NOT output MATCHES "(^|, )${library}( |,|$)")
    message(FATAL_ERROR "the package does not depend on ${library}: Depends: ${output}")
  endif()
endforeach()

run_checked(dpkg-deb -c ${packages})
foreach(path
    "./usr/bin/vendrel"
    "/vendrel/Vendrel.8bf"
    "/vendrel/${IMAGE_CODECS}"
    "./usr/share/vendrel/presets/Color Swatches/Flatting 24.aco"
    "./usr/lib/gimp/2.0/plug-ins/vendrel-gimp/vendrel-gimp"
    "./usr/lib/gimp/2.0/plug-ins/vendrel-gimp/Vendrel.8bf"
    "./usr/share/man/man1/vendrel.1.gz"
    "./usr/share/doc/vendrel/README.md"
    "./usr/share/doc/vendrel/LICENSE")
  string(FIND "${output}" "${path}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the package holds no ${path}:\n${output}")
  endif()
endforeach()
if(DIALOG_WINDOW)
  string(FIND "${output}" "/vendrel/${DIALOG_WINDOW}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the package holds no ${DIALOG_WINDOW} beside the module:\n${output}")
  endif()
endif()

# Unpacked anywhere, the command finds its module, image codecs and presets relative to itself.
run_checked(dpkg-deb -x ${packages} ${WORK}/root)
set(settings --quiet --tolerance 40 --palette "Flatting 24.aco")
run_checked(${WORK}/root/usr/bin/vendrel run ${SOURCE}/examples/lineart.png -o ${WORK}/installed.png ${settings})
run_checked(${REFERENCE} run ${SOURCE}/examples/lineart.png -o ${WORK}/built.png ${settings}
            --presets ${SOURCE}/presets)
file(SHA256 ${WORK}/installed.png installed)
file(SHA256 ${WORK}/built.png built)
if(NOT installed STREQUAL built)
  message(FATAL_ERROR "the installed command flats the example otherwise than the build's command")
endif()
# With --dialog and a display no server answers, the installed command loads its dialog window library from
# beside its module, and GTK then says it cannot open the display.
if(DIALOG_WINDOW)
  file(MAKE_DIRECTORY ${WORK}/config)
  run_checked(${CMAKE_COMMAND} -E env DISPLAY=:987 WAYLAND_DISPLAY= XDG_CONFIG_HOME=${WORK}/config
              ${WORK}/root/usr/bin/vendrel run ${SOURCE}/examples/lineart.png -o ${WORK}/dialog.png --dialog --quiet)
  if(NOT errors MATCHES "GTK cannot open the display :987")
    message(FATAL_ERROR "the installed command did not load its dialog window library:\n${errors}")
  endif()
endif()
run_checked(${WORK}/root/usr/bin/vendrel palettes)
if(NOT output MATCHES "Flatting 24")
  message(FATAL_ERROR "the installed command lists no installed palette:\n${output}")
endif()
message(STATUS "${name}: its files, its dependencies, and its command flats the example as the build's does")
