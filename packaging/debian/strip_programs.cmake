# Runs in CPack after the installation into its staging folder, before the
# package is made: strips the programs as Debian's dh_strip does.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
foreach(program ${programs})
  execute_process(COMMAND strip --remove-section=.comment --remove-section=.note --strip-unneeded ${program}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
