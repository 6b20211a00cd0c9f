#include "support/pixels.h"
#include "controls/marquee.h"
#include "platform/seams.h"

#include <QScreen>
#include <QEnterEvent>
#include <QPainter>
#include <QtTest>

#include <future>
#include <memory>
#include <thread>

namespace {

bool reddish(const QColor& c)
{
    return c.red() > 150 && c.green() < 100 && c.blue() < 100;
}
bool bluish(const QColor& c)
{
    return c.blue() > 150 && c.red() < 100 && c.green() < 100;
}


// A shown marquee whose own timer never fires during a test: steps are run
// with TimerTick.
std::unique_ptr<TRealTimeMarquee> makeMarquee(int w = 100, int h = 20)
{
    auto m = std::make_unique<TRealTimeMarquee>();
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    m->setFont(f);
    m->SetColor(Qt::white);
    m->SetInterval(TRealTimeMarquee::MaxPeriod());
    m->resize(w, h);
    m->show();
    if (!QTest::qWaitForWindowExposed(m.get()))
        qWarning("marquee not exposed");
    return m;
}

// An owner-drawn item: a solid block of the given size and colour.
void addBlock(TRealTimeMarquee& m, int w, int h, QColor colour)
{
    TMarqueeItem* item = m.Items()->Add();
    item->SetStyle(msOwnerDraw);
    item->SetTag(int(colour.rgb() & 0xFFFFFF));
    item->SetText(QString::number(w) + "x" + QString::number(h));
    Q_UNUSED(h);
}

void useBlocks(TRealTimeMarquee& m)
{
    m.SetOnDrawItem([](TRealTimeMarquee*, TMarqueeItem* item, TMarqueeBitmap& bmp) {
        const QStringList wh = item->Text().split('x');
        bmp.SetSize(wh[0].toInt(), wh[1].toInt());
        bmp.Image.fill(QColor::fromRgb(QRgb(item->Tag())));
    });
}

int ticksUntil(TRealTimeMarquee& m, const std::function<bool()>& done, int limit = 100000)
{
    int n = 0;
    while (!done() && n < limit) {
        m.TimerTick();
        ++n;
    }
    return n;
}

} // namespace

class TestMarquee : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { pel::setShellOpenHook({}); }

    void defaults()
    {
        TRealTimeMarquee m;
        QVERIFY(!m.Active());
        QCOMPARE(m.Interval(), 10u);
        QCOMPARE(int(m.Step()), 1);
        QCOMPARE(int(m.Spacing()), 100);
        QCOMPARE(int(m.LoopSpacing()), 100);
        QCOMPARE(m.NumLoops(), 0u);
        QCOMPARE(m.Orientation(), moHorizontal);
        QCOMPARE(m.size(), QSize(200, 20));
        QCOMPARE(m.VisibleCount(), 0u);
        QCOMPARE(m.State().GapBetweenItems, 200);
        TMarqueeItem* item = m.Items()->Add();
        QCOMPARE(item->Alignment(), maCenter);
        QCOMPARE(item->Style(), msText);
        QCOMPARE(item->Marquee(), &m);
    }

    void stepZeroStoredAsOne()
    {
        TRealTimeMarquee m;
        m.SetStep(0);
        QCOMPARE(int(m.Step()), 1);
        m.SetStep(7);
        QCOMPARE(int(m.Step()), 7);
    }

    void intervalClampedToTimerPeriods()
    {
        TRealTimeMarquee m;
        m.SetInterval(0);
        QCOMPARE(m.Interval(), TRealTimeMarquee::MinPeriod());
        m.SetInterval(TRealTimeMarquee::MaxPeriod() + 5);
        QCOMPARE(m.Interval(), TRealTimeMarquee::MaxPeriod());
        m.SetInterval(25);
        QCOMPARE(m.Interval(), 25u);
    }

    void spacingPercentGaps()
    {
        auto m = makeMarquee(101, 20);
        m->SetSpacing(5);
        m->SetLoopSpacing(150);
        QCOMPARE(int(m->LoopSpacing()), 100);
        QCOMPARE(m->State().GapBetweenItems, 5); // 101 * 5 / 100 = 5.05
        QCOMPARE(m->State().GapBetweenLoops, 101);
        m->SetSpacing(50);
        QCOMPARE(m->State().GapBetweenItems, 51); // 50.5 rounds up
        m->SetOrientation(moVertical);
        QCOMPARE(m->State().GapBetweenItems, 10);
        QCOMPARE(m->State().GapBetweenLoops, 20);
    }

    void emptyListKeepsTimerOff()
    {
        auto m = makeMarquee();
        m->SetActive(true);
        QVERIFY(m->Active());
        QCOMPARE(m->State().TimerID, 0u);
        m->Items()->Add()->SetText("a");
        QVERIFY(m->State().TimerID != 0);
        m->Items()->Delete(0);
        QCOMPARE(m->State().TimerID, 0u);
        m->Items()->Add();
        QVERIFY(m->State().TimerID != 0);
        m->SetActive(false);
        QCOMPARE(m->State().TimerID, 0u);
        // A step with no timer armed does nothing.
        m->TimerTick();
        QCOMPARE(m->VisibleCount(), 0u);
    }

    void numLoopsOneStopsAfterLastItemLeft()
    {
        auto m = makeMarquee(100, 20);
        useBlocks(*m);
        m->SetSpacing(10);
        m->SetLoopSpacing(30);
        addBlock(*m, 20, 10, Qt::red);
        addBlock(*m, 30, 10, Qt::blue);
        addBlock(*m, 40, 10, Qt::green);
        int wraps = 0;
        m->SetOnWrap([&](TRealTimeMarquee*) { ++wraps; });
        m->SetNumLoops(1);
        m->SetActive(true);
        const int ticks = ticksUntil(*m, [&] { return !m->Active(); });
        // A, the gap, B, the gap, then C travels its own width and the whole extent.
        QCOMPARE(ticks, 20 + 10 + 30 + 10 + 40 + 100);
        const TMarqueeState s = m->State();
        QCOMPARE(s.LoopsStarted, 0u);
        QCOMPARE(s.LoopsEnded, 0u);
        QCOMPARE(s.VisibleCount, 0u);
        QCOMPARE(s.TimerID, 0u);
        QCoreApplication::processEvents();
        QCOMPARE(wraps, 1);
    }

    void endlessLoopsUseLoopGap()
    {
        auto m = makeMarquee(100, 20);
        useBlocks(*m);
        m->SetSpacing(10);
        m->SetLoopSpacing(30);
        addBlock(*m, 20, 10, Qt::red);
        addBlock(*m, 30, 10, Qt::blue);
        m->SetActive(true);
        const int ticks = ticksUntil(*m, [&] { return m->State().LoopsStarted == 2; });
        // The first item enters again after the last one and the loop gap.
        QCOMPARE(ticks, 20 + 10 + 30 + 30);
        QCOMPARE(m->State().NewestIndex, 0);
        int wraps = 0;
        m->SetOnWrap([&](TRealTimeMarquee*) { ++wraps; });
        ticksUntil(*m, [&] { return m->LoopCount() == 3; });
        QVERIFY(m->Active());
        QCoreApplication::processEvents();
        QCOMPARE(wraps, 3);
    }

    void itemsDrawnWhereTheyScroll_data()
    {
        QTest::addColumn<int>("kind"); // 0 left, 1 right to left, 2 vertical
        QTest::addColumn<QRect>("expected");
        // 100 x 20 client, a 30 x 10 block after 12 steps.
        QTest::newRow("horizontal") << 0 << QRect(88, 5, 12, 10);
        QTest::newRow("right to left") << 1 << QRect(0, 5, 12, 10);
        QTest::newRow("vertical") << 2 << QRect(35, 8, 30, 12);
    }
    void itemsDrawnWhereTheyScroll()
    {
        QFETCH(int, kind);
        QFETCH(QRect, expected);
        auto m = makeMarquee(100, kind == 2 ? 20 : 20);
        useBlocks(*m);
        if (kind == 1)
            m->setLayoutDirection(Qt::RightToLeft);
        if (kind == 2)
            m->SetOrientation(moVertical);
        addBlock(*m, 30, 10, Qt::red);
        if (kind == 2)
            m->Items()->GetItems(0)->SetText("30x12");
        m->SetActive(true);
        for (int i = 0; i < 12; ++i)
            m->TimerTick();
        QCOMPARE(pixelsWhere(m->grab().toImage(), reddish), expected);
    }

    void alignmentAcrossScrollDirection()
    {
        auto m = makeMarquee(100, 20);
        useBlocks(*m);
        addBlock(*m, 30, 6, Qt::red);
        m->Items()->GetItems(0)->SetAlignment(maLeftOrTop);
        m->SetActive(true);
        for (int i = 0; i < 40; ++i)
            m->TimerTick();
        QCOMPARE(pixelsWhere(m->grab().toImage(), reddish), QRect(60, 0, 30, 6));
        m->Items()->GetItems(0)->SetAlignment(maRightOrBottom);
        QCOMPARE(pixelsWhere(m->grab().toImage(), reddish), QRect(60, 14, 30, 6));
    }

    void scrolledContentsMatchFullPaint()
    {
        auto m = makeMarquee(120, 20);
        m->Items()->Add()->SetText("<font color=red>Kayan</font> <b>yazı</b> "
                                   "<font color=blue>deneme</font>");
        m->Items()->GetItems(0)->SetStyle(msHTML);
        m->SetSpacing(5);
        m->SetActive(true);
        auto contents = [&] {
            return m->screen()->grabWindow(m->winId()).toImage().convertToFormat(QImage::Format_RGB32);
        };
        if (contents().size() != m->size())
            QSKIP("the platform gives no access to the window contents");
        for (int i = 0; i < 150; ++i) {
            m->TimerTick();
            if (i % 3 == 0)
                QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const QImage shown = contents();
        const QImage full = m->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(!pixelsWhere(full, reddish).isEmpty() || !pixelsWhere(full, bluish).isEmpty());
        QCOMPARE(shown, full);
    }

    void spacingChangeKeepsNewestInPlace()
    {
        auto m = makeMarquee(100, 20);
        useBlocks(*m);
        m->SetSpacing(10);
        addBlock(*m, 20, 10, Qt::blue);
        addBlock(*m, 20, 10, Qt::red);
        m->SetActive(true);
        ticksUntil(*m, [&] { return m->State().NewestIndex == 1; });
        for (int i = 0; i < 15; ++i)
            m->TimerTick();
        const QImage before = m->grab().toImage();
        const TMarqueeState s0 = m->State();
        QCOMPARE(s0.VisibleCount, 2u);
        m->SetSpacing(30);
        const TMarqueeState s1 = m->State();
        QCOMPARE(s1.NewestIndex, s0.NewestIndex);
        QCOMPARE(s1.NewestOffset, s0.NewestOffset);
        QCOMPARE(s1.VisibleCount, 2u);
        QCOMPARE(s1.OldestIndex, 0);
        // The older item now sits the new gap (30) left of the newest.
        QCOMPARE(s1.OldestOffset, s1.NewestOffset + 30 + 20);
        const QImage after = m->grab().toImage();
        QCOMPARE(pixelsWhere(after, reddish), pixelsWhere(before, reddish));
        QCOMPARE(pixelsWhere(after, bluish), pixelsWhere(before, bluish).translated(-20, 0));
        // A wide gap pushes the older one off screen.
        m->SetSpacing(100);
        QCOMPARE(m->State().VisibleCount, 1u);
        QCOMPARE(m->State().OldestIndex, 1);
        QVERIFY(pixelsWhere(m->grab().toImage(), bluish).isEmpty());
        // Scrolling goes on from there.
        m->SetNumLoops(1);
        ticksUntil(*m, [&] { return !m->Active(); });
        QCOMPARE(m->VisibleCount(), 0u);
    }

    void verticalResizeRewrapsText()
    {
        auto m = makeMarquee(400, 100);
        m->SetOrientation(moVertical);
        TMarqueeItem* item = m->Items()->Add();
        item->SetText("bir iki üç dört beş altı yedi sekiz");
        const int oneLine = item->Height();
        QVERIFY(oneLine > 0);
        m->resize(80, 100);
        QVERIFY(!item->Prepared());
        QVERIFY(item->Height() > 2 * oneLine);
        QVERIFY(item->Width() <= 80);

        auto h = makeMarquee(400, 20);
        TMarqueeItem* hi = h->Items()->Add();
        hi->SetText("bir iki üç dört beş altı yedi sekiz");
        const int w = hi->Width();
        h->resize(80, 20);
        QVERIFY(hi->Prepared());
        QCOMPARE(hi->Width(), w);
    }

    void verticalResizeKeepsShownItems()
    {
        auto m = makeMarquee(200, 100);
        m->SetOrientation(moVertical);
        m->Items()->Add()->SetText("a");
        m->Items()->Add()->SetText("b");
        m->SetSpacing(5);
        m->SetActive(true);
        ticksUntil(*m, [&] { return m->State().NewestIndex == 1; });
        const TMarqueeState s0 = m->State();
        m->resize(150, 100);
        QCOMPARE(m->State().NewestIndex, s0.NewestIndex);
        QCOMPARE(m->State().VisibleCount, s0.VisibleCount);
    }

    void textItemsAreDrawn()
    {
        auto m = makeMarquee(200, 20);
        QPalette pal = m->palette();
        pal.setColor(QPalette::WindowText, Qt::red);
        m->setPalette(pal);
        m->Items()->Add()->SetText("A&B\tC");
        m->SetActive(true);
        for (int i = 0; i < 120; ++i)
            m->TimerTick();
        const QRect red = pixelsWhere(m->grab().toImage(), reddish);
        QVERIFY(!red.isEmpty());
        QVERIFY(red.left() >= 80);
        QVERIFY(red.right() < 80 + m->Items()->GetItems(0)->Width());
    }

    void showingFollowsVisibleRange()
    {
        auto m = makeMarquee(100, 20);
        useBlocks(*m);
        m->SetSpacing(0);
        for (int i = 0; i < 4; ++i)
            addBlock(*m, 40, 10, Qt::red);
        QVERIFY(!m->Items()->GetItems(0)->Showing());
        m->SetActive(true);
        for (int i = 0; i < 90; ++i)
            m->TimerTick();
        // Items 0, 1 and 2 are on screen.
        QCOMPARE(m->VisibleCount(), 3u);
        QVERIFY(m->Items()->GetItems(0)->Showing());
        QVERIFY(m->Items()->GetItems(2)->Showing());
        QVERIFY(!m->Items()->GetItems(3)->Showing());
        m->Reset();
        QCOMPARE(m->VisibleCount(), 0u);
        QCOMPARE(m->LoopCount(), 0u);
        QVERIFY(!m->Items()->GetItems(0)->Showing());
    }

    void itemChangesReprepare()
    {
        auto m = makeMarquee(200, 20);
        TMarqueeItem* item = m->Items()->Add();
        item->SetText("kısa");
        const int w = item->Width();
        QVERIFY(item->Prepared());
        item->SetText("çok daha uzun bir metin");
        QVERIFY(!item->Prepared());
        QVERIFY(item->Width() > w);
        item->SetAlignment(maLeftOrTop); // horizontal: the picture stays
        QVERIFY(item->Prepared());
        m->setFont(QFont("DejaVu Sans", 20));
        QVERIFY(!item->Prepared());
        QVERIFY(item->Width() > w);
    }

    void collectionOperations()
    {
        TRealTimeMarquee m;
        m.Items()->LoadFromStrings({"bir", "<b>iki</b>"}, msHTML);
        QCOMPARE(m.Items()->Count(), 2);
        QCOMPARE(m.Items()->GetItems(1)->Style(), msHTML);
        QStringList lines{"x"};
        m.Items()->SaveToStrings(lines);
        QCOMPARE(lines, QStringList({"bir", "<b>iki</b>"}));
        TMarqueeItem* ins = m.Items()->Insert(0);
        QCOMPARE(ins->Index(), 0);
        ins->SetAlignment(maRightOrBottom);
        ins->SetTag(9);
        ins->SetText("üç");
        TRealTimeMarquee other;
        other.SetItems(*m.Items());
        QCOMPARE(other.Items()->Count(), 3);
        QCOMPARE(other.Items()->GetItems(0)->Text(), QString("üç"));
        QCOMPARE(other.Items()->GetItems(0)->Alignment(), maCenter);
        QCOMPARE(other.Items()->GetItems(0)->Tag(), 0);
        QCOMPARE(other.Items()->GetItems(2)->Style(), msHTML);
        m.Items()->Delete(7); // out of range: nothing happens
        m.Items()->Clear();
        QCOMPARE(m.Items()->Count(), 0);
    }

    void beginUpdateHoldsTheLock()
    {
        auto m = makeMarquee();
        m->Items()->Add()->SetText("a");
        m->SetActive(true);
        m->Items()->BeginUpdate();
        m->Items()->Add()->SetText("b");
        auto step = std::async(std::launch::async, [&] { m->TimerTick(); });
        QCOMPARE(step.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
        m->Items()->EndUpdate();
        step.wait();
        QCOMPARE(m->VisibleCount(), 1u);
    }

    void linksAreFoundAndClicked()
    {
        auto m = makeMarquee(300, 30);
        m->Items()->Add()->SetText("Bak: <a href='https://pelmora.example/kampanya'>"
                                   "<font color=red>KAMPANYA</font></a> ve "
                                   "<a href='C:\\Windows\\notepad.exe'><font color=blue>PROGRAM</font></a>");
        m->Items()->GetItems(0)->SetStyle(msHTML);
        m->SetSpacing(0);
        m->SetActive(true);
        ticksUntil(*m, [&] { return m->State().NewestOffset >= 290; });
        const QImage img = m->grab().toImage();
        const QPoint web = pixelsWhere(img, reddish).center();
        const QPoint program = pixelsWhere(img, bluish).center();
        QCOMPARE(m->LinkAt(web), QString("https://pelmora.example/kampanya"));
        QCOMPARE(m->LinkAt(program), QString("C:\\Windows\\notepad.exe"));
        QCOMPARE(m->LinkAt(QPoint(1, 1)), QString());

        QStringList opened;
        pel::setShellOpenHook([&](const QString& t, const QString&) {
            opened << t;
            return true;
        });
        int clicks = 0;
        m->SetOnClick([&](TRealTimeMarquee*) { ++clicks; });
        QTest::mouseMove(m.get(), web);
        QCOMPARE(m->ActiveLinkText(), QString("https://pelmora.example/kampanya"));
        QCOMPARE(m->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(m.get(), Qt::LeftButton, {}, web);
        QCOMPARE(opened, QStringList{"https://pelmora.example/kampanya"});
        // A link that is not a web or mail address is not handed to the system.
        QTest::mouseMove(m.get(), program);
        QTest::mouseClick(m.get(), Qt::LeftButton, {}, program);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(clicks, 2);
        // Off the links the cursor is the default one.
        QTest::mouseMove(m.get(), QPoint(1, 1));
        QCOMPARE(m->ActiveLinkText(), QString());
        QCOMPARE(m->cursor().shape(), Qt::ArrowCursor);
        // With a handler the handler gets every link.
        QStringList handled;
        m->SetOnLink([&](TRealTimeMarquee*, const QString& l) { handled << l; });
        QTest::mouseMove(m.get(), program);
        QTest::mouseClick(m.get(), Qt::LeftButton, {}, program);
        QCOMPARE(handled, QStringList{"C:\\Windows\\notepad.exe"});
        QCOMPARE(opened.size(), 1);
    }

    void imagesOfHtmlItemsComeFromOnImage()
    {
        auto m = makeMarquee(100, 20);
        QStringList asked;
        m->SetOnImage([&](TRealTimeMarquee*, const QString& uri, QImage& img) {
            asked << uri;
            img = QImage(8, 8, QImage::Format_RGB32);
            img.fill(Qt::red);
        });
        TMarqueeItem* item = m->Items()->Add();
        item->SetStyle(msHTML);
        item->SetText("<img src=logo.png/ >x<img src='logo.png'/>");
        QVERIFY(item->Width() > 0);
        QCOMPARE(asked, QStringList{"logo.png"});
    }

    void mouseEnterAndLeave()
    {
        auto m = makeMarquee();
        int entered = 0, left = 0;
        m->SetOnMouseEnter([&](TRealTimeMarquee*) { ++entered; });
        m->SetOnMouseLeave([&](TRealTimeMarquee*) { ++left; });
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(m.get(), &enter);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(m.get(), &leave);
        QCOMPARE(entered, 1);
        QCOMPARE(left, 1);
    }

    // The real timer thread scrolls while the user-interface thread changes
    // the control.
    void runsOnItsTimerThread()
    {
        auto m = makeMarquee(100, 20);
        m->SetInterval(1);
        m->SetStep(3);
        m->SetSpacing(10);
        m->SetLoopSpacing(20);
        for (const char* t : {"<b>bir</b>", "<font color=red>iki</font>", "üç"}) {
            TMarqueeItem* item = m->Items()->Add();
            item->SetStyle(msHTML);
            item->SetText(QString::fromUtf8(t));
        }
        int wraps = 0;
        m->SetOnWrap([&](TRealTimeMarquee*) { ++wraps; });
        m->SetNumLoops(2);
        m->SetActive(true);
        int round = 0;
        while (m->Active() && round < 20000) {
            QTest::qWait(2);
            switch (++round % 7) {
            case 0:
                m->SetSpacing(5 + round % 20);
                break;
            case 1:
                m->Items()->GetItems(2)->SetText(QString("üç %1").arg(round));
                break;
            case 2:
                m->LinkAt(QPoint(50, 10));
                break;
            case 3:
                m->repaint();
                break;
            case 4:
                m->Items()->Add()->SetText("geçici");
                m->Items()->Delete(3);
                break;
            default:
                break;
            }
        }
        QVERIFY(!m->Active());
        QCOMPARE(m->State().TimerID, 0u);
        QTRY_COMPARE(wraps, 2);
    }

    void destroyedWhileRunning()
    {
        for (int i = 0; i < 5; ++i) {
            auto m = makeMarquee(100, 20);
            m->SetInterval(1);
            m->Items()->Add()->SetText("a");
            m->SetActive(true);
            QTest::qWait(5);
            m.reset();
        }
    }
};

QTEST_MAIN(TestMarquee)
#include "test_marquee.moc"
