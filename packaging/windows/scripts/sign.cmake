# hostlix_sign(FILE): signs FILE in place with osslsigncode (Authenticode,
# SHA-256) when the build was given a certificate and a key, else leaves it
# as it is. Included by the packaging scripts, which get SIGN_CERT, SIGN_KEY,
# SIGN_TIME (seconds since 1970: the signing time written into the
# signature; otherwise the current time), SIGN_TIMESTAMP_URL (an RFC 3161
# time-stamping server that countersigns the signature; otherwise none) and
# OSSLSIGNCODE from windows.cmake (signing.cmake).
#
# Run as a script, it signs one file:
#   cmake -DSIGN_CERT= -DSIGN_KEY= [-DSIGN_TIME=] [-DSIGN_TIMESTAMP_URL=]
#         -DOSSLSIGNCODE= -DFILE= -P sign.cmake
function(hostlix_sign file)
  if(NOT SIGN_CERT)
    return()
  endif()
  set(options)
  if(SIGN_TIME)
    list(APPEND options -time ${SIGN_TIME})
  endif()
  if(SIGN_TIMESTAMP_URL)
    list(APPEND options -ts ${SIGN_TIMESTAMP_URL})
  endif()
  file(REMOVE ${file}.signed)
  execute_process(
    COMMAND ${OSSLSIGNCODE} sign -certs ${SIGN_CERT} -key ${SIGN_KEY} -h sha256
            -n HOSTLIX ${options} -in ${file} -out ${file}.signed
    RESULT_VARIABLE status OUTPUT_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "osslsigncode could not sign ${file}")
  endif()
  file(RENAME ${file}.signed ${file})
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  hostlix_sign(${FILE})
endif()
