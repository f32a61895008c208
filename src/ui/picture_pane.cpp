// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/picture_pane.h"

#include "common/error.h"

#include <QImageReader>
#include <QPainter>

namespace zantor {

PicturePane::PicturePane(QWidget* parent) : QWidget(parent) {}

void PicturePane::load(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
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
