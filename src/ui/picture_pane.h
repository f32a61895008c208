// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace zantor {

// Shows one picture centred at its own size; a picture larger than the pane is
// scaled down to fit, keeping its aspect.
class PicturePane final : public QWidget {
    Q_OBJECT
public:
    explicit PicturePane(QWidget* parent = nullptr);

    /// Loads a bitmap file; throws Error "Bitmap image is not valid" (and keeps the
    /// previous picture) when the file is not a picture that can be shown.
    void load(const QString& path);
    const QString& path() const { return m_path; }
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    QString m_path;
};

} // namespace zantor
