# Finds the Firebird client headers and gives the imported target Firebird::Headers.
# The client library itself is loaded at run time by the connection (so that a
# missing library is a clear connection error, not a failure to start), hence
# only the headers and libdl are linked here.
find_path(Firebird_INCLUDE_DIR NAMES firebird/Interface.h ibase.h
          PATHS /usr/include /usr/local/include)
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Firebird REQUIRED_VARS Firebird_INCLUDE_DIR)
if(Firebird_FOUND AND NOT TARGET Firebird::Headers)
    add_library(Firebird::Headers INTERFACE IMPORTED)
    set_target_properties(Firebird::Headers PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES "${Firebird_INCLUDE_DIR}"
        INTERFACE_LINK_LIBRARIES "${CMAKE_DL_LIBS}")
endif()
