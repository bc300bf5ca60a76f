# Compiles mohhelp.chm: the pages of assets/help, every page name of pages.txt that has no page
# of its own as a copy of the English default, a contents file and the project, through chmcmd.
#   cmake -DSOURCE=<assets/help> -DSTAGE=<scratch dir> -DOUTPUT=<.../mohhelp.chm>
#         -DCHMCMD=<chmcmd> -P make_help.cmake
file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")
file(STRINGS "${SOURCE}/pages.txt" pages)
set(files "")
foreach(page IN LISTS pages)
  if(EXISTS "${SOURCE}/${page}")
    configure_file("${SOURCE}/${page}" "${STAGE}/${page}" COPYONLY)
  else()
    configure_file("${SOURCE}/mohhelp.htm" "${STAGE}/${page}" COPYONLY)
  endif()
  string(APPEND files "${page}\n")
endforeach()

file(WRITE "${STAGE}/mohhelp.hhc" [[<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">
<HTML><HEAD></HEAD><BODY>
<OBJECT type="text/site properties"></OBJECT>
<UL>
<LI><OBJECT type="text/sitemap"><param name="Name" value="Parko (Deutsch)"><param name="Local" value="mohhelpger.htm"></OBJECT>
<LI><OBJECT type="text/sitemap"><param name="Name" value="Parko (English)"><param name="Local" value="mohhelp.htm"></OBJECT>
</UL>
</BODY></HTML>
]])
file(WRITE "${STAGE}/mohhelp.hhp" "[OPTIONS]
Compiled file=mohhelp.chm
Contents file=mohhelp.hhc
Default topic=mohhelpger.htm
Language=0x407 Deutsch
Title=Parko Hilfe

[FILES]
${files}")

execute_process(COMMAND "${CHMCMD}" mohhelp.hhp WORKING_DIRECTORY "${STAGE}"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS "${STAGE}/mohhelp.chm")
  message(FATAL_ERROR "chmcmd failed (${result}):\n${output}")
endif()
file(COPY_FILE "${STAGE}/mohhelp.chm" "${OUTPUT}")
