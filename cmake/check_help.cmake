# Checks the compiled help with a reader of its own (enum_chmLib of chmlib): every page that
# pages.txt names is inside, and the German page holds its text.
#   cmake -DCHM=<mohhelp.chm> -DPAGES=<pages.txt> -DENUM=<enum_chmLib> -P check_help.cmake
execute_process(COMMAND "${ENUM}" "${CHM}" RESULT_VARIABLE result OUTPUT_VARIABLE listing)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "enum_chmLib could not read ${CHM}")
endif()
file(STRINGS "${PAGES}" pages)
foreach(page IN LISTS pages)
  string(FIND "${listing}" "/${page}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${page} is missing from ${CHM}:\n${listing}")
  endif()
endforeach()
list(LENGTH pages count)
message(STATUS "all ${count} pages are in the help file")
