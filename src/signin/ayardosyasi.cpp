#include "ayardosyasi.h"

#include <QFile>
#include <QStringDecoder>

namespace {
// Code page 1254 bytes 0x80..0xFF; 0 marks an undefined byte.
constexpr char16_t kCp1254Ust[128] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0,      0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178, 0x00A0,
    0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x00AA, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x00AF, 0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6,
    0x00B7, 0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF, 0x00C0, 0x00C1,
    0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC,
    0x00CD, 0x00CE, 0x00CF, 0x011E, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x0130, 0x015E, 0x00DF, 0x00E0, 0x00E1, 0x00E2,
    0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7, 0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED,
    0x00EE, 0x00EF, 0x011F, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7, 0x00F8,
    0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x0131, 0x015F, 0x00FF,
};

bool esit(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
} // namespace

TAyarDosyasi::TAyarDosyasi(QString yol) : m_yol(std::move(yol))
{
    yukle();
}

bool TAyarDosyasi::Varmi() const
{
    return QFile::exists(m_yol);
}

QString TAyarDosyasi::Coz(const QByteArray& b)
{
    if (b.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(b.mid(2));
    if (b.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(b.mid(2));
    if (b.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(b.mid(3));
    // Without a mark: UTF-8 when the bytes are valid UTF-8, else code page 1254.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString metin = utf8.decode(b);
    if (!utf8.hasError())
        return metin;
    QString out;
    out.reserve(b.size());
    for (char c : b) {
        const auto u = static_cast<unsigned char>(c);
        out += u < 0x80 ? QChar(u) : QChar(kCp1254Ust[u - 0x80] ? kCp1254Ust[u - 0x80] : u'?');
    }
    return out;
}

QByteArray TAyarDosyasi::Cp1254(const QString& metin)
{
    QByteArray out;
    for (QChar c : metin) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            out += char(u);
            continue;
        }
        char b = '?';
        for (int i = 0; i < 128; ++i)
            if (kCp1254Ust[i] == u) {
                b = char(0x80 + i);
                break;
            }
        out += b;
    }
    return out;
}

void TAyarDosyasi::yukle()
{
    m_bolumler.clear();
    QFile f(m_yol);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QString metin = Coz(f.read(1 << 20));
    Bolum* gecerli = nullptr;
    for (QString satir : metin.split(u'\n')) {
        satir = satir.trimmed();
        if (satir.isEmpty() || satir.startsWith(u';'))
            continue;
        if (satir.startsWith(u'[')) {
            const qsizetype son = satir.indexOf(u']');
            const QString ad = satir.mid(1, son < 0 ? -1 : son - 1).trimmed();
            gecerli = nullptr;
            for (Bolum& b : m_bolumler)
                if (esit(b.ad, ad))
                    gecerli = &b;
            if (!gecerli) {
                m_bolumler.append({ad, {}});
                gecerli = &m_bolumler.last();
            }
            continue;
        }
        const qsizetype esittir = satir.indexOf(u'=');
        if (!gecerli || esittir < 0)
            continue;
        const QString anahtar = satir.left(esittir).trimmed();
        QString deger = satir.mid(esittir + 1).trimmed();
        if (deger.size() >= 2 && ((deger.startsWith(u'"') && deger.endsWith(u'"')) ||
                                  (deger.startsWith(u'\'') && deger.endsWith(u'\''))))
            deger = deger.mid(1, deger.size() - 2);
        bool vardi = false;
        for (const Satir& s : gecerli->satirlar)
            vardi = vardi || esit(s.anahtar, anahtar);
        if (!vardi) // the first occurrence wins, as on Windows
            gecerli->satirlar.append({anahtar, deger});
    }
}

const TAyarDosyasi::Satir* TAyarDosyasi::bul(const QString& bolum, const QString& anahtar) const
{
    for (const Bolum& b : m_bolumler) {
        if (!esit(b.ad, bolum))
            continue;
        for (const Satir& s : b.satirlar)
            if (esit(s.anahtar, anahtar))
                return &s;
    }
    return nullptr;
}

QString TAyarDosyasi::ReadString(const QString& bolum, const QString& anahtar,
                                 const QString& varsayilan) const
{
    const Satir* s = bul(bolum, anahtar);
    return s ? s->deger : varsayilan;
}

bool TAyarDosyasi::ReadBool(const QString& bolum, const QString& anahtar, bool varsayilan) const
{
    const Satir* s = bul(bolum, anahtar);
    if (!s)
        return varsayilan;
    bool ok = false;
    const qlonglong n = s->deger.toLongLong(&ok);
    return ok ? n != 0 : varsayilan;
}

void TAyarDosyasi::WriteString(const QString& bolum, const QString& anahtar, const QString& deger)
{
    // Line breaks would split the entry; the profile API cannot store them either.
    QString tek = deger;
    tek.replace(u'\r', u' ').replace(u'\n', u' ');
    for (Bolum& b : m_bolumler) {
        if (!esit(b.ad, bolum))
            continue;
        for (Satir& s : b.satirlar)
            if (esit(s.anahtar, anahtar)) {
                s.deger = tek;
                return;
            }
        b.satirlar.append({anahtar, tek});
        return;
    }
    m_bolumler.append({bolum, {{anahtar, tek}}});
}

void TAyarDosyasi::WriteBool(const QString& bolum, const QString& anahtar, bool deger)
{
    WriteString(bolum, anahtar, deger ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TAyarDosyasi::Kaydet()
{
    QString metin;
    for (const Bolum& b : m_bolumler) {
        metin += u'[' + b.ad + QStringLiteral("]\r\n");
        for (const Satir& s : b.satirlar)
            metin += s.anahtar + u'=' + s.deger + QStringLiteral("\r\n");
    }
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar c : metin) {
        const char16_t u = c.unicode();
        bytes += char(u & 0xFF);
        bytes += char(u >> 8);
    }
    QFile f(m_yol);
    const bool yeni = !f.exists();
    if (yeni) {
        // Owner-only from the first byte: the file holds a password.
        if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner))
            return false;
    } else if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const bool ok = f.write(bytes) == bytes.size();
    f.close();
#ifndef Q_OS_WIN
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
#endif
    return ok;
}
