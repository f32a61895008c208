// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the core asks of the operating system beyond the standard library. Each system
// has its own implementation in a folder of its own beside this header.

#include <filesystem>
#include <string>
#include <vector>

namespace zantor::platform {

/// The user's home folder. Throws Error when the system names none.
std::filesystem::path homeFolder();

/// True when the folder can be entered and listed.
bool canEnterFolder(const std::filesystem::path& folder);

/// The program's arguments, without its own name, as UTF-8 text.
std::vector<std::string> commandLineArguments(int argc, char** argv);

/// Lets the standard output and error streams carry the program's bytes unchanged (no
/// line-end translation) and a console show them as UTF-8.
void useBinaryStandardStreams();

} // namespace zantor::platform
