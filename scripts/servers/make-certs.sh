#!/bin/sh
# Makes a throw-away certificate authority and a server certificate for 127.0.0.1 and localhost in DIR:
# ca.crt, ca.key, server.crt, server.key. EC keys keep this fast enough to run for every test server.
set -eu
[ $# -eq 1 ] || { echo "usage: $0 DIR" >&2; exit 2; }
dir=$1
mkdir -p "$dir"
cd "$dir"

openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes \
    -keyout ca.key -out ca.crt -days 3 -subj "/CN=Vantor Test CA $$" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null

openssl req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes \
    -keyout server.key -out server.csr -subj "/CN=localhost" 2>/dev/null

cat > server.ext <<EXT
subjectAltName=IP:127.0.0.1,DNS:localhost
basicConstraints=CA:FALSE
keyUsage=critical,digitalSignature,keyEncipherment
extendedKeyUsage=serverAuth
EXT
openssl x509 -req -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial -days 2 \
    -extfile server.ext -out server.crt 2>/dev/null
rm -f server.csr server.ext ca.srl
chmod 644 ca.crt server.crt
chmod 600 ca.key server.key
