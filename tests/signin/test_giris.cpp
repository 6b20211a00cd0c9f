// The login against the reference server in this process.

#include "media/dosyaindir.h"
#include "platform/seams.h"
#include "remote/baglanti.h"
#include "remote/baglantiu.h"
#include "remote/mesajpenceresi.h"
#include "remote/sunucuayarlari.h"
#include "server/sunucudestek.h"
#include "signin/ayardosyasi.h"
#include "signin/formistekyeni.h"
#include "signin/girisform.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString dialogText(QDialog& d)
{
    if (auto* m = qobject_cast<QMessageBox*>(&d))
        return m->text();
    if (auto* l = d.findChild<QLabel*>(QStringLiteral("mesaj")))
        return l->text();
    return d.windowTitle();
}
} // namespace

class TestGiris : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TestSunucusu> server;
    QTemporaryDir config;
    QStringList dialogs;   // text of every dialog, in order
    QStringList opened;    // shell opens
    QList<int> ends;       // process ends
    std::function<int(QDialog&)> answer; // extra per-test answers

    TDagitimAyarlari settings(const QString& publicHost, const QString& officeIp)
    {
        TDagitimAyarlari a = VarsayilanDagitimAyarlari();
        a.GenelSunucu = publicHost;
        a.LanSunucu = QStringLiteral("127.0.0.1");
        a.Port = server->sunucu().port();
        a.GenelWeb = server->sunucu().webAdres();
        a.LanWeb = server->sunucu().webAdres();
        a.OfisIp = officeIp;
        a.DisIpServisi = server->sunucu().webAdres().chopped(1);
        a.IndirmeSunucusu = server->sunucu().webAdres().chopped(1);
        return a;
    }

    struct Login {
        TBaglanti bag;
        TSonucBilgisi bilgi;
        std::unique_ptr<Tgirisform> form;
    };
    std::unique_ptr<Login> makeLogin(const char* device)
    {
        qputenv("PELMORA_DEVICE_ID", device);
        auto l = std::make_unique<Login>();
        l->bag.SetParam(u"HostName", SunucuAdresi);
        l->bag.SetParam(u"Port", SunucuPortu());
        l->form = std::make_unique<Tgirisform>();
        l->form->bagim = &l->bag;
        l->form->Bilgim = &l->bilgi;
        return l;
    }
    // Presses "Giriş" and waits until the sign-in reaches its decision.
    bool signIn(Login& l, const QString& name, const QString& password)
    {
        l.form->adi->setText(name);
        l.form->sifre->setText(password);
        QSignalSpy done(l.form.get(), &Tgirisform::GirisBitti);
        l.form->Button1Click();
        return done.wait(30000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        server = std::make_unique<test::TestSunucusu>();
        SetBaglantiBeklemeKancasi([](std::chrono::milliseconds) {});
        Tgirisform::SetDisIpBekleme(std::chrono::milliseconds(10));
        pel::setModalHook([this](QDialog& d) {
            dialogs << dialogText(d);
            if (answer)
                return answer(d);
            return 1;
        });
        pel::setShellOpenHook([this](const QString& t, const QString&) {
            opened << t;
            return true;
        });
        pel::setEndProcessHook([this](int c) { ends << c; });
    }
    void init()
    {
        dialogs.clear();
        opened.clear();
        ends.clear();
        answer = {};
        QFile::remove(Tgirisform::AyarDosyasi());
        DagitimAyarlariniAyarla(settings(QStringLiteral("127.0.0.1"), QStringLiteral("10.9.9.9")));
    }
    void cleanupTestCase()
    {
        pel::setModalHook({});
        pel::setShellOpenHook({});
        pel::setEndProcessHook({});
        SetBaglantiBeklemeKancasi({});
        server.reset();
    }

    void signsInAndRemembers()
    {
        auto l = makeLogin("DEMO-MUSTERI");
        QVERIFY(signIn(*l, "MUSTERI", "1234"));
        QCOMPARE(l->form->result(), 1);
        QCOMPARE(l->bilgi.ADI(), QStringLiteral("MUSTERI"));
        QCOMPARE(l->bilgi.Varmi(), true);
        QCOMPARE(l->bilgi.Disip(), QStringLiteral("127.0.0.1"));
        QCOMPARE(l->bilgi.BILGISAYARID(), QStringLiteral("DEMO-MUSTERI"));
        QCOMPARE(l->form->Button1->text(), QStringLiteral("Giriş!"));
        QVERIFY(dialogs.isEmpty());
        TAyarDosyasi ini(Tgirisform::AyarDosyasi());
        QCOMPARE(ini.ReadString("kullanici", "isim", ""), QStringLiteral("MUSTERI"));
        QCOMPARE(ini.ReadString("kullanici", "sifre", ""), QStringLiteral("1234"));
        QCOMPARE(ini.ReadBool("kullanici", QStringLiteral("hatırla"), false), true);
        // the next window restores them
        auto again = makeLogin("DEMO-MUSTERI");
        QCOMPARE(again->form->adi->text(), QStringLiteral("MUSTERI"));
        QCOMPARE(again->form->sifre->text(), QStringLiteral("1234"));
    }

    void wrongPasswordResetsAndSavesNothing()
    {
        auto l = makeLogin("DEMO-MUSTERI");
        QVERIFY(signIn(*l, "MUSTERI", "9999"));
        QCOMPARE(dialogs, QStringList{"Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"});
        QVERIFY(l->form->Button1->isEnabled());
        QCOMPARE(l->form->result(), 0);
        QVERIFY(!QFile::exists(Tgirisform::AyarDosyasi()));
        // a second try repeats the whole sequence
        dialogs.clear();
        QVERIFY(signIn(*l, "MUSTERI", "1234"));
        QCOMPARE(l->form->result(), 1);
    }

    void inactiveUserIsSavedThenRefused()
    {
        auto l = makeLogin("DEMO-PASIF");
        QVERIFY(signIn(*l, "PASIF", "1234"));
        QCOMPARE(dialogs, QStringList{"Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"});
        QCOMPARE(l->form->result(), 0);
        TAyarDosyasi ini(Tgirisform::AyarDosyasi());
        QCOMPARE(ini.ReadString("kullanici", "isim", ""), QStringLiteral("PASIF"));
    }

    void otherServerVersionOpensTheDownloadFirst()
    {
        server->magaza().yayinSurumuYaz(2);
        QString notice;
        answer = [&](QDialog& d) {
            if (auto* w = qobject_cast<Tdosyaindir*>(&d))
                notice = w->sLabel1->text();
            return 0; // the window returns: the sign-in goes on
        };
        auto l = makeLogin("DEMO-MUSTERI");
        const bool decided = signIn(*l, "MUSTERI", "1234");
        server->magaza().yayinSurumuYaz(1);
        QVERIFY(decided);
        QVERIFY2(notice.endsWith(QStringLiteral("Version: 2-1")), qPrintable(notice));
        QCOMPARE(l->form->result(), 1);
    }

    void unregisteredDeviceGetsTheRequestForm()
    {
        QString address;
        QString title;
        answer = [&](QDialog& d) {
            if (auto* f = qobject_cast<Tformistekyeni*>(&d)) {
                address = f->Adres();
                title = f->windowTitle();
            }
            return 0;
        };
        auto l = makeLogin("BILINMEYEN-CIHAZ-1");
        QVERIFY(signIn(*l, "", ""));
        QCOMPARE(address, SunucuUrl + QStringLiteral("formmailgonder.aspx?carino=0&kullanici= &id="
                                                     "BILINMEYEN-CIHAZ-1"));
        QCOMPARE(title, QStringLiteral("Pelmora Otomotiv B2B İstek Formu"));
        QCOMPARE(opened, QStringList{address});
        QCOMPARE(ends, QList<int>{0});
    }

    void officeNetworkUsesTheLanAddresses()
    {
        // The public host does not answer; only the LAN address does.
        DagitimAyarlariniAyarla(settings(QStringLiteral("genel-sunucu.invalid"),
                                         QStringLiteral("127.0.0.1")));
        QCOMPARE(WebAdresi, QStringLiteral("genel-sunucu.invalid"));
        auto l = makeLogin("DEMO-MUSTERI");
        QVERIFY(signIn(*l, "MUSTERI", "1234"));
        QCOMPARE(l->form->result(), 1);
        QCOMPARE(SunucuAdresi, QStringLiteral("127.0.0.1"));
        QCOMPARE(l->bag.Param(u"HostName"), QStringLiteral("127.0.0.1"));
        QVERIFY(ResimUrl.startsWith(server->sunucu().webAdres()));
        QVERIFY(ResimUrl.endsWith(QStringLiteral("resimgoster.ashx?id=")));
        QCOMPARE(WebAdresi, QStringLiteral("genel-sunucu.invalid"));
    }

    void unreachableServerResets()
    {
        DagitimAyarlariniAyarla(settings(QStringLiteral("127.0.0.1"), QStringLiteral("10.9.9.9")));
        auto l = makeLogin("DEMO-MUSTERI");
        l->bag.SetParam(u"Port", QStringLiteral("1")); // nothing listens there
        // the login writes HostName only; the port stays the dead one
        QVERIFY(signIn(*l, "MUSTERI", "1234"));
        QCOMPARE(dialogs.size(), 12); // eleven plain boxes, then the login's own message
        QCOMPARE(dialogs.last(), QStringLiteral("Bağlantı Kurulamadı !"));
        QVERIFY(l->form->Button1->isEnabled());
    }

    void rememberedSettings_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("remember");
        const QString text = QStringLiteral("[kullanici]\r\nisim=ŞÜKRÜ\r\nsifre=ĞÜ12\r\nhatırla=%1\r\n");
        QByteArray utf16("\xFF\xFE", 2);
        for (QChar c : text.arg(1)) {
            utf16 += char(c.unicode() & 0xFF);
            utf16 += char(c.unicode() >> 8);
        }
        QTest::newRow("code page 1254") << TAyarDosyasi::Cp1254(text.arg(1)) << "ŞÜKRÜ" << true;
        QTest::newRow("utf-16") << utf16 << "ŞÜKRÜ" << true;
        QTest::newRow("hatırla=0") << TAyarDosyasi::Cp1254(text.arg(0)) << "" << false;
    }
    void rememberedSettings()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, name);
        QFETCH(bool, remember);
        QFile f(Tgirisform::AyarDosyasi());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
        f.close();
        auto l = makeLogin("DEMO-MUSTERI");
        QCOMPARE(l->form->adi->text(), name);
        QCOMPARE(l->form->sifre->text(), remember ? QStringLiteral("ĞÜ12") : QString());
        QCOMPARE(l->form->benihatirla->isChecked(), remember);
    }

    void missingSettingsLeaveBoxesEmpty()
    {
        auto l = makeLogin("DEMO-MUSTERI");
        QVERIFY(l->form->adi->text().isEmpty());
        QVERIFY(l->form->benihatirla->isChecked());
    }

    void enterKeysAndUpperCase()
    {
        auto l = makeLogin("DEMO-MUSTERI");
        l->form->show();
        QVERIFY(QTest::qWaitForWindowExposed(l->form.get()));
        QTest::keyClick(l->form->adi, Qt::Key_Return);
        QCOMPARE(dialogs, QStringList{"Lütfen kullanıcı adını giriniz !"});
        QTest::keyClicks(l->form->adi, "musteri");
        QCOMPARE(l->form->adi->text(), QStringLiteral("MUSTERI"));
        QTest::keyClick(l->form->adi, Qt::Key_Return);
        QCOMPARE(l->form->focusWidget(), l->form->sifre);
        QTest::keyClick(l->form->sifre, Qt::Key_Return);
        QCOMPARE(dialogs.last(), QStringLiteral("Lütfen kullanıcı şifresini giriniz !"));
        QTest::keyClicks(l->form->sifre, "1234");
        QCOMPARE(l->form->sifre->echoMode(), QLineEdit::Password);
        QSignalSpy done(l->form.get(), &Tgirisform::GirisBitti);
        QTest::keyClick(l->form->sifre, Qt::Key_Return); // acts as "Giriş"
        QVERIFY(!l->form->Button1->isEnabled());
        QVERIFY(done.wait(30000));
        QCOMPARE(l->form->result(), 1);
    }

    void cancelEndsTheProcess()
    {
        auto l = makeLogin("DEMO-MUSTERI");
        bool ended = false;
        try {
            l->form->Button2Click();
        } catch (const pel::ProcessEnded& e) {
            ended = e.code == 0;
        }
        QVERIFY(ended);
    }
};

QTEST_MAIN(TestGiris)
#include "test_giris.moc"
