// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QHelpEvent>
#include <QIconEngine>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <QStringList>
#include <QStyleOptionComboBox>
#include <QToolTip>
#include <QWidget>
#include <algorithm>
#include <future>
#include <iterator>
#include <mutex>

namespace zantor {

namespace {

// Reads the icon's pictures on the first question that needs them.
class DeferredIconEngine final : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> load) : m_load(std::move(load)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return loaded().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return loaded().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return loaded().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return loaded().availableSizes(mode, state);
    }
    // Asked by every layout that makes room for an icon: answered without reading.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("zantor-deferred"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& loaded() {
        if (m_load) {
            m_icon = m_load();
            m_load = nullptr;
        }
        return m_icon;
    }

    std::function<QIcon()> m_load;
    QIcon m_icon;
};

const QColor kBackground(150, 145, 115);
const QColor kSilver(192, 192, 192);

constexpr int kHintDelay = 500;
constexpr int kHintDisplayTime = 60000;

// The pictures at `paths`, a null picture for each that cannot be read.
QList<QImage> readPictures(const QStringList& paths) {
    // The reads take turns: with two processors, reads at once would take turns with
    // the building of the windows instead.
    static std::mutex turn;
    const std::lock_guard<std::mutex> mine(turn);
    QList<QImage> read;
    for (const QString& path : paths) {
        // Asked for a missing file, the reader tries every picture format's name ending
        // on it, loading each format's plugin.
        const QImage image = QFile::exists(path) ? QImage(path) : QImage();
        // In the form the window system's pixmaps hold, which is then no work of the
        // first paint's.
        read.append(image.isNull() ? image
                                   : image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    return read;
}

// The base style's own pictures of the standard icons the windows show. Asked for
// one, the base style first looks in the desktop's icon theme, and its first question
// reads the theme's whole index: milliseconds before the first paint, spent even where
// the theme has none of these. The windows keep one look everywhere, as their colours
// and font do, so they show these pictures directly.
struct StandardPicture {
    QStyle::StandardPixmap icon;
    const char* name;
};
constexpr StandardPicture kStandardPictures[] = {
    {QStyle::SP_DialogCloseButton, "standardbutton-close"},
    {QStyle::SP_DialogSaveButton, "standardbutton-save"},
    {QStyle::SP_DialogOpenButton, "standardbutton-open"},
    {QStyle::SP_DialogCancelButton, "standardbutton-cancel"},
    {QStyle::SP_DialogOkButton, "standardbutton-ok"},
    {QStyle::SP_FileDialogDetailedView, "viewdetailed"},
    {QStyle::SP_DriveFDIcon, "floppy"},
    {QStyle::SP_DirOpenIcon, "diropen"},
    {QStyle::SP_BrowserReload, "refresh"},
};

// The sizes read of each picture. The windows show these icons at 12 to 16 pixels, so
// up to 32 covers a screen of twice the density; the 128-pixel pictures the base style
// also has would take most of the reading and never be drawn.
constexpr int kStandardSizes[] = {16, 24, 32};

// The pictures' paths: each picture's sizes in turn, in the order of the tables above.
QStringList standardPicturePaths() {
    QStringList paths;
    for (const StandardPicture& picture : kStandardPictures)
        for (int size : kStandardSizes)
            paths.append(QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png")
                             .arg(QLatin1String(picture.name))
                             .arg(size));
    return paths;
}

// The pictures of `icon` as an icon; a null icon where there are none.
QIcon standardPicturesIcon(const QList<QImage>& pictures, QStyle::StandardPixmap icon) {
    const auto* picture = std::find_if(std::begin(kStandardPictures), std::end(kStandardPictures),
                                       [icon](const StandardPicture& p) { return p.icon == icon; });
    if (picture == std::end(kStandardPictures))
        return {};
    const qsizetype sizes = std::size(kStandardSizes);
    return iconOfPictures(pictures.mid((picture - std::begin(kStandardPictures)) * sizes, sizes));
}

// The windows' style on top of whichever base style runs: hints after half a second,
// drop-down lists drawn and opened alike in every base style, and the standard icons'
// pictures read ahead while the windows are built.
class LookStyle final : public QProxyStyle {
public:
    explicit LookStyle(const QString& baseStyle)
        : QProxyStyle(baseStyle), m_pictures(readPicturesAhead(standardPicturePaths())) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kHintDelay;
        // Some styles open a list as a menu over the chosen entry, as tall as every
        // entry needs; a drop-down below the list keeps its row limit and scroll bar.
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    // A closed list stands on the fields' silver like an edit, not on a button face;
    // the focus is a frame, so the text keeps its colour.
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        const auto* list = qstyleoption_cast<const QStyleOptionComboBox*>(option);
        if (control != CC_ComboBox || !list || list->editable) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        QStyleOptionComboBox asField(*list);
        asField.editable = true;
        QProxyStyle::drawComplexControl(control, &asField, painter, widget);
        const QRect field = subControlRect(CC_ComboBox, list, SC_ComboBoxEditField, widget);
        painter->fillRect(field, list->palette.brush(QPalette::Base));
        if (list->state & State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*list);
            focus.rect = field;
            focus.backgroundColor = list->palette.color(QPalette::Base);
            drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* list = qstyleoption_cast<const QStyleOptionComboBox*>(option);
        if (element == CE_ComboBoxLabel && list && !list->editable) {
            QStyleOptionComboBox plain(*list);
            plain.state &= ~State_HasFocus;
            QProxyStyle::drawControl(element, &plain, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    // Most buttons that ask for a standard icon are on pages and windows not shown yet;
    // the pictures are taken when one is first drawn.
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (option || widget)
            return QProxyStyle::standardIcon(icon, option, widget);
        QPointer<const LookStyle> style(this);
        return deferredIcon([style, pictures = m_pictures, icon] {
            QIcon made = standardPicturesIcon(pictures.get(), icon);
            if (made.isNull() && style)
                made = style->QProxyStyle::standardIcon(icon, nullptr, nullptr);
            return made;
        });
    }

private:
    std::shared_future<QList<QImage>> m_pictures;
};

// A shown hint stays up for a minute.
class HintDisplayTime final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->toolTip().isEmpty())
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), widget->toolTip(), widget, {}, kHintDisplayTime);
        return true;
    }
};

} // namespace

QFont lookFont(int pixels, bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    // The usual stand-ins have wider letters than Tahoma; their condensed face, where
    // there is one, keeps the captions inside the sizes the windows are laid out for.
    // Asked once: each question runs the font system's whole substitution.
    static const bool hasTahoma = QFontDatabase::hasFamily(font.family());
    if (!hasTahoma)
        font.setStretch(QFont::SemiCondensed);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

std::shared_future<QList<QImage>> readPicturesAhead(QStringList paths) {
    return std::async(std::launch::async,
                      [paths = std::move(paths)] { return readPictures(paths); })
        .share();
}

QIcon iconOfPictures(const QList<QImage>& pictures) {
    QIcon icon;
    for (const QImage& picture : pictures)
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    return icon;
}

QIcon deferredIcon(std::function<QIcon()> load) {
    return QIcon(new DeferredIconEngine(std::move(load)));
}

QStyle* lookStyle(const QString& baseStyle) {
    return new LookStyle(baseStyle);
}

void applyApplicationLook(QApplication& app) {
    app.setStyle(lookStyle(QApplication::style()->name()));
    app.installEventFilter(new HintDisplayTime(&app));
    QApplication::setFont(lookFont(11));
}

void applyLook(QWidget* window) {
    QPalette p = window->palette();
    p.setColor(QPalette::Window, kBackground);
    p.setColor(QPalette::Base, kSilver);
    p.setColor(QPalette::Button, kBackground);
    window->setPalette(p);
    window->setAutoFillBackground(true);
    window->setFont(lookFont(11));
}

void fixClientSize(QWidget* window, QSize size) {
    window->setFixedSize(size.expandedTo(window->minimumSizeHint()));
}

void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace zantor
