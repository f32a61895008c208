// SPDX-License-Identifier: GPL-3.0-or-later
#include "store_helpers.h"

#include "common/error.h"

#include <sstream>

namespace zantor::test {

void StoreDir::writeSettingsFile(const std::string& text) const {
    dir.write(std::filesystem::relative(settingsFile(), dir.path()).string(), text);
}

std::vector<std::string> valueLines(const std::filesystem::path& file) {
    std::istringstream in(fileText(file));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line.front() != '#')
            lines.push_back(line);
    return lines;
}

std::string fileText(const std::filesystem::path& file) {
    return readText(file.string());
}

} // namespace zantor::test
