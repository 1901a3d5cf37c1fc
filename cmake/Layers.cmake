# The layers of the program, as the build sees them. Headers are included by their
# folder, "grid/DataGrid.h"; a library's include directory holds a link to its own
# folder only, so a file sees the headers of the libraries its target links and of
# no other. An include of a layer above fails to compile ("No such file").
#
#   app -> grid, config, connection, errors, posting -> data
#   config -> config/messages (the message service and the exit status)

# quelmar_layer(TARGET FOLDER): TARGET's headers are "FOLDER/Name.h".
function(quelmar_layer target folder)
    set(root "${PROJECT_BINARY_DIR}/layers/${target}")
    set(link "${root}/${folder}")
    get_filename_component(parent "${link}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    if(NOT IS_SYMLINK "${link}")
        file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${link}" SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC "$<BUILD_INTERFACE:${root}>")
endfunction()
