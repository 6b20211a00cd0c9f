#include "media/asyncresim.h"

#include <QBuffer>
#include <QSignalSpy>
#include "support/httptestserver.h"
#include <QTest>

namespace {
QByteArray encoded(QColor c, const char* format, QSize size = {8, 4})
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(c);
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return out;
}

bool waitLoaded(TAsyncResim& r)
{
    QSignalSpy done(&r, &TAsyncResim::YuklemeBitti);
    return done.wait(5000);
}
} // namespace

class TestAsyncResim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadsByContentType_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<bool>("shown");
        QTest::newRow("png") << QByteArray("image/png") << QByteArray("PNG") << true;
        QTest::newRow("JPEG upper case") << QByteArray("image/JPEG") << QByteArray("JPEG") << true;
        QTest::newRow("jpg") << QByteArray("image/jpg") << QByteArray("JPEG") << true;
        QTest::newRow("bmp") << QByteArray("image/bmp") << QByteArray("BMP") << true;
        QTest::newRow("gif shows nothing") << QByteArray("image/gif") << QByteArray("PNG") << false;
        QTest::newRow("parameters") << QByteArray("image/png; q=1") << QByteArray("PNG") << false;
        QTest::newRow("broken data") << QByteArray("image/png") << QByteArray() << false;
    }
    void loadsByContentType()
    {
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, format);
        QFETCH(bool, shown);
        HttpTestServer server;
        server.answers["p"] = {type, format.isEmpty() ? QByteArray("not a picture")
                                                      : encoded(Qt::red, format.constData())};
        TAsyncResim r;
        r.SetUrl(server.url("p"));
        QVERIFY(waitLoaded(r));
        QCOMPARE(!r.Resim().isNull(), shown);
        if (shown)
            QCOMPARE(r.Resim().size(), QSize(8, 4));
    }

    void sameUrlDoesNotReload()
    {
        HttpTestServer server;
        server.answers["p"] = {"image/png", encoded(Qt::red, "PNG")};
        TAsyncResim r;
        r.SetUrl(server.url("p"));
        QVERIFY(waitLoaded(r));
        r.SetUrl(server.url("p"));
        QCOMPARE(r.IstekSayisi(), 1);
        r.SetUrl(QString());
        QCOMPARE(r.Url(), QString());
        QCOMPARE(r.IstekSayisi(), 1);
        QVERIFY(!r.Resim().isNull()); // an empty address keeps the picture
    }

    void emptyAnswerKeepsThePicture()
    {
        HttpTestServer server;
        server.answers["p"] = {"image/png", encoded(Qt::blue, "PNG")};
        server.answers["bos"] = {"image/png", {}};
        TAsyncResim r;
        r.SetUrl(server.url("p"));
        QVERIFY(waitLoaded(r));
        r.SetUrl(server.url("bos"));
        QVERIFY(waitLoaded(r));
        QCOMPARE(r.Resim().pixelColor(0, 0), QColor(Qt::blue));
    }

    void newerAddressWins()
    {
        // The answer for an address that was replaced never shows.
        HttpTestServer server;
        server.answers["slow"] = {"image/png", encoded(Qt::red, "PNG"), 200, -1, true};
        server.answers["p"] = {"image/png", encoded(Qt::green, "PNG")};
        TAsyncResim r;
        r.SetUrl(server.url("slow"));
        QTRY_COMPARE(server.held.size(), 1);
        r.SetUrl(server.url("p"));
        QVERIFY(waitLoaded(r));
        server.release();
        QTest::qWait(100);
        QCOMPARE(r.Resim().pixelColor(0, 0), QColor(Qt::green));
    }

    void destroyedControlIsNotReached()
    {
        HttpTestServer server;
        server.answers["slow"] = {"image/png", encoded(Qt::red, "PNG"), 200, -1, true};
        auto* r = new TAsyncResim;
        r->SetUrl(server.url("slow"));
        QTRY_COMPARE(server.held.size(), 1);
        delete r;
        server.release();
        QTest::qWait(100); // nothing may touch the freed control (ASan watches)
    }

    void drawsProportionallyCentred()
    {
        TAsyncResim r;
        r.resize(100, 100);
        QImage img(20, 10, QImage::Format_RGB32);
        img.fill(Qt::red);
        r.SetResim(img);
        QImage shot(r.size(), QImage::Format_ARGB32);
        shot.fill(Qt::transparent);
        r.render(&shot, {}, {}, QWidget::DrawChildren);
        QCOMPARE(shot.pixelColor(50, 50), QColor(Qt::red));  // centre
        QCOMPARE(shot.pixelColor(50, 10).alpha(), 0);        // above the 100x50 band
        QCOMPARE(shot.pixelColor(1, 30), QColor(Qt::red));   // full width
    }
};

QTEST_MAIN(TestAsyncResim)
#include "test_asyncresim.moc"
