# The signing settings of a Windows build, each a -D setting or, when not
# given, the environment variable of the same name, read at configure time:
# - HOSTLIX_SIGN_CERT, HOSTLIX_SIGN_KEY: a PEM certificate (or chain) and its
#   private key; without a certificate nothing is signed;
# - HOSTLIX_SIGN_TIME: seconds since 1970, the signing time written into the
#   signature (otherwise the current time);
# - HOSTLIX_SIGN_TIMESTAMP_URL: an RFC 3161 time-stamping server that
#   countersigns each signature, so that it stays valid after the
#   certificate expires (otherwise no server is asked).
# Included by windows.cmake, which signs, and by release.cmake, which hands
# the settings on to its sub-builds (hostlix_sign_settings names them).
set(hostlix_sign_settings CERT KEY TIME TIMESTAMP_URL)
foreach(setting IN LISTS hostlix_sign_settings)
  if(NOT DEFINED HOSTLIX_SIGN_${setting})
    set(HOSTLIX_SIGN_${setting} "$ENV{HOSTLIX_SIGN_${setting}}")
  endif()
endforeach()
