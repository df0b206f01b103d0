# cmake -DSOURCE=<file> -DDESTINATION=<file> -P CopyIfAbsent.cmake
# Copies SOURCE to DESTINATION only when nothing lies there yet, so that a file the user
# (or the program) has changed is never overwritten by a build or an install.
if(NOT EXISTS "${DESTINATION}")
    get_filename_component(_folder "${DESTINATION}" DIRECTORY)
    file(MAKE_DIRECTORY "${_folder}")
    file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()
