# Makes the Windows ZIP (see windows_zip.cmake) the same bytes from every
# build of the same sources: fixed file modes, file times from
# SOURCE_DATE_EPOCH (or the release date) in UTC, no owner or extra time
# fields, and the members always in the same order.
cmake_policy(VERSION 3.25)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}")
  endif()
endfunction()

set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(epoch STREQUAL "")
  set(epoch ${RELEASE_EPOCH})
endif()

# strip writes a new PE header: its time stamp is SOURCE_DATE_EPOCH if set.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
run(${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch}
    ${STRIP} --strip-all -o ${STAGE}/HOSTLIX.EXE ${EXE})
file(COPY_FILE ${LICENSE} ${STAGE}/LICENSE)
file(COPY_FILE ${README} ${STAGE}/README.TXT)
set(members HOSTLIX.EXE LICENSE README.TXT)
foreach(member IN LISTS members)
  file(CHMOD ${STAGE}/${member} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  run(${CMAKE_COMMAND} -E env TZ=UTC touch -d @${epoch} ${STAGE}/${member})
endforeach()
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -X -q -9 ${OUTPUT} ${members}
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zip failed")
endif()
