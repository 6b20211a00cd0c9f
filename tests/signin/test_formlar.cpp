// The password-change request and the mail form against the reference server.

#include "platform/seams.h"
#include "remote/baglanti.h"
#include "remote/sunucuayarlari.h"
#include "server/sunucudestek.h"
#include "signin/kullanicikayit.h"
#include "signin/mailform.h"
#include "signin/mailtext.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

class TestFormlar : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TestSunucusu> server;
    QStringList dialogs;
    TBaglanti bag;
    TSonucBilgisi bilgi;

    QStringList requests(const char* kind)
    {
        QSqlQuery q(server->magaza().db());
        q.prepare(QStringLiteral("SELECT baslik, icerik FROM istekler WHERE tur = ? ORDER BY rowid"));
        q.addBindValue(QString::fromLatin1(kind));
        q.exec();
        QStringList out;
        while (q.next())
            out << q.value(0).toString() + QStringLiteral("|") + q.value(1).toString();
        return out;
    }

private Q_SLOTS:
    void initTestCase()
    {
        server = std::make_unique<test::TestSunucusu>();
        qputenv("PELMORA_DEVICE_ID", "DEMO-MUSTERI");
        SetBaglantiBeklemeKancasi([](std::chrono::milliseconds) {});
        pel::setModalHook([this](QDialog& d) {
            auto* l = d.findChild<QLabel*>(QStringLiteral("mesaj"));
            dialogs << (l ? l->text() : d.windowTitle());
            return 1;
        });
        bag.SetParam(u"HostName", QStringLiteral("127.0.0.1"));
        bag.SetParam(u"Port", QString::number(server->sunucu().port()));
        auto c = server->istemci();
        bilgi = test::kimlikAl(*c, QStringLiteral("DEMO-MUSTERI"));
    }
    void init() { dialogs.clear(); }
    void cleanupTestCase()
    {
        pel::setModalHook({});
        SetBaglantiBeklemeKancasi({});
        server.reset();
    }

    void commaText_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QStringList{"MERHABA", "TESEKKURLER"} << "MERHABA,TESEKKURLER";
        QTest::newRow("blank quoted") << QStringList{"iyi günler", "x"} << "\"iyi günler\",x";
        QTest::newRow("quote doubled") << QStringList{"a\"b"} << "\"a\"\"b\"";
        QTest::newRow("comma") << QStringList{"1,5"} << "\"1,5\"";
        QTest::newRow("empty line unchanged") << QStringList{"a", "", "b"} << "a,,b";
        QTest::newRow("tab") << QStringList{"a\tb"} << "\"a\tb\"";
    }
    void commaText()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, text);
        QCOMPARE(VirgulluMetin(lines), text);
    }

    void registrationIsPrefilledCheckedAndSent()
    {
        std::unique_ptr<Tkullanicikayit> f(Tkullanicikayit::Ac(nullptr, bag, bilgi));
        QCOMPARE(f->windowTitle(), QStringLiteral("Şifre Değiştirme İsteği"));
        QCOMPARE(f->lblid->text(), QStringLiteral("Bilgisayar ID: DEMO-MUSTERI"));
        QCOMPARE(f->kullaniciadi->text(), QStringLiteral("MUSTERI"));
        QCOMPARE(f->firmaadi->text(), bilgi.CariAdi());
        QVERIFY(!f->adres1->text().isEmpty());
        QVERIFY(!f->sehir->text().isEmpty());
        QVERIFY(!f->telefon->text().isEmpty());

        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
        f->firmaadi->setText(QStringLiteral("   "));
        f->Button2->click();
        QCOMPARE(dialogs, QStringList{"Firma Adı boş olamaz !"});
        QCOMPARE(f->focusWidget(), f->firmaadi);

        f->firmaadi->setText(QStringLiteral(" YILDIZ OTO "));
        f->yetkili->setText(QStringLiteral("ALİ VELİ"));
        f->sifre->clear();
        dialogs.clear();
        f->Button2->click();
        QCOMPARE(dialogs, QStringList{"Şifre  boş olamaz !"});

        f->sifre->setText(QStringLiteral("YENI1"));
        f->mail->setText(QStringLiteral("ali@yildizoto.com.tr"));
        dialogs.clear();
        const int before = requests("kayit").size();
        f->Button2->click();
        QCOMPARE(dialogs, QStringList{"İsteğiniz Gönderildi!"});
        const QStringList sent = requests("kayit");
        QCOMPARE(sent.size(), before + 1);
        QVERIFY(sent.last().startsWith(QStringLiteral("Şifre Değiştirme İsteği|")));
        QVERIFY(sent.last().contains(QStringLiteral(" YILDIZ OTO "))); // untrimmed
        QVERIFY(f->isVisible()); // the window stays open
    }

    void mailIsCheckedAndSentAsCommaText()
    {
        std::unique_ptr<Tmailform> f(Tmailform::Ac(nullptr, bag, bilgi));
        QCOMPARE(f->windowTitle(), QStringLiteral("Mail Gönder"));
        f->Button2Click();
        QCOMPARE(dialogs, QStringList{"Lütfen Başlık Giriniz !"});
        f->baslik->setText(QStringLiteral("Fiyat sorusu"));
        dialogs.clear();
        f->Button2Click();
        QCOMPARE(dialogs, QStringList{"Lütfen Konu Giriniz !"});

        f->konu->setPlainText(QStringLiteral("Merhaba\nBOSCH balata fiyatı nedir?\nTeşekkürler"));
        dialogs.clear();
        QSignalSpy done(f.get(), &Tmailform::MailBitti);
        f->Button2Click();
        QVERIFY(!f->Button2->isEnabled());
        f->Button1Click(); // "Kapat" does nothing while sending
        QVERIFY(done.wait(30000));
        QCOMPARE(done.first().at(0).toBool(), false);
        QCOMPARE(dialogs, QStringList{"Mail Gönderildi !"});
        QVERIFY(f->Button2->isEnabled());
        const QStringList sent = requests("mail");
        QVERIFY(!sent.isEmpty());
        QVERIFY(sent.last().startsWith(QStringLiteral("Fiyat sorusu|")));
        QVERIFY(sent.last().contains(
            QStringLiteral("konu: Merhaba,\"BOSCH balata fiyatı nedir?\",Teşekkürler")));
    }

    void mailWithoutServerReportsTheFailure()
    {
        TBaglanti dead;
        dead.SetParam(u"HostName", QStringLiteral("127.0.0.1"));
        dead.SetParam(u"Port", QStringLiteral("1"));
        std::unique_ptr<Tmailform> f(Tmailform::Ac(nullptr, dead, bilgi));
        f->baslik->setText(QStringLiteral("x"));
        f->konu->setPlainText(QStringLiteral("y"));
        QSignalSpy done(f.get(), &Tmailform::MailBitti);
        f->Button2Click();
        QVERIFY(done.wait(30000));
        QCOMPARE(done.first().at(0).toBool(), true);
        QCOMPARE(dialogs.last(), QStringLiteral("Mail Göndermede Hata\r\nLütfen Tekrar Deneyin !"));
        QCOMPARE(dialogs.size(), 13); // 11 boxes, the check's final message, the mail's message
    }
};

QTEST_MAIN(TestFormlar)
#include "test_formlar.moc"
