#pragma once
// INI files as the Windows profile API reads and writes them: sections of
// key=value lines. Reads UTF-16 (with byte-order mark), UTF-8 and the
// Turkish ANSI code page 1254; writes UTF-16LE with a byte-order mark and
// CRLF line ends, which Windows reads as Unicode. On POSIX systems the file
// is created readable by its owner only.

#include <QList>
#include <QString>

class TAyarDosyasi {
public:
    explicit TAyarDosyasi(QString yol);

    const QString& Yol() const { return m_yol; }
    bool Varmi() const;

    QString ReadString(const QString& bolum, const QString& anahtar, const QString& varsayilan) const;
    // "0" is false, any other number true; a missing or non-numeric value gives the default.
    bool ReadBool(const QString& bolum, const QString& anahtar, bool varsayilan) const;

    void WriteString(const QString& bolum, const QString& anahtar, const QString& deger);
    void WriteBool(const QString& bolum, const QString& anahtar, bool deger);

    // Writes the file; false when it cannot be written.
    bool Kaydet();

    // Text of the file's bytes, by byte-order mark, UTF-8 or code page 1254.
    static QString Coz(const QByteArray& bytes);
    static QByteArray Cp1254(const QString& metin);

private:
    struct Satir {
        QString anahtar, deger;
    };
    struct Bolum {
        QString ad;
        QList<Satir> satirlar;
    };
    void yukle();
    const Satir* bul(const QString& bolum, const QString& anahtar) const;

    QString m_yol;
    QList<Bolum> m_bolumler;
};
