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
if ! drop test -x "$1"; then
  echo "SKIP: user '$user' cannot run $1 (its folder is closed to other users)" >&2
  exit 77
fi
drop "$@"
