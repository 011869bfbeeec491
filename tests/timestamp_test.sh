#!/usr/bin/env bash
# Signs a copy of each file given (HOSTLIX.EXE, an installer) as the build
# signs (sign.cmake run as a script), with HOSTLIX_SIGN_TIMESTAMP_URL pointing
# at an RFC 3161 time-stamping server that the test starts on 127.0.0.1
# (tests/tsa_server.py: openssl ts behind Python's http.server), each with a
# throwaway certificate. Then osslsigncode verifies every copy: the
# signature, and the time stamp against the time-stamping certificate; the
# time stamp must fail against another one, so that it is really checked.
#
# Usage: tests/timestamp_test.sh SIGN_CMAKE OSSLSIGNCODE FILE...
set -u
sign=$(realpath "$1") osslsigncode=$2
shift 2
files=()
for file in "$@"; do files+=("$(realpath "$file")"); done
src=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tests/checks.sh
. "$src/tests/checks.sh"
work=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work" || exit 1

certificate() {  # name, extended key usage
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=HOSTLIX test $1" \
    -addext "extendedKeyUsage=$2" -keyout "$1.key" -out "$1.pem" 2>/dev/null ||
    { echo "FAIL: openssl req for $1"; exit 1; }
}
certificate signer codeSigning
certificate tsa critical,timeStamping
certificate other-tsa critical,timeStamping
echo 01 >serial
cat >ts.cnf <<EOF
[ tsa ]
default_tsa = tsa_config
[ tsa_config ]
serial = $work/serial
crypto_device = builtin
signer_cert = $work/tsa.pem
signer_key = $work/tsa.key
signer_digest = sha256
certs = $work/tsa.pem
default_policy = 1.2.3.4.1
digests = sha256, sha384, sha512
accuracy = secs:1
ordering = no
tsa_name = no
ess_cert_id_chain = no
ess_cert_id_alg = sha256
EOF

python3 "$src/tests/tsa_server.py" ts.cnf port 90 &
server=$!
for _ in $(seq 50); do
  [ -s port ] && break
  sleep 0.1
done
[ -s port ] || { echo "FAIL: the time-stamping server did not start"; exit 1; }
url=http://127.0.0.1:$(cat port)

for file in "${files[@]}"; do
  name=$(basename "$(dirname "$file")")-$(basename "$file")
  cp "$file" "$name"
  check "$name: signed with a time stamp from $url" \
    cmake -DSIGN_CERT=signer.pem -DSIGN_KEY=signer.key -DSIGN_TIMESTAMP_URL="$url" \
          -DOSSLSIGNCODE="$osslsigncode" -DFILE="$name" -P "$sign"
  "$osslsigncode" verify -CAfile signer.pem -TSA-CAfile tsa.pem -in "$name" >"$name.verify" 2>&1
  result "$name: signature and time stamp verify" $?
  check "$name: the time stamp is verified" grep -q -x "Timestamp Server Signature verification: ok" "$name.verify"
  # (osslsigncode still ends with 0 then: the signature alone is valid now.)
  "$osslsigncode" verify -CAfile signer.pem -TSA-CAfile other-tsa.pem -in "$name" >"$name.other" 2>&1
  check "$name: the time stamp fails against another time-stamping certificate" \
    grep -q -x "Timestamp Server Signature verification: failed" "$name.other"
done
summary
