// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace zantor {

// The one error type of the core. Its text is what the user sees, exactly.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Run-time I/O error codes as the user sees them.
enum IoCode : int {
    kFileNotFound = 2,
    kInvalidFilename = 3,
    kTooManyOpenFiles = 4,
    kAccessDenied = 5,
    kReadBeyondEnd = 100,
    kDiskFull = 101,
    kInvalidNumericInput = 106,
};

/// The message of a run-time I/O error code: "File not found", ..., "I/O error %d".
std::string ioMessage(int code);

/// Maps an errno value to a run-time I/O error code, or -1 when it has none.
/// `path` tells ENOENT for a missing folder ("Invalid filename") from a missing
/// file ("File not found").
int ioCodeFromErrno(int err, const std::filesystem::path& path);

/// Throws the Error for errno `err` met while working on `path`.
[[noreturn]] void throwIoError(int err, const std::filesystem::path& path);

/// Throws the Error for a run-time I/O error code.
[[noreturn]] void throwIoCode(int code);

} // namespace zantor
