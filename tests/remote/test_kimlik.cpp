#include "remote/baglantiu.h"
#include "remote/kimlik.h"

#include <QTest>

#include <functional>
#include <stdexcept>

namespace {
// Probe answers scripted by the test; an empty function throws.
struct Sahte : KimlikSorgulari {
    std::function<std::string()> disk, mac;
    std::string DiskSeriNo() const override
    {
        if (!disk)
            throw std::runtime_error("WMI yok");
        return disk();
    }
    std::string MacAdresi() const override
    {
        if (!mac)
            throw std::runtime_error("NetBIOS yok");
        return mac();
    }
    std::string BilgisayarAdi() const override { return "BAYI-PC"; }
    std::string KullaniciAdi() const override { return "bayi"; }
    std::string YerelIp() const override { return "127.0.0.1"; }
};
auto sabit(std::string s)
{
    return [s] { return s; };
}
} // namespace

class TestKimlik : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void deviceIdRules_data()
    {
        QTest::addColumn<QString>("disk"); // "!" = the query throws
        QTest::addColumn<QString>("mac");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lower case with spaces") << "  wd-wcc 4n7 kx0pl2 " << "!" << "WD-WCC4N7KX0PL2";
        QTest::newRow("disk fails: adapter") << "!" << "0A-1B-2C-3D-4E-5F" << "0A-1B-2C-3D-4E-5F";
        QTest::newRow("disk empty: adapter") << "   " << " 0A-1B-2C-3D-4E-5F " << "0A-1B-2C-3D-4E-5F";
        QTest::newRow("both fail") << "!" << "!" << "";
        QTest::newRow("disk fails, adapter empty") << "!" << "" << "";
        QTest::newRow("first alias") << QString::fromLatin1(kKimlikTakmaAdlari[0].kimlik) << "!"
                                     << QString::fromLatin1(kKimlikTakmaAdlari[0].yerine);
        QTest::newRow("second alias, lower case")
            << QString::fromLatin1(kKimlikTakmaAdlari[1].kimlik).toLower() << "!"
            << QString::fromLatin1(kKimlikTakmaAdlari[1].yerine);
        QTest::newRow("other id unchanged") << "S3Z9NB0K812345A" << "!" << "S3Z9NB0K812345A";
    }
    void deviceIdRules()
    {
        QFETCH(QString, disk);
        QFETCH(QString, mac);
        QFETCH(QString, expected);
        Sahte s;
        if (disk != u"!")
            s.disk = sabit(disk.toStdString());
        if (mac != u"!")
            s.mac = sabit(mac.toStdString());
        QCOMPARE(BilgisayarIdAl(s), expected);
    }

    void aliasesShareOneId()
    {
        QCOMPARE(QString::fromLatin1(kKimlikTakmaAdlari[0].yerine),
                 QString::fromLatin1(kKimlikTakmaAdlari[1].yerine));
    }

    void environmentOverride()
    {
        qputenv("PELMORA_DEVICE_ID", "DEMO-MUSTERI");
        QCOMPARE(BilgisayarIdAl(), QStringLiteral("DEMO-MUSTERI"));
        qunsetenv("PELMORA_DEVICE_ID");
        const QString id = BilgisayarIdAl();
        QVERIFY(!id.contains(u' '));
        QCOMPARE(id, id.toUpper());
    }

    void sixteenCharacterRule()
    {
        QCOMPARE(OnAltiKarakterKurali("ABCDEFGHIJKLMNO"), std::string("ABCDEFGHIJKLMNO"));
        QCOMPARE(OnAltiKarakterKurali("ABCDEFGHIJKLMNOP"), std::string());
        QCOMPARE(OnAltiKarakterKurali("ŞÇĞÜÖİşçğüöıabc"), std::string("ŞÇĞÜÖİşçğüöıabc")); // 15 letters
        QVERIFY(KullaniciAdiAl().size() < 16);
        QVERIFY(BilgisayarAdiAl().size() < 16);
        QVERIFY(!YerelIpAl().isEmpty());
    }

    void identityRecordDefaultsAndKopyala()
    {
        TSonucBilgisi yeni;
        QCOMPARE(yeni.MusteriTipi(), 1);
        QCOMPARE(yeni.Version(), 1);
        QCOMPARE(yeni.Varmi(), false);
        QCOMPARE(yeni.CARINO(), 0);
        QVERIFY(yeni.ADI().isEmpty());

        TSonucBilgisi kaynak;
        kaynak.SetMusteriTipi(3);
        kaynak.SetVersion(2);
        kaynak.SetADI(QStringLiteral("MUSTERI"));
        kaynak.SetVarmi(true);
        kaynak.SetCARINO(42);
        kaynak.SetDisip(QStringLiteral("85.105.1.2"));
        TSonucBilgisi kopya;
        kopya.Kopyala(kaynak);
        QCOMPARE(kopya.MusteriTipi(), 3);
        QCOMPARE(kopya.Version(), 2);
        QCOMPARE(kopya.ADI(), QStringLiteral("MUSTERI"));
        QCOMPARE(kopya.Varmi(), true);
        QCOMPARE(kopya.CARINO(), 42);
        QCOMPARE(kopya.Disip(), QStringLiteral("85.105.1.2"));
        kopya.SetCARINO(7);
        QCOMPARE(kaynak.CARINO(), 42); // the source is unchanged
    }

    void fieldsInDeclarationOrder()
    {
        QStringList names;
        TSonucBilgisi b;
        b.AlanlariGez([&](const char16_t* ad, auto&) { names << QString::fromUtf16(ad); });
        const QStringList expected{
            "FBILGISAYARID", "FSaticiMail", "FSirano", "FCariAdi", "FSIFRE",
            "FSaticiNo", "FCARINO", "FAKTIF", "FKullanicimail", "FADI",
            "FSaticiTelefon", "Fcarikod", "FVarmi", "FSaticiAdi", "FBilgiSayarAdi",
            "FDisip", "FIcip", "FBilgisayarKullanici", "FMusteriTipi", "FVersion"};
        QCOMPARE(names, expected);
    }
};

QTEST_GUILESS_MAIN(TestKimlik)
#include "test_kimlik.moc"
