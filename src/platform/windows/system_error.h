// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zantor {

/// The run-time I/O code of a Windows system error code (GetLastError), or -1 when it
/// has none: the run time reports the system's codes 2 to 5 as they are, and a full
/// disk as "Disk full".
int ioCodeFromSystemError(unsigned long err);

/// Throws the Error for a Windows system error code: the run-time message, or
/// "I/O error %d" with the system's code.
[[noreturn]] void throwSystemError(unsigned long err);

} // namespace zantor
