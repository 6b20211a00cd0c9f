#include "signin/ayardosyasi.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString write(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("ayar.ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
    return path;
}
QByteArray utf16le(const QString& s, bool bom = true)
{
    QByteArray out = bom ? QByteArray("\xFF\xFE", 2) : QByteArray();
    for (QChar c : s) {
        out += char(c.unicode() & 0xFF);
        out += char(c.unicode() >> 8);
    }
    return out;
}
} // namespace

class TestAyarDosyasi : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
private Q_SLOTS:
    void readsEveryEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("[kullanici]\r\nisim=ŞÜKRÜ ĞÖÇ\r\nsifre=İŞ1\r\nhatırla=0\r\n");
        QTest::newRow("utf-16 le") << utf16le(text);
        QByteArray be("\xFE\xFF", 2);
        for (QChar c : text) {
            be += char(c.unicode() >> 8);
            be += char(c.unicode() & 0xFF);
        }
        QTest::newRow("utf-16 be") << be;
        QTest::newRow("code page 1254") << TAyarDosyasi::Cp1254(text);
        QTest::newRow("utf-8") << text.toUtf8();
        QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    }
    void readsEveryEncoding()
    {
        QFETCH(QByteArray, bytes);
        TAyarDosyasi ini(write(dir, bytes));
        QCOMPARE(ini.ReadString("kullanici", "isim", ""), QStringLiteral("ŞÜKRÜ ĞÖÇ"));
        QCOMPARE(ini.ReadString("KULLANICI", "sifre", ""), QStringLiteral("İŞ1"));
        QCOMPARE(ini.ReadBool("kullanici", QStringLiteral("hatırla"), true), false);
    }

    void cp1254TurkishLetters()
    {
        QCOMPARE(TAyarDosyasi::Cp1254(QStringLiteral("ĞİŞğış")), QByteArray("\xD0\xDD\xDE\xF0\xFD\xFE"));
        QCOMPARE(TAyarDosyasi::Coz(QByteArray("\xD0\xDD\xDE\xF0\xFD\xFE\x80")),
                 QStringLiteral("ĞİŞğış€"));
    }

    void defaultsAndOddLines()
    {
        TAyarDosyasi ini(write(dir, "; yorum\r\n[kullanici]\r\nisim = \"AHMET\" \r\nhatırla=evet\r\nbozuk satir\r\nisim=IKINCI\r\n"));
        QCOMPARE(ini.ReadString("kullanici", "isim", "x"), QStringLiteral("AHMET"));
        QCOMPARE(ini.ReadString("kullanici", "sifre", "yok"), QStringLiteral("yok"));
        QCOMPARE(ini.ReadBool("kullanici", QStringLiteral("hatırla"), true), true);
        QCOMPARE(ini.ReadBool("baska", "x", false), false);
        TAyarDosyasi missing(dir.filePath(QStringLiteral("yok.ini")));
        QVERIFY(!missing.Varmi());
        QCOMPARE(missing.ReadBool("kullanici", QStringLiteral("hatırla"), true), true);
    }

    void writesUtf16OwnerOnlyAndKeepsOtherEntries()
    {
        const QString path = write(dir, "[diger]\r\na=1\r\n[kullanici]\r\nisim=ESKI\r\n");
        {
            TAyarDosyasi ini(path);
            ini.WriteString("kullanici", "isim", QStringLiteral("ÇAĞRI"));
            ini.WriteString("kullanici", "sifre", QStringLiteral("Ş1\nX"));
            ini.WriteBool("kullanici", QStringLiteral("hatırla"), true);
            QVERIFY(ini.Kaydet());
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("\xFF\xFE"));
        QVERIFY(bytes.contains(utf16le(QStringLiteral("hatırla=1\r\n"), false)));
        TAyarDosyasi again(path);
        QCOMPARE(again.ReadString("diger", "a", ""), QStringLiteral("1"));
        QCOMPARE(again.ReadString("kullanici", "isim", ""), QStringLiteral("ÇAĞRI"));
        QCOMPARE(again.ReadString("kullanici", "sifre", ""), QStringLiteral("Ş1 X"));
        QCOMPARE(again.ReadBool("kullanici", QStringLiteral("hatırla"), false), true);

        const QString fresh = dir.filePath(QStringLiteral("yeni.ini"));
        TAyarDosyasi created(fresh);
        created.WriteString("kullanici", "sifre", "1234");
        QVERIFY(created.Kaydet());
#ifndef Q_OS_WIN
        QCOMPARE(QFile::permissions(fresh) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup |
                                               QFile::WriteOther),
                 QFile::Permissions());
#endif
    }
};

QTEST_GUILESS_MAIN(TestAyarDosyasi)
#include "test_ayardosyasi.moc"
