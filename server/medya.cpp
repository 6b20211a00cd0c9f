#include "medya.h"

#include <QBuffer>
#include <QFont>
#include <QLinearGradient>
#include <QMutex>
#include <QPainter>
#include <QPdfWriter>
#include <QPageSize>

#include <unordered_map>

namespace pelsrv {

namespace {

QMutex g_cizim; // font and PDF machinery serialised across request threads

QColor tohumRengi(int tohum)
{
    static const QColor renkler[] = {{0, 52, 120},  {150, 20, 30},  {20, 110, 60},
                                     {190, 90, 0},  {70, 70, 90},   {0, 110, 140},
                                     {110, 40, 120}, {140, 120, 0}};
    return renkler[unsigned(tohum) % std::size(renkler)];
}

QByteArray jpeg(const QImage& img, int kalite)
{
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPEG", kalite);
    return b;
}

// GIF's variable-length LZW with sub-blocks of up to 255 bytes.
class LzwYazici {
public:
    explicit LzwYazici(QByteArray& cikti) : m_out(cikti) {}

    void kodla(const uchar* veri, qsizetype n)
    {
        const int minKod = 8;
        const int temizle = 1 << minKod;
        const int bitis = temizle + 1;
        m_out.append(char(minKod));
        std::unordered_map<quint32, int> sozluk;
        sozluk.reserve(8192);
        int sonraki = bitis + 1;
        m_gen = minKod + 1;
        yaz(temizle);
        if (n == 0) {
            yaz(bitis);
            bitir();
            return;
        }
        int onek = veri[0];
        for (qsizetype i = 1; i < n; ++i) {
            const int c = veri[i];
            const quint32 anahtar = (quint32(onek) << 8) | quint32(c);
            auto it = sozluk.find(anahtar);
            if (it != sozluk.end()) {
                onek = it->second;
                continue;
            }
            yaz(onek);
            if (sonraki < 4096) {
                sozluk.emplace(anahtar, sonraki++);
                if (sonraki > (1 << m_gen) && m_gen < 12)
                    ++m_gen;
            } else {
                yaz(temizle);
                sozluk.clear();
                sonraki = bitis + 1;
                m_gen = minKod + 1;
            }
            onek = c;
        }
        yaz(onek);
        yaz(bitis);
        bitir();
    }

private:
    void yaz(int kod)
    {
        m_bitler |= quint32(kod) << m_bitSayisi;
        m_bitSayisi += m_gen;
        while (m_bitSayisi >= 8) {
            bayt(char(m_bitler & 0xff));
            m_bitler >>= 8;
            m_bitSayisi -= 8;
        }
    }
    void bayt(char b)
    {
        m_blok.append(b);
        if (m_blok.size() == 255)
            blokYaz();
    }
    void blokYaz()
    {
        if (m_blok.isEmpty())
            return;
        m_out.append(char(m_blok.size()));
        m_out.append(m_blok);
        m_blok.clear();
    }
    void bitir()
    {
        if (m_bitSayisi > 0)
            bayt(char(m_bitler & 0xff));
        m_bitler = 0;
        m_bitSayisi = 0;
        blokYaz();
        m_out.append(char(0));
    }

    QByteArray& m_out;
    QByteArray m_blok;
    quint32 m_bitler = 0;
    int m_bitSayisi = 0;
    int m_gen = 9;
};

void le16(QByteArray& b, int v)
{
    b.append(char(v & 0xff));
    b.append(char((v >> 8) & 0xff));
}

} // namespace

QByteArray parcaResmi(const QString& adi, const QString& marka, const QString& kod, int tohum)
{
    QMutexLocker kilit(&g_cizim);
    const int en = 320, boy = 240;
    QImage img(en, boy, QImage::Format_RGB32);
    const QColor ana = tohumRengi(tohum);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, boy);
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(225, 230, 238));
    p.fillRect(img.rect(), g);
    // A stylised part: a disc with holes or a box, by the seed.
    p.setPen(QPen(ana.darker(140), 3));
    p.setBrush(ana.lighter(150));
    const QPointF m(en / 2.0, 105);
    if (tohum % 3 == 0) {
        p.drawEllipse(m, 70, 70);
        p.setBrush(Qt::white);
        p.drawEllipse(m, 22, 22);
        for (int i = 0; i < 5; ++i) {
            const double a = i * 2 * 3.14159265358979 / 5 + tohum;
            p.drawEllipse(QPointF(m.x() + 45 * std::cos(a), m.y() + 45 * std::sin(a)), 7, 7);
        }
    } else if (tohum % 3 == 1) {
        p.drawRoundedRect(QRectF(m.x() - 90, m.y() - 50, 180, 100), 12, 12);
        p.setBrush(ana.darker(120));
        p.drawRect(QRectF(m.x() - 70, m.y() - 30, 140, 20));
    } else {
        p.drawRoundedRect(QRectF(m.x() - 35, m.y() - 75, 70, 150), 30, 30);
        p.setBrush(Qt::white);
        for (int i = 0; i < 4; ++i)
            p.drawRect(QRectF(m.x() - 25, m.y() - 60 + i * 32, 50, 14));
    }
    p.fillRect(QRect(0, boy - 56, en, 56), ana);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(17);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(8, boy - 54, en - 16, 26), Qt::AlignLeft | Qt::AlignVCenter, adi);
    f.setPixelSize(13);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(8, boy - 28, en - 16, 24), Qt::AlignLeft | Qt::AlignVCenter,
               marka + QStringLiteral("  •  ") + kod);
    p.end();
    return jpeg(img, 80);
}

QByteArray afisResmi(const QString& baslik, const QString& altBaslik, QColor renk, int en, int boy)
{
    QMutexLocker kilit(&g_cizim);
    QImage img(en, boy, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, en, boy);
    g.setColorAt(0, renk);
    g.setColorAt(1, renk.darker(180));
    p.fillRect(img.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 60), 18));
    for (int x = -boy; x < en; x += 90)
        p.drawLine(x, boy, x + boy, 0);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(std::max(18, boy / 7));
    p.setFont(f);
    p.drawText(QRect(20, 0, en - 40, boy * 2 / 3), Qt::AlignCenter | Qt::TextWordWrap, baslik);
    f.setBold(false);
    f.setPixelSize(std::max(14, boy / 14));
    p.setFont(f);
    p.drawText(QRect(20, boy * 2 / 3 - 10, en - 40, boy / 3), Qt::AlignCenter | Qt::TextWordWrap,
               altBaslik);
    p.end();
    return jpeg(img, 85);
}

QImage bantKaresi(const QString& metin, QColor zemin, QColor yazi, int en, int boy, int kayma)
{
    QMutexLocker kilit(&g_cizim);
    QImage img(en, boy, QImage::Format_RGB32);
    img.fill(zemin);
    QPainter p(&img);
    p.setPen(QPen(zemin.lighter(130), 6));
    for (int x = -boy + kayma % 40; x < en; x += 40)
        p.drawLine(x, boy, x + boy, 0);
    p.setPen(yazi);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(std::max(12, boy / 2));
    p.setFont(f);
    p.drawText(img.rect().adjusted(10, 0, -10, 0), Qt::AlignCenter, metin);
    p.end();
    return img;
}

QByteArray gifYaz(const QList<QImage>& kareler, int gecikme)
{
    if (kareler.isEmpty())
        return {};
    const int en = kareler.first().width();
    const int boy = kareler.first().height();
    // One shared palette: 6x6x6 colour cube plus greys.
    QList<QRgb> palet;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palet << qRgb(r * 51, g * 51, b * 51);
    while (palet.size() < 256) {
        const int v = (palet.size() - 216) * 255 / 39;
        palet << qRgb(v, v, v);
    }
    QByteArray b("GIF89a");
    le16(b, en);
    le16(b, boy);
    b.append(char(0xF7)); // global colour table of 256 entries
    b.append(char(0));
    b.append(char(0));
    for (QRgb c : palet) {
        b.append(char(qRed(c)));
        b.append(char(qGreen(c)));
        b.append(char(qBlue(c)));
    }
    if (kareler.size() > 1) {
        b.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
        le16(b, 0);
        b.append(char(0));
    }
    for (const QImage& kare : kareler) {
        const QImage k = kare.scaled(en, boy).convertToFormat(QImage::Format_Indexed8, palet,
                                                              Qt::ThresholdDither);
        b.append("\x21\xF9\x04\x04", 4);
        le16(b, gecikme);
        b.append(char(0));
        b.append(char(0));
        b.append(char(0x2C));
        le16(b, 0);
        le16(b, 0);
        le16(b, en);
        le16(b, boy);
        b.append(char(0));
        QByteArray pikseller;
        pikseller.reserve(qsizetype(en) * boy);
        for (int y = 0; y < boy; ++y)
            pikseller.append(reinterpret_cast<const char*>(k.constScanLine(y)), en);
        LzwYazici(b).kodla(reinterpret_cast<const uchar*>(pikseller.constData()), pikseller.size());
    }
    b.append(char(0x3B));
    return b;
}

QByteArray bmpYaz(const QImage& resim)
{
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    resim.convertToFormat(QImage::Format_RGB888).save(&buf, "BMP");
    return b;
}

QByteArray pdfYaz(const QString& baslik, const QString& altBaslik, const QStringList& basliklar,
                  const QList<QStringList>& satirlar, const QStringList& sonSatirlar)
{
    QMutexLocker kilit(&g_cizim);
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    {
        QPdfWriter w(&buf);
        w.setPageSize(QPageSize(QPageSize::A4));
        w.setResolution(96);
        w.setTitle(baslik);
        w.setCreator(QStringLiteral("Pelmora Otomotiv"));
        w.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        QPainter p(&w);
        const QRect alan(0, 0, w.width(), w.height());
        QFont f(QStringLiteral("DejaVu Sans"));
        const int sutun = std::max<int>(1, int(basliklar.size()));
        const int sutunEn = alan.width() / sutun;
        int y = 0;
        auto sayfaBasi = [&] {
            f.setPixelSize(20);
            f.setBold(true);
            p.setFont(f);
            p.setPen(QColor(0, 52, 120));
            p.drawText(QRect(0, 0, alan.width(), 30), Qt::AlignLeft | Qt::AlignVCenter,
                       QStringLiteral("PELMORA OTOMOTİV"));
            p.drawText(QRect(0, 30, alan.width(), 30), Qt::AlignLeft | Qt::AlignVCenter, baslik);
            f.setPixelSize(12);
            f.setBold(false);
            p.setFont(f);
            p.setPen(Qt::black);
            p.drawText(QRect(0, 62, alan.width(), 20), Qt::AlignLeft | Qt::AlignVCenter, altBaslik);
            y = 92;
            f.setBold(true);
            p.setFont(f);
            p.fillRect(QRect(0, y, alan.width(), 20), QColor(0, 52, 120));
            p.setPen(Qt::white);
            for (int i = 0; i < basliklar.size(); ++i)
                p.drawText(QRect(i * sutunEn + 3, y, sutunEn - 6, 20), Qt::AlignLeft | Qt::AlignVCenter,
                           basliklar[i]);
            y += 22;
            f.setBold(false);
            p.setFont(f);
            p.setPen(Qt::black);
        };
        sayfaBasi();
        for (int r = 0; r < satirlar.size(); ++r) {
            if (y + 20 > alan.height() - 40) {
                w.newPage();
                sayfaBasi();
            }
            if (r % 2)
                p.fillRect(QRect(0, y, alan.width(), 18), QColor(239, 239, 239));
            const QStringList& s = satirlar[r];
            for (int i = 0; i < s.size() && i < sutun; ++i)
                p.drawText(QRect(i * sutunEn + 3, y, sutunEn - 6, 18),
                           Qt::AlignLeft | Qt::AlignVCenter, s[i]);
            y += 18;
        }
        y += 10;
        f.setBold(true);
        p.setFont(f);
        for (const QString& s : sonSatirlar) {
            if (y + 20 > alan.height()) {
                w.newPage();
                y = 0;
            }
            p.drawText(QRect(0, y, alan.width(), 18), Qt::AlignLeft | Qt::AlignVCenter, s);
            y += 20;
        }
        p.end();
    }
    return b;
}

} // namespace pelsrv

namespace pelsrv {

QByteArray kurulumProgrami(int surum)
{
    QByteArray b(0x400, '\0');
    auto u16 = [&](int at, quint16 v) {
        b[at] = char(v & 0xff);
        b[at + 1] = char(v >> 8);
    };
    auto u32 = [&](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char((v >> (8 * i)) & 0xff);
    };
    // DOS header.
    b[0] = 'M';
    b[1] = 'Z';
    u32(0x3C, 0x40);
    // PE signature and file header.
    b.replace(0x40, 4, QByteArray("PE\0\0", 4));
    u16(0x44, 0x014C);  // i386
    u16(0x46, 1);       // sections
    u32(0x48, 0);       // time stamp
    u16(0x54, 0xE0);    // optional header size
    u16(0x56, 0x0103);  // relocs stripped, executable, 32-bit
    // Optional header (PE32).
    const int o = 0x58;
    u16(o + 0, 0x10B);
    u32(o + 4, 0x200);      // size of code
    u32(o + 16, 0x1000);    // entry point
    u32(o + 20, 0x1000);    // base of code
    u32(o + 24, 0x1000);    // base of data
    u32(o + 28, 0x400000);  // image base
    u32(o + 32, 0x1000);    // section alignment
    u32(o + 36, 0x200);     // file alignment
    u16(o + 40, 5);         // OS version 5.1
    u16(o + 42, 1);
    u16(o + 44, quint16(surum)); // image version: the published version
    u16(o + 48, 5);         // subsystem version 5.1
    u16(o + 50, 1);
    u32(o + 56, 0x2000);    // size of image
    u32(o + 60, 0x200);     // size of headers
    u16(o + 68, 2);         // Windows GUI subsystem: no console window
    u16(o + 70, 0x8000);    // terminal server aware
    u32(o + 72, 0x100000);
    u32(o + 76, 0x1000);
    u32(o + 80, 0x100000);
    u32(o + 84, 0x1000);
    u32(o + 92, 16);        // data directories (all empty)
    // Section table: .text.
    const int s = o + 0xE0;
    b.replace(s, 8, QByteArray(".text\0\0\0", 8));
    u32(s + 8, 0x1000);
    u32(s + 12, 0x1000);
    u32(s + 16, 0x200);
    u32(s + 20, 0x200);
    u32(s + 36, 0x60000020);
    // Code: xor eax, eax; ret.
    b[0x200] = char(0x31);
    b[0x201] = char(0xC0);
    b[0x202] = char(0xC3);
    return b;
}

} // namespace pelsrv
