# One static library per subsystem folder, each linking only the subsystems below it:
# platform < math < model < labels < plot < dialogs < shell.
# A folder gets its library once it holds code; sources are globbed so that new units
# join their library without touching this file.
set(QUORIX_SUBSYSTEMS platform math model labels plot dialogs shell)
set(QUORIX_LIBRARIES "" CACHE INTERNAL "")

function(quorix_subsystem_library name)
    file(GLOB _sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(FILTER _sources EXCLUDE REGEX "/main\\.cpp$")
    set(_has_cpp FALSE)
    foreach(_s IN LISTS _sources)
        if(_s MATCHES "\\.cpp$")
            set(_has_cpp TRUE)
        endif()
    endforeach()
    if(NOT _has_cpp)
        return()
    endif()
    add_library(quorix_${name} STATIC ${_sources})
    quorix_autogen_follows_sources(quorix_${name} "${_sources}")
    target_include_directories(quorix_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    if(QUORIX_LIBRARIES)
        target_link_libraries(quorix_${name} PUBLIC ${QUORIX_LIBRARIES})
    endif()
    set(QUORIX_LIBRARIES ${QUORIX_LIBRARIES} quorix_${name} CACHE INTERNAL "")
endfunction()

# The highest subsystem library built so far (what an executable links).
function(quorix_top_library out)
    list(GET QUORIX_LIBRARIES -1 _top)
    set(${out} ${_top} PARENT_SCOPE)
endfunction()

# AUTOMOC under Ninja re-runs only when a header it already knows changes, so a header that
# arrives with a pull or rebase would never be moc'ed and the link would fail. When the
# globbed source list differs from the one of the last configure, the autogen stamp is
# removed, which makes the autogen step run again.
function(quorix_autogen_follows_sources target sources)
    set(_list ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.txt)
    set(_old "")
    if(EXISTS ${_list})
        file(READ ${_list} _old)
    endif()
    if(NOT _old STREQUAL "${sources}")
        file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
        file(WRITE ${_list} "${sources}")
    endif()
endfunction()
