#pragma once
// Desktop widget stand-ins used by the screens: amount box, whole-number
// spin box, animated GIF picture, zoomable picture viewer, busy indicator,
// picture box, split button and the save-file dialog.

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QSpinBox>
#include <QToolButton>
#include <QWidget>

class QBuffer;
class QMenu;
class QMovie;
class QScrollArea;
class QSlider;
class QTimer;

namespace pel {

// An amount held with two decimals and always shown with its display
// pattern ("#,###,##0.00" unless set), also while it is edited. Typed text
// is read on Enter or when the box loses the focus; text that holds no
// number brings the previous value back.
class AmountBox : public QLineEdit {
    Q_OBJECT
public:
    explicit AmountBox(QWidget* parent = nullptr);

    double value() const { return m_value; }
    void setValue(double v);
    void setDisplayPattern(const QString& pattern); // e.g. ",0.00 TL;-,0.00 TL"
    QString displayPattern() const { return m_pattern; }
    // Values outside the range are read as the nearer bound.
    void setRange(double minimum, double maximum);
    void setNumberLocale(const QLocale& l);
    // Reads the typed text now (as on Enter).
    void commit();

Q_SIGNALS:
    void valueChanged(double value);

protected:
    void focusOutEvent(QFocusEvent* e) override;

private:
    void show_();
    double m_value = 0.0;
    QString m_pattern;
    double m_min = -1e15;
    double m_max = 1e15;
    QLocale m_locale;
};

// Whole-number spin box with a minimum and a maximum.
class IntSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit IntSpinBox(QWidget* parent = nullptr) : QSpinBox(parent) {}
    IntSpinBox(int minimum, int maximum, int value, QWidget* parent = nullptr)
        : QSpinBox(parent)
    {
        setRange(minimum, maximum);
        setValue(value);
    }
};

// Animated GIF (or any still picture) from bytes; stretched or centred;
// optionally the height follows the picture.
class GifPicture : public QLabel {
    Q_OBJECT
public:
    explicit GifPicture(QWidget* parent = nullptr);
    ~GifPicture() override;

    bool setPictureData(const QByteArray& bytes); // false when not a picture
    void clearPicture();
    bool hasPicture() const { return !m_size.isEmpty(); }
    QSize pictureSize() const { return m_size; }
    bool isAnimated() const;
    int frameCount() const;
    void setStretch(bool on);
    bool stretch() const { return m_stretch; }
    void setAutoHeight(bool on);
    void start();
    void stop();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void fitHeight();
    QMovie* m_movie = nullptr;
    QBuffer* m_buffer = nullptr;
    QSize m_size;
    bool m_stretch = false;
    bool m_autoHeight = false;
    bool m_fitting = false;
};

// Picture viewer with a zoom slider (10 % to 400 %); clicking the picture
// emits clicked().
class ZoomPictureViewer : public QWidget {
    Q_OBJECT
public:
    explicit ZoomPictureViewer(QWidget* parent = nullptr);

    void setPicture(const QImage& image);
    bool setPictureData(const QByteArray& bytes);
    QImage picture() const { return m_image; }
    void setZoom(int percent);
    int zoom() const;
    QSize shownSize() const;
    QSlider* slider() const { return m_slider; }
    QLabel* pictureLabel() const { return m_label; }

Q_SIGNALS:
    void clicked();
    void zoomChanged(int percent);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void refresh();
    QImage m_image;
    QScrollArea* m_area;
    QLabel* m_label;
    QSlider* m_slider;
};

// Spinning busy indicator; it turns while it is shown.
class BusyIndicator : public QWidget {
    Q_OBJECT
public:
    explicit BusyIndicator(QWidget* parent = nullptr);
    bool isSpinning() const;
    int step() const { return m_step; }
    QSize sizeHint() const override { return {32, 32}; }

protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    QTimer* m_timer;
    int m_step = 0;
};

// A picture drawn centred and, when larger than the box, scaled down keeping its proportions.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    void setPicture(const QImage& image);
    bool setPictureData(const QByteArray& bytes);
    QImage picture() const { return m_image; }
    QRect pictureRect() const; // where the picture is drawn

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage m_image;
};

// A button with a drop-down menu beside it.
class SplitButton : public QToolButton {
    Q_OBJECT
public:
    explicit SplitButton(const QString& text = {}, QWidget* parent = nullptr);
    QMenu* dropDownMenu() const { return m_menu; }
    QAction* addMenuItem(const QString& text);

private:
    QMenu* m_menu;
};

// Save-file dialog run through the modal seam. `filter` uses the
// "Description|mask|Description|mask" form ("Excel|*.xls*"). Returns the
// chosen path or an empty string; a missing extension becomes `defaultSuffix`.
QString askSaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                        const QString& defaultSuffix = {});
// "Excel|*.xls*" -> "Excel (*.xls*)"
QString qtFileFilter(const QString& filter);

} // namespace pel
