# hostlix_sign(FILE): signs FILE in place with osslsigncode (Authenticode,
# SHA-256) when the build was given a certificate and a key, else leaves it
# as it is. Included by the packaging scripts, which get SIGN_CERT, SIGN_KEY,
# SIGN_TIME (seconds since 1970: the signing time written into the
# signature; otherwise the current time) and OSSLSIGNCODE from windows.cmake.
function(hostlix_sign file)
  if(NOT SIGN_CERT)
    return()
  endif()
  set(time)
  if(SIGN_TIME)
    set(time -time ${SIGN_TIME})
  endif()
  file(REMOVE ${file}.signed)
  execute_process(
    COMMAND ${OSSLSIGNCODE} sign -certs ${SIGN_CERT} -key ${SIGN_KEY} -h sha256
            -n HOSTLIX ${time} -in ${file} -out ${file}.signed
    RESULT_VARIABLE status OUTPUT_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "osslsigncode could not sign ${file}")
  endif()
  file(RENAME ${file}.signed ${file})
endfunction()
