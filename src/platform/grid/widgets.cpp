#include "platform/grid/widgets.h"

#include "platform/numberformat.h"
#include "platform/seams.h"

#include <QBuffer>
#include <QEvent>
#include <QFileDialog>
#include <QImageReader>
#include <QMenu>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QScrollArea>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace pel {

// ---------------------------------------------------------------- AmountBox

AmountBox::AmountBox(QWidget* parent) : QLineEdit(parent), m_pattern(QStringLiteral("#,###,##0.00"))
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::editingFinished, this, &AmountBox::commit);
    show_();
}

void AmountBox::setValue(double v)
{
    if (!std::isfinite(v))
        v = 0.0;
    v = roundHalfAway(std::clamp(v, m_min, m_max), 2);
    const bool changed = v != m_value;
    m_value = v;
    show_();
    if (changed)
        Q_EMIT valueChanged(m_value);
}

void AmountBox::setDisplayPattern(const QString& pattern)
{
    m_pattern = pattern.isEmpty() ? QStringLiteral("#,###,##0.00") : pattern;
    show_();
}

void AmountBox::setRange(double minimum, double maximum)
{
    m_min = std::min(minimum, maximum);
    m_max = std::max(minimum, maximum);
    setValue(m_value);
}

void AmountBox::setNumberLocale(const QLocale& l)
{
    m_locale = l;
    show_();
}

void AmountBox::show_()
{
    const QString t = formatFloat(m_value, m_pattern, m_locale);
    if (text() != t)
        setText(t);
}

void AmountBox::commit()
{
    if (isReadOnly()) {
        show_();
        return;
    }
    if (text().trimmed().isEmpty()) {
        setValue(0.0);
        show_();
        return;
    }
    const QString dec = m_locale.decimalPoint();
    QString digits;
    bool negative = false, any = false;
    for (QChar ch : text()) {
        if (ch.isDigit()) {
            digits += QChar(u'0' + ch.digitValue());
            any = true;
        } else if (QString(ch) == dec) {
            if (!digits.contains(QLatin1Char('.')))
                digits += QLatin1Char('.');
        } else if (ch == u'-' || ch == u'(') {
            negative = true;
        }
    }
    bool ok = false;
    const double v = any ? digits.toDouble(&ok) : 0.0;
    if (!ok) {
        show_();
        return;
    }
    setValue(negative ? -v : v);
    show_();
}

void AmountBox::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    commit();
}

// --------------------------------------------------------------- GifPicture

GifPicture::GifPicture(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

GifPicture::~GifPicture()
{
    clearPicture();
}

void GifPicture::clearPicture()
{
    if (m_movie) {
        m_movie->stop();
        setMovie(nullptr);
        delete m_movie;
        m_movie = nullptr;
    }
    delete m_buffer;
    m_buffer = nullptr;
    clear();
    m_size = {};
}

bool GifPicture::setPictureData(const QByteArray& bytes)
{
    clearPicture();
    if (bytes.isEmpty())
        return false;
    m_buffer = new QBuffer;
    m_buffer->setData(bytes);
    m_buffer->open(QIODevice::ReadOnly);
    auto* movie = new QMovie(m_buffer, QByteArray(), this);
    if (movie->isValid() && movie->jumpToFrame(0) && !movie->currentImage().isNull()) {
        m_movie = movie;
        m_size = movie->currentImage().size();
        setMovie(m_movie);
        m_movie->start();
    } else {
        delete movie;
        delete m_buffer;
        m_buffer = nullptr;
        QImage img;
        if (!img.loadFromData(bytes))
            return false;
        m_size = img.size();
        setPixmap(QPixmap::fromImage(img));
    }
    setScaledContents(m_stretch);
    fitHeight();
    return true;
}

bool GifPicture::isAnimated() const
{
    return m_movie && m_movie->state() == QMovie::Running && m_movie->frameCount() != 1;
}

int GifPicture::frameCount() const
{
    return m_movie ? m_movie->frameCount() : (hasPicture() ? 1 : 0);
}

void GifPicture::setStretch(bool on)
{
    m_stretch = on;
    setScaledContents(on);
    fitHeight();
}

void GifPicture::setAutoHeight(bool on)
{
    m_autoHeight = on;
    fitHeight();
}

void GifPicture::start()
{
    if (m_movie)
        m_movie->start();
}

void GifPicture::stop()
{
    if (m_movie)
        m_movie->setPaused(true);
}

void GifPicture::fitHeight()
{
    if (!m_autoHeight || m_size.isEmpty() || m_fitting)
        return;
    m_fitting = true;
    const int h = m_stretch ? int(std::lround(double(width()) * m_size.height() / m_size.width()))
                            : m_size.height();
    setFixedHeight(std::max(1, h));
    m_fitting = false;
}

void GifPicture::resizeEvent(QResizeEvent* e)
{
    QLabel::resizeEvent(e);
    fitHeight();
}

// -------------------------------------------------------- ZoomPictureViewer

ZoomPictureViewer::ZoomPictureViewer(QWidget* parent)
    : QWidget(parent), m_area(new QScrollArea(this)), m_label(new QLabel), m_slider(new QSlider(Qt::Horizontal, this))
{
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->installEventFilter(this);
    m_area->setWidget(m_label);
    m_area->setAlignment(Qt::AlignCenter);
    m_area->setWidgetResizable(false);
    m_slider->setRange(10, 400);
    m_slider->setValue(100);
    m_slider->setObjectName(QStringLiteral("zoomSlider"));
    lay->addWidget(m_area, 1);
    lay->addWidget(m_slider);
    connect(m_slider, &QSlider::valueChanged, this, [this](int v) {
        refresh();
        Q_EMIT zoomChanged(v);
    });
}

void ZoomPictureViewer::setPicture(const QImage& image)
{
    m_image = image;
    refresh();
}

bool ZoomPictureViewer::setPictureData(const QByteArray& bytes)
{
    QImage img;
    if (!img.loadFromData(bytes)) {
        setPicture({});
        return false;
    }
    setPicture(img);
    return true;
}

void ZoomPictureViewer::setZoom(int percent)
{
    m_slider->setValue(std::clamp(percent, m_slider->minimum(), m_slider->maximum()));
}

int ZoomPictureViewer::zoom() const
{
    return m_slider->value();
}

QSize ZoomPictureViewer::shownSize() const
{
    return m_image.isNull() ? QSize() : m_image.size() * (zoom() / 100.0);
}

void ZoomPictureViewer::refresh()
{
    if (m_image.isNull()) {
        m_label->clear();
        m_label->resize(1, 1);
        return;
    }
    const QSize s = shownSize().expandedTo(QSize(1, 1));
    m_label->setPixmap(QPixmap::fromImage(
        m_image.scaled(s, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    m_label->resize(s);
}

bool ZoomPictureViewer::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_label && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
        Q_EMIT clicked();
    return QWidget::eventFilter(o, e);
}

// ------------------------------------------------------------ BusyIndicator

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent), m_timer(new QTimer(this))
{
    m_timer->setInterval(80);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % 12;
        update();
    });
}

bool BusyIndicator::isSpinning() const
{
    return m_timer->isActive();
}

void BusyIndicator::showEvent(QShowEvent*)
{
    m_timer->start();
}

void BusyIndicator::hideEvent(QHideEvent*)
{
    m_timer->stop();
}

void BusyIndicator::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height());
    p.translate(width() / 2.0, height() / 2.0);
    p.scale(side / 32.0, side / 32.0);
    for (int i = 0; i < 12; ++i) {
        QColor c(0, 52, 120);
        c.setAlphaF(0.15 + 0.85 * (((i - m_step + 12) % 12) / 11.0));
        p.setPen(QPen(c, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(0, 7, 0, 13);
        p.rotate(30);
    }
}

// --------------------------------------------------------------- PictureBox

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QImage& image)
{
    m_image = image;
    update();
}

bool PictureBox::setPictureData(const QByteArray& bytes)
{
    QImage img;
    const bool ok = img.loadFromData(bytes);
    setPicture(ok ? img : QImage());
    return ok;
}

QRect PictureBox::pictureRect() const
{
    if (m_image.isNull())
        return {};
    QSize s = m_image.size();
    if (s.width() > width() || s.height() > height())
        s.scale(size(), Qt::KeepAspectRatio);
    QRect r(QPoint(), s);
    r.moveCenter(rect().center());
    return r;
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (m_image.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(pictureRect(), m_image);
}

// -------------------------------------------------------------- SplitButton

SplitButton::SplitButton(const QString& text, QWidget* parent)
    : QToolButton(parent), m_menu(new QMenu(this))
{
    setText(text);
    setPopupMode(QToolButton::MenuButtonPopup);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setMenu(m_menu);
}

QAction* SplitButton::addMenuItem(const QString& text)
{
    return m_menu->addAction(text);
}

// ---------------------------------------------------------- save-file dialog

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString masks = parts[i + 1];
        masks.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << QStringLiteral("%1 (%2)").arg(parts[i], masks.simplified());
    }
    if (out.isEmpty() && !filter.isEmpty())
        out << filter;
    return out.join(QStringLiteral(";;"));
}

QString askSaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                        const QString& defaultSuffix)
{
    QFileDialog dlg(parent, caption);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!filter.isEmpty())
        dlg.setNameFilter(qtFileFilter(filter));
    if (!defaultSuffix.isEmpty())
        dlg.setDefaultSuffix(defaultSuffix);
    if (execModal(dlg) != QDialog::Accepted)
        return {};
    return dlg.selectedFiles().value(0);
}

} // namespace pel
