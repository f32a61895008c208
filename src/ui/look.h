// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QSize>
#include <QStringList>
#include <functional>
#include <future>

class QApplication;
class QString;
class QStyle;
class QWidget;

namespace zantor {

/// The look all windows share: the background colour, silver fields and the
/// 11-pixel Tahoma font (or the system's sans font where Tahoma is missing).
void applyLook(QWidget* window);

/// The windows' font, Tahoma, at a size in pixels (or the system's sans font where
/// Tahoma is missing).
QFont lookFont(int pixels, bool bold = false);

/// Fixes a window's client size at `size`, the size laid out for Tahoma; where a
/// stand-in font needs more room than that, at the least size that shows every caption
/// whole. Call it once the window's layout is complete.
void fixClientSize(QWidget* window, QSize size);

/// Moves a window so that it stands in the middle of its screen's free area.
void centreOnScreen(QWidget* window);

/// The windows' style over the named base style (a key of QStyleFactory): hint timing,
/// and drop-down lists that are silver when closed and open below themselves with at
/// most their visible rows and a scroll bar.
QStyle* lookStyle(const QString& baseStyle);

/// Reads the pictures at `paths` (a null picture for each that cannot be read) on a
/// thread of their own, taking turns with other such reads. Any thread may take the
/// result; a window-system pixmap of them only the application's thread.
std::shared_future<QList<QImage>> readPicturesAhead(QStringList paths);

/// An icon of the pictures that can be read (the null ones are left out); a null icon
/// where there are none. Only on the application's thread.
QIcon iconOfPictures(const QList<QImage>& pictures);

/// An icon whose pictures `load` gives when one is first asked for, so that a
/// window does not read pictures it has not drawn yet.
QIcon deferredIcon(std::function<QIcon()> load);

/// Application-wide settings of the look: the style, hint timing and the font.
void applyApplicationLook(QApplication& app);

} // namespace zantor
