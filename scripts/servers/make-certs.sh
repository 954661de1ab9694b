#!/bin/sh
# Makes a throw-away certificate authority and a server certificate in DIR: ca.crt, ca.key, server.crt,
# server.key. EC keys keep this fast enough to run for every test server.
#   make-certs.sh DIR [--name DNSNAME] [--expired] [--self-signed]
# By default the certificate is for 127.0.0.1 and localhost and valid now; --name makes it for another host
# only, --expired makes it one whose validity ended long ago, --self-signed one that signs itself instead of
# being signed by the CA (tests of refused certificates).
set -eu
usage() { echo "usage: $0 DIR [--name DNSNAME] [--expired] [--self-signed]" >&2; exit 2; }
[ $# -ge 1 ] || usage
dir=$1
shift
san="IP:127.0.0.1,DNS:localhost"
expired=no
selfsigned=no
while [ $# -gt 0 ]; do
    case $1 in
    --name) [ $# -ge 2 ] || usage; san="DNS:$2"; shift 2 ;;
    --expired) expired=yes; shift ;;
    --self-signed) selfsigned=yes; shift ;;
    *) usage ;;
    esac
done
mkdir -p "$dir"
cd "$dir"

openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes \
    -keyout ca.key -out ca.crt -days 3 -subj "/CN=Vantor Test CA $$" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null

openssl req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes \
    -keyout server.key -out server.csr -subj "/CN=localhost" 2>/dev/null

cat > server.ext <<EXT
subjectAltName=$san
basicConstraints=CA:FALSE
keyUsage=critical,digitalSignature,keyEncipherment
extendedKeyUsage=serverAuth
EXT
if [ "$selfsigned" = yes ]; then
    openssl x509 -req -in server.csr -signkey server.key -days 2 -extfile server.ext -out server.crt 2>/dev/null
elif [ "$expired" = yes ]; then
    # Only "openssl ca" takes explicit validity dates; it wants a database of what it signed.
    : > index.txt
    cat > ca.cnf <<CNF
[ca]
default_ca = test
[test]
database = index.txt
new_certs_dir = .
serial = serial.txt
default_md = sha256
policy = anything
copy_extensions = none
[anything]
commonName = supplied
CNF
    echo 01 > serial.txt
    openssl ca -batch -config ca.cnf -cert ca.crt -keyfile ca.key -in server.csr -out server.crt \
        -extfile server.ext -startdate 20200101000000Z -enddate 20200102000000Z -notext 2>/dev/null
    rm -f index.txt* serial.txt* ca.cnf 01.pem
else
    openssl x509 -req -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial -days 2 \
        -extfile server.ext -out server.crt 2>/dev/null
fi
rm -f server.csr server.ext ca.srl
chmod 644 ca.crt server.crt
chmod 600 ca.key server.key
