// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;
class QApplication;

namespace zantor {

/// The look all windows share: the background colour, silver fields and the
/// 11-pixel Tahoma font (or the system's sans font where Tahoma is missing).
void applyLook(QWidget* window);

/// Moves a window so that it stands in the middle of its screen's free area.
void centreOnScreen(QWidget* window);

/// Application-wide settings of the look: hint timing and the font.
void applyApplicationLook(QApplication& app);

} // namespace zantor
