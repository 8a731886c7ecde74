#!/usr/bin/env bash
# Makes the certificates of the TLS stand-in in DIR, with fresh keys each time (none is kept in
# the repository): a test authority (ca.pem), and for each way the stand-in can present itself a
# certificate and its key, <way>.pem and <way>.key:
#   service     weather.test, from the test authority, valid now
#   other-name  other.test, from the test authority, valid now
#   expired     weather.test, from the test authority, valid only in 2020
#   untrusted   weather.test, signed by itself
# Usage: certificates.sh DIR
set -euo pipefail
dir=$1
mkdir -p "$dir"
cd "$dir"
key() { openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out "$1.key" 2>/dev/null; }
names() { printf 'subjectAltName=DNS:%s\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n' "$1"; }

key ca
openssl req -x509 -new -key ca.key -subj "/CN=Wethrix test authority" -days 2 -sha256 \
  -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign -out ca.pem

# `openssl ca` is the one that sets both dates freely, so every certificate of the authority
# comes from it.
mkdir -p ca.db
: >ca.db/index.txt
cat >ca.cnf <<CNF
[ca]
default_ca = test
[test]
database = ca.db/index.txt
new_certs_dir = ca.db
serial = ca.db/serial
certificate = ca.pem
private_key = ca.key
default_md = sha256
policy = any
unique_subject = no
copy_extensions = none
[any]
commonName = supplied
CNF
serial=1000
issue() {  # way, name, openssl ca's dates
  local way=$1 name=$2
  shift 2
  key "$way"
  openssl req -new -key "$way.key" -subj "/CN=$name" -out "$way.csr"
  names "$name" >"$way.ext"
  echo $((serial++)) >ca.db/serial
  openssl ca -batch -config ca.cnf -notext -extfile "$way.ext" -in "$way.csr" -out "$way.pem" "$@" 2>/dev/null
}
issue service weather.test -days 2
issue other-name other.test -days 2
issue expired weather.test -startdate 20200101000000Z -enddate 20200201000000Z

key untrusted
openssl req -x509 -new -key untrusted.key -subj "/CN=weather.test" -days 2 -sha256 \
  -addext "subjectAltName=DNS:weather.test" -out untrusted.pem
