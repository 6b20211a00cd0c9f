// The store and its demo data: schema version, same data for the same
// count, registration checks, and pictures and documents that open.

#include "sunucudestek.h"

#include "server/medya.h"
#include "server/ornekveri.h"
#include "server/turkce.h"

#include <QBuffer>
#include <QImageReader>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QString ozet(pelsrv::Magaza& m, const QString& sql)
{
    QSqlQuery q(m.db());
    if (!q.exec(sql))
        return QStringLiteral("hata");
    QStringList s;
    while (q.next()) {
        QStringList r;
        for (int i = 0; i < q.record().count(); ++i)
            r << q.value(i).toString();
        s << r.join(u'|');
    }
    return s.join(u'\n');
}

} // namespace

class TestVeri : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ayniAdetAyniVeri()
    {
        QTemporaryDir d;
        pelsrv::Magaza a(d.filePath(QStringLiteral("a.db")));
        pelsrv::Magaza b(d.filePath(QStringLiteral("b.db")));
        const QDate gun(2026, 6, 1);
        pelsrv::ornekVeriKur(a, 300, gun);
        pelsrv::ornekVeriKur(b, 300, gun);
        for (const char* sql : {"SELECT * FROM stoklar ORDER BY stokno", "SELECT * FROM cariler ORDER BY carino",
                                "SELECT * FROM siparissatirlari ORDER BY stokharno", "SELECT * FROM ekstre ORDER BY idno",
                                "SELECT bilgisayarid, adi, tip, carino, aktif FROM cihazlar ORDER BY bilgisayarid"})
            QCOMPARE(ozet(a, QString::fromLatin1(sql)), ozet(b, QString::fromLatin1(sql)));
        QCOMPARE(ozet(a, QStringLiteral("SELECT COUNT(*) FROM stoklar")), QStringLiteral("300"));
        // Rebuilding replaces, never adds.
        pelsrv::ornekVeriKur(a, 300, gun);
        QCOMPARE(ozet(a, QStringLiteral("SELECT COUNT(*) FROM stoklar")), QStringLiteral("300"));
        QCOMPARE(ozet(a, QStringLiteral("SELECT COUNT(*) FROM cihazlar")), QStringLiteral("6"));
    }

    void barkodlarGecerliEan13()
    {
        QTemporaryDir d;
        pelsrv::Magaza m(d.filePath(QStringLiteral("m.db")));
        pelsrv::ornekVeriKur(m, 200);
        QSqlQuery q(m.db());
        QVERIFY(q.exec(QStringLiteral("SELECT stokno, barkod FROM stoklar")));
        int n = 0;
        while (q.next()) {
            QCOMPARE(q.value(1).toString(), test::barkod(q.value(0).toInt()));
            ++n;
        }
        QCOMPARE(n, 200);
    }

    void semaSurumuKalicidirVeYeniSurumReddedilir()
    {
        QTemporaryDir d;
        const QString f = d.filePath(QStringLiteral("m.db"));
        {
            pelsrv::Magaza m(f);
            QCOMPARE(m.kayitliSemaSurumu(), pelsrv::Magaza::semaSurumu());
            m.yayinSurumuYaz(7);
        }
        {
            pelsrv::Magaza m(f);
            QCOMPARE(m.yayinSurumu(), 7);
            QSqlQuery q(m.db());
            QVERIFY(q.exec(QStringLiteral("PRAGMA user_version=%1").arg(pelsrv::Magaza::semaSurumu() + 1)));
        }
        QVERIFY_THROWS_EXCEPTION(pel::Error, pelsrv::Magaza m(f));
    }

    void cihazKaydiDenetlenir_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("tip");
        QTest::addColumn<QString>("cari");
        QTest::newRow("boş ID") << QString() << 0 << QStringLiteral("120.01.001");
        QTest::newRow("olmayan cari") << QStringLiteral("PC") << 0 << QStringLiteral("999.99.999");
        QTest::newRow("carisiz müşteri") << QStringLiteral("PC") << 3 << QString();
        QTest::newRow("geçersiz tip") << QStringLiteral("PC") << 9 << QStringLiteral("120.01.001");
    }
    void cihazKaydiDenetlenir()
    {
        QFETCH(QString, id);
        QFETCH(int, tip);
        QFETCH(QString, cari);
        QTemporaryDir d;
        pelsrv::Magaza m(d.filePath(QStringLiteral("m.db")));
        pelsrv::ornekVeriKur(m, 50);
        pelsrv::CihazKaydi k;
        k.bilgisayarId = id;
        k.kullanici = QStringLiteral("ALI");
        k.sifre = QStringLiteral("1");
        k.tip = tip;
        k.cariKod = cari;
        QVERIFY_THROWS_EXCEPTION(pel::Error, m.cihazKaydet(k));
        QCOMPARE(ozet(m, QStringLiteral("SELECT COUNT(*) FROM cihazlar")), QStringLiteral("6"));
    }

    void elleKayitliCihazYenidenKurulumdaKalir()
    {
        QTemporaryDir d;
        pelsrv::Magaza m(d.filePath(QStringLiteral("m.db")));
        pelsrv::ornekVeriKur(m, 50);
        pelsrv::CihazKaydi k;
        k.bilgisayarId = QStringLiteral("ELLE-PC");
        k.kullanici = QStringLiteral("VELI");
        k.sifre = QStringLiteral("9");
        k.tip = 4;
        k.cariKod = QStringLiteral("120.01.007");
        m.cihazKaydet(k);
        pelsrv::ornekVeriKur(m, 60);
        QCOMPARE(ozet(m, QStringLiteral("SELECT adi, tip, carino FROM cihazlar WHERE bilgisayarid = 'ELLE-PC'")),
                 QStringLiteral("VELI|4|7"));
    }

    void resimlerVeBelgelerAcilir()
    {
        QList<QImage> kareler;
        for (int i = 0; i < 3; ++i)
            kareler << pelsrv::bantKaresi(QStringLiteral("ÇĞİÖŞÜ %1").arg(i), Qt::darkBlue, Qt::white, 200, 40, i);
        QByteArray gif = pelsrv::gifYaz(kareler, 50);
        QBuffer b(&gif);
        QImageReader r(&b, "gif");
        QCOMPARE(r.imageCount(), 3);
        QImage ilk = r.read();
        QCOMPARE(ilk.size(), QSize(200, 40));
        QImage bmp;
        QVERIFY(bmp.loadFromData(pelsrv::bmpYaz(kareler[0]), "BMP"));
        QCOMPARE(bmp.size(), QSize(200, 40));
        QImage jpg;
        QVERIFY(jpg.loadFromData(pelsrv::parcaResmi(QStringLiteral("YAĞ FİLTRESİ"), QStringLiteral("MAHLE"),
                                                     QStringLiteral("123"), 4), "JPEG"));
        const QByteArray pdf = pelsrv::pdfYaz(QStringLiteral("Başlık"), QStringLiteral("Alt"),
                                              {QStringLiteral("A")}, {{QStringLiteral("şğü")}});
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    }

    void katlamaTurkceHarfleri()
    {
        QCOMPARE(pelsrv::katla(u"  yağ  filtresi İç ışık çöğüş "), QStringLiteral("YAG FILTRESI IC ISIK COGUS"));
        QCOMPARE(pelsrv::indirimYazisi(25, 0, 2.5, 0), QStringLiteral("25+2,5"));
        QCOMPARE(pelsrv::iskontoUygula(300, 10, 5, 0, -3), 256.5);
    }
};

QTEST_MAIN(TestVeri)
#include "test_veri.moc"
