#pragma once
// Pictures and documents of the demo store, drawn in code: JPEG item and
// announcement pictures, animated GIF and BMP banners, PDF documents.
// The same inputs always give the same bytes. Needs a QGuiApplication.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace pelsrv {

// A picture of an item: name, brand and code on a coloured card.
QByteArray parcaResmi(const QString& adi, const QString& marka, const QString& kod, int tohum);

// A wide picture with a title and a subtitle, as JPEG.
QByteArray afisResmi(const QString& baslik, const QString& altBaslik, QColor renk, int en, int boy);

// A banner frame (used for the GIF and BMP banners).
QImage bantKaresi(const QString& metin, QColor zemin, QColor yazi, int en, int boy, int kayma);

// GIF89a, looping, `gecikme` hundredths of a second per frame.
QByteArray gifYaz(const QList<QImage>& kareler, int gecikme);

// Windows bitmap of the picture.
QByteArray bmpYaz(const QImage& resim);

// A one-page (or more) PDF with a title, a subtitle and table rows.
QByteArray pdfYaz(const QString& baslik, const QString& altBaslik, const QStringList& basliklar,
                  const QList<QStringList>& satirlar, const QStringList& sonSatirlar = {});

} // namespace pelsrv

namespace pelsrv {
// A minimal runnable Windows program (32-bit, no window) that ends at once
// with exit code 0: the demo's setup program of the published version.
QByteArray kurulumProgrami(int surum);
} // namespace pelsrv
