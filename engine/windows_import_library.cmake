# The engine's import library for Windows programs, binding every function by
# its plain name, as the game program does.
#
# The linker's own import library (made from TrivaneEngine.def) would import a
# 32-bit program's calls by their decorated names: a __stdcall declaration
# refers to InitEngine@0.  dlltool with --kill-at makes the library whose
# symbols are the compiler's names (InitEngine@0 on i686, InitEngine on x86-64)
# and whose import names are the plain ones.  The DLL still exports both names;
# TrivaneEngine.def ships beside the header for tools that make their own
# import library from it.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # Plain names resolve to the decorated symbols the compiler makes; say so
  # once here instead of a warning per export.
  target_link_options(TrivaneEngine PRIVATE -Wl,--enable-stdcall-fixup)
endif()

if(NOT CMAKE_DLLTOOL)
  find_program(CMAKE_DLLTOOL NAMES ${TRIVANE_MINGW_PREFIX}-dlltool dlltool REQUIRED)
endif()

file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/TrivaneEngine.def def_lines)
set(import_def "LIBRARY TrivaneEngine.dll\nEXPORTS\n")
foreach(line IN LISTS def_lines)
  # "  Name@N = Name": the decorated line names the function and its bytes.
  if(line MATCHES "^[ \t]*([A-Za-z_0-9]+)@([0-9]+)[ \t]*=")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(APPEND import_def "  ${CMAKE_MATCH_1}@${CMAKE_MATCH_2}\n")
    else()
      string(APPEND import_def "  ${CMAKE_MATCH_1}\n")
    endif()
  endif()
endforeach()
set(import_def_file ${CMAKE_CURRENT_BINARY_DIR}/TrivaneEngine-import.def)
file(WRITE ${import_def_file} "${import_def}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/TrivaneEngine.def)

add_custom_command(TARGET TrivaneEngine POST_BUILD
  COMMAND ${CMAKE_DLLTOOL} --dllname TrivaneEngine.dll --input-def ${import_def_file} --kill-at
          --output-lib $<TARGET_LINKER_FILE:TrivaneEngine>
  COMMENT "Import library of TrivaneEngine.dll by plain names"
  VERBATIM)

# What a Windows program needs to link the engine ships beside it: the header,
# the import library and the definition file.
install(FILES TrivaneEngine.h TrivaneEngine.def $<TARGET_LINKER_FILE:TrivaneEngine>
        DESTINATION ${TRIVANE_INSTALL_DIR}/SDK)
