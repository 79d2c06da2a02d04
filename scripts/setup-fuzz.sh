#!/usr/bin/env bash
# Installs clang and its sanitizer runtime for the libFuzzer targets (make fuzz).
set -euo pipefail
need=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
[ ${#need[@]} -eq 0 ] && exit 0
s=(); [ "$(id -u)" -ne 0 ] && s=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${s[@]}" apt-get update -q
"${s[@]}" apt-get install -y -q --no-install-recommends "${need[@]}"
