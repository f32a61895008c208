#!/usr/bin/env bash
# Fails when a source outside its system's platform folder calls the operating system
# directly: POSIX headers and calls belong in src/platform/posix, windows.h and the
# Windows API in src/platform/windows. Everything else builds on every system.
# Usage: scripts/check-platform-calls.sh [SOURCE_DIR]   (default: the checkout's src/)
set -euo pipefail
src="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/src}"

posix_headers='#[[:space:]]*include[[:space:]]*<(unistd|fcntl|dirent|pwd|grp|spawn|poll|termios|dlfcn|libgen|utime|ftw|glob)\.h>|#[[:space:]]*include[[:space:]]*<sys/'
posix_calls='(^|[^[:alnum:]_>.])::(open|openat|creat|read|pread|write|pwrite|close|stat|fstat|lstat|fstatat|statx|opendir|fdopendir|readdir|closedir|fsync|fdatasync|sync|syncfs|rename|renameat2?|unlink|unlinkat|rmdir|mkdir|mkstemp|mkdtemp|chmod|fchmod|fchmodat|chown|fchown|lchown|access|faccessat|umask|getuid|geteuid|getpwuid|link|linkat|symlink|readlink|realpath|fcntl|ioctl|dup2?|pipe|fork|execv[pe]*|execl[pe]*|posix_spawnp?|waitpid|setrlimit|getrlimit|setenv|unsetenv|getcwd|chdir|ftruncate|truncate|lseek|mmap|munmap|utimensat|futimens)[[:space:]]*\('
windows_api='#[[:space:]]*include[[:space:]]*<(windows|winbase|winreg|shellapi|shlobj|io|direct)\.h>'

# Files still to be moved into src/platform/posix.
pending='^$src/(common/files\.cpp|browser/scan\.cpp):'

status=0
report() {
  local what=$1 allowed=$2 pattern=$3
  local hits
  hits="$(grep -rnE --include='*.cpp' --include='*.h' "$pattern" "$src" |
    grep -vE "^$src/platform/$allowed/" | grep -vE "${pending//\$src/$src}" || true)"
  if [ -n "$hits" ]; then
    echo "$what outside src/platform/$allowed:" >&2
    echo "$hits" >&2
    status=1
  fi
}
# The Windows C run time has an fcntl.h of its own.
report "POSIX headers" "(posix|windows)" "$posix_headers"
report "POSIX calls" posix "$posix_calls"
report "Windows headers" windows "$windows_api"
[ "$status" -eq 0 ] && echo "no system calls outside src/platform"
exit "$status"
