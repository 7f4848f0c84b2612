# Builds the Debian package of the build tree BUILD_DIR into OUTPUT_DIR, checks
# that it holds what a desktop and Debian expect, that its dependencies were
# read off the shared libraries, and that lintian finds no error in it.
file(REMOVE_RECURSE ${OUTPUT_DIR})
execute_process(
    COMMAND ${CPACK} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUTPUT_DIR}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()
file(GLOB package ${OUTPUT_DIR}/tavrelo_*.deb)
list(LENGTH package count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one package in ${OUTPUT_DIR}, found: ${package}")
endif()

execute_process(COMMAND ${DPKG_DEB} -c ${package} OUTPUT_VARIABLE listing COMMAND_ERROR_IS_FATAL ANY)
set(missing "")
foreach(path
        usr/bin/tavrelo
        usr/bin/tavrelo-cli
        usr/share/man/man1/tavrelo-cli.1.gz
        usr/share/bash-completion/completions/tavrelo-cli
        usr/share/applications/io.github.tavrelo.Tavrelo.desktop
        usr/share/metainfo/io.github.tavrelo.Tavrelo.metainfo.xml
        usr/share/icons/hicolor/scalable/apps/tavrelo.svg
        usr/share/icons/hicolor/16x16/apps/tavrelo.png
        usr/share/icons/hicolor/256x256/apps/tavrelo.png
        usr/share/man/man1/tavrelo.1.gz
        usr/share/doc/tavrelo/copyright
        usr/share/doc/tavrelo/changelog.gz)
    if(NOT listing MATCHES " \\./${path}\n")
        list(APPEND missing ${path})
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "missing from the package: ${missing}\n${listing}")
endif()

execute_process(COMMAND ${DPKG_DEB} -f ${package} Depends OUTPUT_VARIABLE depends
    COMMAND_ERROR_IS_FATAL ANY)
foreach(library libc6 libstdc\\+\\+6 libqt6core6 libqt6widgets6 libqt6network6)
    if(NOT depends MATCHES "(^|, )${library}[a-z0-9]* \\(>= ")
        message(FATAL_ERROR "no versioned dependency on ${library}: ${depends}")
    endif()
endforeach()

execute_process(
    COMMAND ${LINTIAN} --fail-on error --tag-display-limit 0 ${package}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("lintian:\n${output}")
if(result)
    message(FATAL_ERROR "lintian reports errors")
endif()
file(SIZE ${package} size)
message("${package}: ${size} bytes")
