# Run by cpack (CPACK_PRE_BUILD_SCRIPTS) on the staged files of each package:
# the static libraries lose their debugging sections, as Debian's packages'
# do (strip --strip-debug keeps every symbol a program links against).
file(GLOB_RECURSE _libraries "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.a")
foreach(_library IN LISTS _libraries)
  execute_process(COMMAND strip --strip-debug --remove-section=.comment --enable-deterministic-archives "${_library}"
    RESULT_VARIABLE _failed)
  if(_failed)
    message(FATAL_ERROR "strip --strip-debug ${_library} failed")
  endif()
endforeach()
