// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/error.h"

#include <cerrno>

namespace zantor {

std::string ioMessage(int code) {
    switch (code) {
    case kFileNotFound:
        return "File not found";
    case kInvalidFilename:
        return "Invalid filename";
    case kTooManyOpenFiles:
        return "Too many open files";
    case kAccessDenied:
        return "File access denied";
    case kReadBeyondEnd:
        return "Read beyond end of file";
    case kDiskFull:
        return "Disk full";
    case kInvalidNumericInput:
        return "Invalid numeric input";
    default:
        return "I/O error " + std::to_string(code);
    }
}

int ioCodeFromErrno(int err, const std::filesystem::path& path) {
    switch (err) {
    case ENOENT: {
        std::error_code ec;
        const auto parent = path.parent_path();
        if (!parent.empty() && !std::filesystem::is_directory(parent, ec))
            return kInvalidFilename;
        return kFileNotFound;
    }
    case ENOTDIR:
    case ENAMETOOLONG:
        return kInvalidFilename;
    case EMFILE:
    case ENFILE:
        return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return kAccessDenied;
    case ENOSPC:
#ifdef EDQUOT // no disk quotas on Windows
    case EDQUOT:
#endif
        return kDiskFull;
    default:
        return -1;
    }
}

void throwIoError(int err, const std::filesystem::path& path) {
    const int code = ioCodeFromErrno(err, path);
    throw Error(code < 0 ? "I/O error " + std::to_string(err) : ioMessage(code));
}

void throwIoCode(int code) {
    throw Error(ioMessage(code));
}

} // namespace zantor
