# Run by CPack before it builds the packages: every manual page in the
# staging directories is compressed, as Debian installs them.
file(GLOB_RECURSE staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*)
foreach(file IN LISTS staged)
  if(file MATCHES "/share/man/man[0-9]/[^/]+\\.[0-9]$")
    execute_process(COMMAND gzip -9 -n -f ${file} RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "cannot compress ${file}")
    endif()
  endif()
endforeach()
