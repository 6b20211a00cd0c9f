#include "media/dosyaindir.h"
#include "platform/seams.h"
#include "support/httptestserver.h"

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

class TestDosyaIndir : public QObject {
    Q_OBJECT
    QTemporaryDir dataHome;
    QStringList opened;
    QStringList boxes;
    QList<int> ends;

    // Runs the download and answers whether the process was ended.
    bool download(Tdosyaindir& w)
    {
        try {
            w.KurulumIndir();
        } catch (const pel::ProcessEnded& e) {
            ends << e.code;
            return true;
        }
        return false;
    }

private Q_SLOTS:
    void initTestCase() { qputenv("XDG_DATA_HOME", dataHome.path().toUtf8()); }
    void init()
    {
        opened.clear();
        boxes.clear();
        ends.clear();
        pel::setShellOpenHook([this](const QString& t, const QString& a) {
            opened << t + QStringLiteral(" ") + a;
            return true;
        });
        pel::setModalHook([this](QDialog& d) {
            if (auto* m = qobject_cast<QMessageBox*>(&d))
                boxes << m->text();
            return 1;
        });
        pel::setEndProcessHook([](int) {});
    }
    void cleanup()
    {
        pel::setShellOpenHook({});
        pel::setModalHook({});
        pel::setEndProcessHook({});
    }

    void noticeNamesBothVersions()
    {
        std::unique_ptr<Tdosyaindir> w(Tdosyaindir::Yeni(nullptr, 2, QUrl()));
        QVERIFY(w->sLabel1->text().endsWith(QStringLiteral("Version: 2-1")));
        QVERIFY(w->sLabel1->text().startsWith(QStringLiteral("Pelmora Otomotiv B2B Programının\r\n")));
        QCOMPARE(w->windowTitle(), QStringLiteral("Dosya İndir"));
        std::unique_ptr<Tdosyaindir> w3(Tdosyaindir::Yeni(nullptr, 3, QUrl()));
        QVERIFY(w3->sLabel1->text().endsWith(QStringLiteral("Version: 3-1")));
    }

    void progressText()
    {
        const QLocale tr(QLocale::Turkish, QLocale::Turkey);
        QCOMPARE(Tdosyaindir::IlerlemeMetni(1572864, 3145728, tr),
                 QStringLiteral("Bilgi: %50,00  İndirilen: 1,50/3,00 Mb"));
        QCOMPARE(Tdosyaindir::IlerlemeMetni(5000LL * 1024 * 1024, 5000LL * 1024 * 1024, tr),
                 QStringLiteral("Bilgi: %100,00  İndirilen: 5000,00/5000,00 Mb"));
        QCOMPARE(Tdosyaindir::IlerlemeMetni(10, 0, tr), QString());
    }

    void downloadsSavesStartsAndEnds()
    {
        HttpTestServer server;
        const QByteArray setup(300000, 'Z');
        server.answers["exe/PelmoraSetup.exe"] = {"application/octet-stream", setup};
        std::unique_ptr<Tdosyaindir> w(
            Tdosyaindir::Yeni(nullptr, 2, QUrl(server.url(QStringLiteral("exe/PelmoraSetup.exe")))));
        QVERIFY(download(*w));
        QCOMPARE(ends, QList<int>{0});
        QCOMPARE(opened, QStringList{Tdosyaindir::HedefDosya() + QStringLiteral(" /silent")});
        QFile f(Tdosyaindir::HedefDosya());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), setup);
        QVERIFY(w->bilgi->text().startsWith(QStringLiteral("Bilgi: %100")));
        QCOMPARE(w->ProgressBar1->value(), w->ProgressBar1->maximum());
        const QByteArray head = server.requests.value(0);
        QVERIFY(head.contains("User-Agent: Mozilla/5.0 (Windows NT 10.0; Win64; x64)"));
        QVERIFY(head.contains("Accept-Language: en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4"));
        // a second start does nothing
        QVERIFY(!download(*w));
        QCOMPARE(server.requests.size(), 1);
    }

    void failuresShowTheErrorAndStartNothing_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<qint64>("announced");
        QTest::addColumn<bool>("refused");
        QTest::newRow("not found") << 404 << qint64(-1) << false;
        QTest::newRow("server error") << 500 << qint64(-1) << false;
        QTest::newRow("cut short") << 200 << qint64(999999) << false;
        QTest::newRow("refused") << 200 << qint64(-1) << true;
    }
    void failuresShowTheErrorAndStartNothing()
    {
        QFETCH(int, status);
        QFETCH(qint64, announced);
        QFETCH(bool, refused);
        QFile::remove(Tdosyaindir::HedefDosya());
        HttpTestServer server;
        server.answers["exe/PelmoraSetup.exe"] = {"text/html", "<html>hata</html>", status, announced};
        QUrl url(server.url(QStringLiteral("exe/PelmoraSetup.exe")));
        if (refused) {
            const quint16 port = server.serverPort();
            server.close();
            url.setPort(port);
        }
        std::unique_ptr<Tdosyaindir> w(Tdosyaindir::Yeni(nullptr, 2, url));
        QVERIFY(download(*w));
        QCOMPARE(ends, QList<int>{0});
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes[0].startsWith(QStringLiteral("Hata Oluştu !\r\nHata: ")));
        QVERIFY(opened.isEmpty());
        QVERIFY(!QFile::exists(Tdosyaindir::HedefDosya()));
    }
};

QTEST_MAIN(TestDosyaIndir)
#include "test_dosyaindir.moc"
