# The HOSTLIX.EXE that the ZIP and the installer hold: stripped (strip writes
# a new PE header, whose time stamp is then SOURCE_DATE_EPOCH), signed when a
# certificate is given (sign.cmake), its file time the release time.
cmake_policy(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/sign.cmake)

get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${EPOCH}
                        ${STRIP} --strip-all -o ${OUTPUT} ${EXE}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "strip failed on ${EXE}")
endif()
hostlix_sign(${OUTPUT})
file(CHMOD ${OUTPUT} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC touch -d @${EPOCH} ${OUTPUT})
