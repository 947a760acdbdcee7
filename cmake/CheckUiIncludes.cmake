# Fails when a source of a window module includes the ui/ header of a
# subsystem the module does not link. Run with -DMODULE=<subsystem>
# -DFOLDER=<its ui folder> "-DALLOWED=<subsystems, comma-separated>"
# -DSTAMP=<file>; the stamp is touched when every include is allowed.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" allowed "${ALLOWED}")
file(GLOB sources ${FOLDER}/*.cpp ${FOLDER}/*.h)
set(problems "")
foreach(source IN LISTS sources)
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/ui/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z]+)/ui/.*" "\\1" used "${line}")
    if(NOT used IN_LIST allowed)
      string(APPEND problems "\n  ${source}: ${line}")
    endif()
  endforeach()
endforeach()
if(problems)
  string(REPLACE ";" ", " readable "${allowed}")
  message(FATAL_ERROR "${MODULE}/ui may include only the ui/ headers of ${readable}:${problems}")
endif()
file(TOUCH ${STAMP})
