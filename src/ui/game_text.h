// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/encoding.h"

#include <QString>
#include <string>

namespace zantor {

// The game's tables are single-byte text; the window shows and edits Unicode.
inline QString fromGame(const std::string& bytes) {
    return QString::fromStdString(decodeWindows1252(bytes));
}
inline std::string toGame(const QString& text) {
    return encodeWindows1252(text.toStdString());
}

} // namespace zantor
