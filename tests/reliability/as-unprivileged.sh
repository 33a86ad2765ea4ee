#!/bin/sh
# Runs a test program as a user who is not root: some refusals of the file system never meet root.
# Already unprivileged, it runs as it is. Exit code 77 (skipped) where no such user can run it.
set -eu
if [ "$(id -u)" -ne 0 ]; then
  exec "$@"
fi
user=nobody
if ! id "$user" >/dev/null 2>&1 || ! command -v setpriv >/dev/null 2>&1; then
  echo "SKIP: no user '$user' or no setpriv to run the test without root" >&2
  exit 77
fi
drop() {
  setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups env HOME=/tmp "$@"
}
program=$1
shift
# A build folder closed to other users (a private temporary clone, say): the program is copied out,
# and it runs in a folder of its own, which it can leave and enter again as the tests do.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
cd "$scratch"
if ! drop test -x "$program"; then
  cp "$program" "$scratch/"
  program=$scratch/$(basename "$program")
  if ! drop test -x "$program"; then
    echo "SKIP: user '$user' cannot run the test program, not even a copy in $scratch" >&2
    exit 77
  fi
fi
drop "$program" "$@"
