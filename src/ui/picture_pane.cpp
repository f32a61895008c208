// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/picture_pane.h"

#include "common/error.h"
#include "common/files.h"

#include <QImage>
#include <QPainter>
#include <limits>

namespace zantor {

PicturePane::PicturePane(QWidget* parent) : QWidget(parent) {}

void PicturePane::load(const QString& path) {
    // Read through the core, which takes only regular files and never blocks on a FIFO.
    Bytes data;
    try {
        data = readFile(path.toStdString());
    } catch (const Error&) {
        throw Error("Bitmap image is not valid");
    }
    QImage image;
    if (data.size() <= static_cast<std::size_t>(std::numeric_limits<int>::max()))
        image = QImage::fromData(data.data(), static_cast<int>(data.size()));
    if (image.isNull())
        throw Error("Bitmap image is not valid");
    m_image = std::move(image);
    m_path = path;
    update();
}

void PicturePane::paintEvent(QPaintEvent*) {
    if (m_image.isNull())
        return;
    QPainter painter(this);
    QSize size = m_image.size();
    if (size.width() > width() || size.height() > height())
        size.scale(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, size != m_image.size());
    painter.drawImage(target, m_image);
}

} // namespace zantor
