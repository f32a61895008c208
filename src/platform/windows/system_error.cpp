// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/system_error.h"

#include "common/error.h"

#include <string>
#include <windows.h>

namespace zantor {

int ioCodeFromSystemError(unsigned long err) {
    switch (err) {
    case ERROR_FILE_NOT_FOUND:
        return kFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
        return kInvalidFilename;
    case ERROR_TOO_MANY_OPEN_FILES:
        return kTooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return kAccessDenied;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return kDiskFull;
    default:
        return -1;
    }
}

void throwSystemError(unsigned long err) {
    const int code = ioCodeFromSystemError(err);
    throw Error(code < 0 ? "I/O error " + std::to_string(err) : ioMessage(code));
}

} // namespace zantor
