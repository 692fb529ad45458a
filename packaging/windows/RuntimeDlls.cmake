# Copies the DLLs that PROGRAM needs, and those they need, from the folders DIRECTORIES into
# DESTINATION: run after each build against shared libraries, and by the install. Windows' own
# DLLs are in none of those folders (or in its System32) and stay out. OBJDUMP names the MinGW
# objdump that reads the program; without it, Visual Studio's dumpbin does.
if(OBJDUMP)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${OBJDUMP})
else()
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL dumpbin)
endif()
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
file(GET_RUNTIME_DEPENDENCIES EXECUTABLES ${PROGRAM} DIRECTORIES ${DIRECTORIES}
  PRE_EXCLUDE_REGEXES "^api-ms-" "^ext-ms-" POST_EXCLUDE_REGEXES "[Ss][Yy][Ss][Tt][Ee][Mm]32"
  RESOLVED_DEPENDENCIES_VAR dlls UNRESOLVED_DEPENDENCIES_VAR elsewhere)
if(dlls)
  file(INSTALL ${dlls} DESTINATION ${DESTINATION})
endif()
