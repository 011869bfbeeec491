# Makes the Windows ZIP (see windows.cmake) the same bytes from every build of
# the same sources: fixed file modes, file times from the release time (EPOCH)
# in UTC, no owner or extra time fields, and the members always in the same
# order. EXE is the stripped (and maybe signed) copy; LICENSE and README are
# in CR LF lines.
cmake_policy(VERSION 3.25)

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(COPY_FILE ${EXE} ${STAGE}/HOSTLIX.EXE)
file(COPY_FILE ${LICENSE} ${STAGE}/LICENSE.TXT)
file(COPY_FILE ${README} ${STAGE}/README.TXT)
set(members HOSTLIX.EXE LICENSE.TXT README.TXT)
foreach(member IN LISTS members)
  file(CHMOD ${STAGE}/${member} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC touch -d @${EPOCH} ${STAGE}/${member})
endforeach()
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -X -q -9 ${OUTPUT} ${members}
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zip failed")
endif()
