# Installs the build in BUILD_DIR into PREFIX and checks the result: every
# file in its usual place, a valid desktop entry and MIME type, and programs
# that run from there.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(installed
    bin/pixlers
    bin/pixlers-cli
    libexec/pixlers/pixlers-export
    share/doc/pixlers/readme.txt
    share/doc/pixlers/examples/heart.pixler
    share/applications/pixlers.desktop
    share/icons/hicolor/scalable/apps/pixlers.svg
    share/icons/hicolor/scalable/mimetypes/application-x-pixlers.svg
    share/mime/packages/pixlers.xml)
  if(NOT EXISTS "${PREFIX}/${installed}")
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()

function(run_checked what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
run_checked("desktop-file-validate" ${DESKTOP_FILE_VALIDATE}
            "${PREFIX}/share/applications/pixlers.desktop")
if(NOT output STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate warns:\n${output}")
endif()
file(READ "${PREFIX}/share/mime/packages/pixlers.xml" mime)
foreach(extension pixler ppixler spixler)
  if(NOT mime MATCHES "pattern=\"\\*\\.${extension}\"")
    message(FATAL_ERROR "the MIME type misses .${extension}")
  endif()
endforeach()
find_program(XMLLINT xmllint)
if(XMLLINT)
  run_checked("xmllint" ${XMLLINT} --noout "${PREFIX}/share/mime/packages/pixlers.xml"
              "${PREFIX}/share/icons/hicolor/scalable/apps/pixlers.svg")
endif()

# Both programs run from the prefix: the desktop one answers without a display.
run_checked("pixlers --version" ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            QT_QPA_PLATFORM=xcb "${PREFIX}/bin/pixlers" --version)
if(NOT output MATCHES "1\\.4")
  message(FATAL_ERROR "pixlers --version said: ${output}")
endif()
run_checked("pixlers-cli solve" "${PREFIX}/bin/pixlers-cli" solve
            "${PREFIX}/share/doc/pixlers/examples/heart.pixler")
# pixlers-cli finds its picture helper from where it lies.
run_checked("pixlers-cli convert" "${PREFIX}/bin/pixlers-cli" convert
            "${PREFIX}/share/doc/pixlers/examples/heart.pixler" "${PREFIX}/heart.png")
file(READ "${PREFIX}/heart.png" png LIMIT 4 HEX)
if(NOT png STREQUAL "89504e47")
  message(FATAL_ERROR "pixlers-cli convert wrote no PNG: ${png}")
endif()
