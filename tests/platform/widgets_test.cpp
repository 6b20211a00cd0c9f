#include "widgets_gif.h"

#include "platform/grid/picturerows.h"
#include "platform/grid/widgets.h"
#include "platform/seams.h"

#include <QBuffer>
#include <QFileDialog>
#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QMovie>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

using namespace pel;

namespace {
QByteArray png(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "PNG");
    return bytes;
}
} // namespace

class WidgetsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void amountBoxShowsAndReads_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("grouped") << "" << "1234567,5" << 1234567.5 << "1.234.567,50";
        QTest::newRow("rounds half away") << "" << "2,345" << 2.35 << "2,35";
        QTest::newRow("typed with separators") << "" << "1.234,56" << 1234.56 << "1.234,56";
        QTest::newRow("negative") << "" << "-12,5" << -12.5 << "-12,50";
        QTest::newRow("suffix kept while editing") << ",0.00 TL;-,0.00 TL" << "45,5 TL" << 45.5
                                                   << "45,50 TL";
        QTest::newRow("negative section") << ",0.00 TL;-,0.00 TL" << "-3" << -3.0 << "-3,00 TL";
        QTest::newRow("no number keeps the value") << "" << "abc" << 7.0 << "7,00";
        QTest::newRow("emptied is zero") << "" << " " << 0.0 << "0,00";
    }
    void amountBoxShowsAndReads()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, typed);
        QFETCH(double, value);
        QFETCH(QString, shown);
        AmountBox box;
        box.setNumberLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
        if (!pattern.isEmpty())
            box.setDisplayPattern(pattern);
        box.setValue(7);
        box.setText(typed);
        box.commit();
        QCOMPARE(box.value(), value);
        QCOMPARE(box.text(), shown);
    }

    void amountBoxRangeAndReadOnly()
    {
        AmountBox box;
        box.setNumberLocale(QLocale::c());
        box.setRange(0, 100);
        QSignalSpy changed(&box, &AmountBox::valueChanged);
        box.setText(QStringLiteral("150"));
        box.commit();
        QCOMPARE(box.value(), 100.0);
        box.setValue(-5);
        QCOMPARE(box.value(), 0.0);
        QCOMPARE(box.text(), QStringLiteral("0.00"));
        QCOMPARE(changed.count(), 2);
        box.setReadOnly(true);
        box.setText(QStringLiteral("55"));
        box.commit();
        QCOMPARE(box.value(), 0.0);
        QCOMPARE(box.text(), QStringLiteral("0.00"));
    }

    void spinBoxKeepsItsBounds()
    {
        IntSpinBox s(1, 1000, 1);
        QCOMPARE(s.value(), 1);
        s.setValue(0);
        QCOMPARE(s.value(), 1);
        s.setValue(5000);
        QCOMPARE(s.value(), 1000);
        s.stepUp();
        QCOMPARE(s.value(), 1000);
    }

    void gifPictureAnimatesFromBytes()
    {
        const QByteArray gif = gifmaker::twoFrameGif(20, 10);
        GifPicture g;
        QVERIFY(g.setPictureData(gif));
        QCOMPARE(g.pictureSize(), QSize(20, 10));
        QCOMPARE(g.frameCount(), 2);
        QVERIFY(g.isAnimated());
        QVERIFY(g.movie());
        // height follows the picture: its own when centred, by width when stretched
        g.resize(200, 50);
        g.setAutoHeight(true);
        QCOMPARE(g.height(), 10);
        g.setStretch(true);
        QVERIFY(g.hasScaledContents());
        QCOMPARE(g.height(), 100);
        g.stop();
        QVERIFY(!g.isAnimated());
        // a still picture and bytes that are none
        QVERIFY(g.setPictureData(png(8, 4, Qt::red)));
        QCOMPARE(g.frameCount(), 1);
        QCOMPARE(g.height(), 100);
        QVERIFY(!g.setPictureData(QByteArray("not a picture")));
        QVERIFY(!g.hasPicture());
        QVERIFY(!g.setPictureData({}));
    }

    void zoomViewerZoomsAndReportsClicks()
    {
        ZoomPictureViewer v;
        v.resize(300, 300);
        QVERIFY(v.setPictureData(png(40, 20, Qt::blue)));
        QCOMPARE(v.shownSize(), QSize(40, 20));
        QSignalSpy zoomed(&v, &ZoomPictureViewer::zoomChanged);
        v.slider()->setValue(250);
        QCOMPARE(zoomed.count(), 1);
        QCOMPARE(v.shownSize(), QSize(100, 50));
        QCOMPARE(v.pictureLabel()->size(), QSize(100, 50));
        v.setZoom(1000);
        QCOMPARE(v.zoom(), 400);
        v.show();
        QSignalSpy clicked(&v, &ZoomPictureViewer::clicked);
        QTest::mouseClick(v.pictureLabel(), Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QVERIFY(!v.setPictureData("x"));
        QVERIFY(v.picture().isNull());
    }

    void busyIndicatorTurnsWhileShown()
    {
        QWidget host;
        auto* b = new BusyIndicator(&host);
        host.show();
        QVERIFY(b->isSpinning());
        const int step = b->step();
        QTRY_VERIFY(b->step() != step);
        b->hide();
        QVERIFY(!b->isSpinning());
    }

    void pictureBoxCentresProportionally()
    {
        PictureBox box;
        box.resize(200, 100);
        box.setPicture(QImage(40, 20, QImage::Format_RGB32));
        QCOMPARE(box.pictureRect(), QRect(80, 40, 40, 20));
        QImage big(400, 100, QImage::Format_RGB32);
        big.fill(Qt::green);
        box.setPicture(big);
        QCOMPARE(box.pictureRect(), QRect(0, 25, 200, 50));
        QPixmap pm(box.size());
        pm.fill(Qt::white);
        box.render(&pm, QPoint(), QRegion(), QWidget::DrawChildren);
        const QImage shot = pm.toImage();
        QCOMPARE(QColor(shot.pixel(100, 50)), QColor(Qt::green));
        QCOMPARE(QColor(shot.pixel(100, 5)), QColor(Qt::white));
    }

    void splitButtonHasADropDownMenu()
    {
        SplitButton b(QStringLiteral("Excel Kaydet"));
        QAction* a = b.addMenuItem(QStringLiteral("PDF Al"));
        QCOMPARE(b.popupMode(), QToolButton::MenuButtonPopup);
        QCOMPARE(b.menu(), b.dropDownMenu());
        QCOMPARE(b.dropDownMenu()->actions().value(0), a);
        QSignalSpy pressed(&b, &QToolButton::clicked);
        b.click();
        QCOMPARE(pressed.count(), 1);
    }

    void saveDialogGoesThroughTheModalSeam()
    {
        QCOMPARE(qtFileFilter(QStringLiteral("Excel|*.xls*")), QStringLiteral("Excel (*.xls*)"));
        QCOMPARE(qtFileFilter(QStringLiteral("PDF|*.pdf|Hepsi|*.*;*")),
                 QStringLiteral("PDF (*.pdf);;Hepsi (*.* *)"));
        QString caption;
        bool native = true;
        setModalHook([&](QDialog& d) {
            auto* fd = qobject_cast<QFileDialog*>(&d);
            caption = fd->windowTitle();
            native = !fd->testOption(QFileDialog::DontUseNativeDialog);
            fd->selectFile(QStringLiteral("/tmp/belge"));
            return int(QDialog::Accepted);
        });
        QCOMPARE(askSaveFileName(nullptr, QStringLiteral("Kaydet"), QStringLiteral("PDF|*.pdf"),
                                 QStringLiteral("pdf")),
                 QStringLiteral("/tmp/belge.pdf"));
        QCOMPARE(caption, QStringLiteral("Kaydet"));
        QVERIFY(!native);
        setModalHook([](QDialog&) { return int(QDialog::Rejected); });
        QCOMPARE(askSaveFileName(nullptr, {}, {}), QString());
        setModalHook({});
    }

    void pictureRowsHoldPicturesAndTexts()
    {
        PictureRowsView v({QStringLiteral("baslik"), QStringLiteral("arama")});
        v.resize(500, 600);
        QCOMPARE(v.verticalHeader()->defaultSectionSize(), 405);
        QVERIFY(v.horizontalHeader()->isHidden());
        QVERIFY(v.verticalHeader()->isHidden());
        QCOMPARE(v.verticalScrollMode(), QAbstractItemView::ScrollPerPixel);
        QVERIFY(!v.isSortingEnabled());
        QVERIFY(!v.horizontalHeader()->sectionsMovable());
        QCOMPARE(v.editTriggers(), QAbstractItemView::NoEditTriggers);
        v.appendRow(png(100, 50, Qt::red), {QStringLiteral("Kampanya"), QStringLiteral("#KAMPANYA#")});
        v.appendRow(QByteArray(), {QStringLiteral("Boş"), QStringLiteral("  ")});
        v.appendRow(QByteArray("bozuk"), {QStringLiteral("Bozuk"), QStringLiteral("ABC123")});
        QCOMPARE(v.rowCount(), 3);
        QCOMPARE(v.picture(0).size(), QSize(100, 50));
        QVERIFY(v.picture(1).isNull());
        QVERIFY(v.picture(2).isNull());
        QCOMPARE(v.text(0, QStringLiteral("arama")), QStringLiteral("#KAMPANYA#"));
        QCOMPARE(v.text(2, 0), QStringLiteral("Bozuk"));
        QCOMPARE(v.text(5, 0), QString());
        QCOMPARE(v.focusedRow(), 0);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QSignalSpy dbl(&v, &PictureRowsView::rowDoubleClicked);
        const QPoint p = v.visualRect(v.model()->index(1, 0)).center();
        QVERIFY(p.y() > 0);
        QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(v.viewport(), Qt::LeftButton, {}, p);
        QCOMPARE(dbl.count(), 1);
        QCOMPARE(v.focusedRow(), 1);
        v.clearRows();
        QCOMPARE(v.rowCount(), 0);
        QVERIFY(!v.hasFocusedRow());
    }
};

QTEST_MAIN(WidgetsTest)
#include "widgets_test.moc"
