#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when some
# are missing, so that a second run costs nothing.
set -euo pipefail

packages=(
  cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  mingw-w64 g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 fonts-wine xvfb x11-utils xdotool imagemagick python3 cloc gcovr graphviz
)
# wine32 is left out on purpose: 32-bit programs cannot run on these
# machines, and with it installed the plain wine launcher breaks.

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
# Another package manager (an unattended upgrade, a second terminal) may hold
# the lock for a while: wait for it rather than fail at once.
lock_wait=${NOOKSHADE_APT_LOCK_WAIT:-600}
apt=("${sudo_cmd[@]}" apt-get -o "DPkg::Lock::Timeout=$lock_wait")
if command -v fuser >/dev/null && fuser /var/lib/dpkg/lock-frontend >/dev/null 2>&1; then
  echo "Another package manager holds the lock; waiting for it (at most $lock_wait s)."
fi
if ! "${apt[@]}" update -qq || ! DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -qq "${missing[@]}" >/dev/null; then
  echo "Could not install ${missing[*]}: apt-get failed (see above; if the package lock was" >&2
  echo "still held after $lock_wait s, finish the other package manager and run this again)." >&2
  exit 1
fi
