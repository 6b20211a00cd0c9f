#include "marquee.h"

#include "linkfilter.h"
#include "timerperiod.h"
#include "platform/seams.h"

#include <QEnterEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <thread>

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

// Largest item picture; longer content is cut off.
constexpr int kMaxBitmapWidth = 32767;
constexpr int kMaxBitmapHeight = 1024;

} // namespace

// ---- one-shot timer on its own thread ----

class TRealTimeMarquee::Timer {
public:
    explicit Timer(TRealTimeMarquee* owner) : fOwner(owner) {}
    ~Timer() { Stop(); }

    void Arm(unsigned id, quint32 ms)
    {
        std::lock_guard l(fMutex);
        if (fQuit)
            return;
        if (!fThread.joinable())
            fThread = std::thread([this] { Run(); });
        fArmed = id;
        fDue = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        fCv.notify_all();
    }
    void Disarm()
    {
        std::lock_guard l(fMutex);
        fArmed = 0;
        fCv.notify_all();
    }
    void Stop()
    {
        {
            std::lock_guard l(fMutex);
            fQuit = true;
            fArmed = 0;
            fCv.notify_all();
        }
        if (fThread.joinable())
            fThread.join();
    }

private:
    void Run()
    {
        std::unique_lock l(fMutex);
        while (!fQuit) {
            if (!fArmed) {
                fCv.wait(l);
                continue;
            }
            if (std::chrono::steady_clock::now() < fDue) {
                fCv.wait_until(l, fDue);
                continue;
            }
            const unsigned id = fArmed;
            fArmed = 0;
            l.unlock();
            fOwner->tick(id);
            l.lock();
        }
    }

    TRealTimeMarquee* fOwner;
    std::mutex fMutex;
    std::condition_variable fCv;
    std::thread fThread;
    bool fQuit = false;
    unsigned fArmed = 0;
    std::chrono::steady_clock::time_point fDue;
};

// ---- TMarqueeBitmap ----

void TMarqueeBitmap::SetSize(int w, int h)
{
    if (w <= 0 || h <= 0) {
        Image = QImage();
        return;
    }
    Image = QImage(w, h, QImage::Format_RGB32);
    Image.fill(BrushColor.isValid() ? BrushColor : QColor(Qt::white));
}

// ---- TMarqueeItem ----

TMarqueeItem::TMarqueeItem(TMarqueeCollection* collection)
    : fBitmap(std::make_unique<TMarqueeBitmap>()), fCollection(collection)
{
}

TMarqueeItem::~TMarqueeItem() = default;

TRealTimeMarquee* TMarqueeItem::Marquee() const
{
    return fCollection->Marquee();
}

int TMarqueeItem::Index() const
{
    return fCollection->IndexOf(this);
}

void TMarqueeItem::Changed()
{
    fCollection->Update(this);
}

void TMarqueeItem::SetText(const QString& value)
{
    Guard g(Marquee()->CS);
    if (value == fText)
        return;
    fText = value;
    if (fPrepared)
        UnprepareImage();
    Changed();
}

void TMarqueeItem::SetStyle(TMarqueeStyle value)
{
    Guard g(Marquee()->CS);
    if (value == fStyle)
        return;
    fStyle = value;
    if (fPrepared)
        UnprepareImage();
    Changed();
}

void TMarqueeItem::SetAlignment(TMarqueeAlignment value)
{
    Guard g(Marquee()->CS);
    if (value == fAlignment)
        return;
    fAlignment = value;
    if (Marquee()->fOrientation == moVertical)
        UnprepareImage();
    Changed();
}

void TMarqueeItem::Assign(const TMarqueeItem& other)
{
    Guard g(Marquee()->CS);
    SetText(other.Text());
    SetStyle(other.Style());
}

bool TMarqueeItem::Showing() const
{
    TRealTimeMarquee* m = Marquee();
    Guard g(m->CS);
    if (m->fVisibleCount == 0)
        return false;
    const int count = fCollection->Count();
    if (unsigned(count) < m->fVisibleCount)
        return true;
    const int i = Index();
    if (m->NewestIndex >= m->OldestIndex)
        return i >= m->OldestIndex && i <= m->NewestIndex;
    return i >= m->OldestIndex || i <= m->NewestIndex;
}

int TMarqueeItem::GetExtent()
{
    return Marquee()->fOrientation == moVertical ? Height() : Width();
}

int TMarqueeItem::Width()
{
    Guard g(Marquee()->CS);
    if (!fPrepared)
        PrepareImage();
    return fSize.width();
}

int TMarqueeItem::Height()
{
    Guard g(Marquee()->CS);
    if (!fPrepared)
        PrepareImage();
    return fSize.height();
}

void TMarqueeItem::PaintTo(QPainter& p, const QRect& visible, int x, int y)
{
    if (!fPrepared)
        PrepareImage();
    const QRect r(x, y, fSize.width(), fSize.height());
    if (!fBitmap->Image.isNull() && r.intersects(visible))
        p.drawImage(x, y, fBitmap->Image);
}

QString TMarqueeItem::GetLinkAt(int x, int y)
{
    if (!fPrepared || fStyle != msHTML || !fLinks || fLinks->Count() == 0)
        return QString();
    const int i = fLinks->IndexOfLinkAt(QPoint(x, y));
    return i >= 0 ? fLinks->GetLinks(i) : QString();
}

void TMarqueeItem::UnprepareImage()
{
    Guard g(Marquee()->CS);
    if (!fPrepared)
        return;
    fPrepared = false;
    if (fLinks)
        fLinks->Clear();
    fBitmap->Image = QImage();
    fSize = QSize(0, 0);
}

void TMarqueeItem::PrepareImage()
{
    Guard g(Marquee()->CS);
    if (fLinks)
        fLinks->Clear();
    switch (fStyle) {
    case msText:
        PrepareText();
        break;
    case msHTML:
        PrepareHTML();
        break;
    case msOwnerDraw:
        PrepareOwnerDraw();
        break;
    }
    fPrepared = true;
}

void TMarqueeItem::PrepareText()
{
    TRealTimeMarquee* m = Marquee();
    const QFont font = m->fFont;
    QImage probe(1, 1, QImage::Format_RGB32);
    const QFontMetrics fm(font, &probe);
    const int avg = fm.averageCharWidth();
    int flags = Qt::TextExpandTabs;
    QRect bound;
    if (m->fOrientation == moVertical) {
        flags |= Qt::TextWordWrap;
        flags |= fAlignment == maLeftOrTop       ? Qt::AlignLeft
                 : fAlignment == maRightOrBottom ? Qt::AlignRight
                                                 : Qt::AlignHCenter;
        const int layoutWidth = std::max(1, m->fClientWidth - avg);
        bound = fm.boundingRect(QRect(0, 0, layoutWidth, kMaxBitmapHeight * 64), flags, fText);
    } else {
        flags |= Qt::TextSingleLine | Qt::AlignHCenter;
        bound = fm.boundingRect(QRect(0, 0, 0, 0), flags | Qt::TextDontClip, fText);
    }
    const int w = std::clamp(bound.width() + avg, 0, kMaxBitmapWidth);
    const int h = std::clamp(bound.height(), 0, kMaxBitmapHeight);
    fBitmap->BrushColor = m->fColor;
    fBitmap->Font = font;
    fBitmap->SetSize(w, h);
    if (!fBitmap->Image.isNull()) {
        QPainter p(&fBitmap->Image);
        p.setFont(font);
        p.setPen(m->fFontColor);
        p.setLayoutDirection(m->fRightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        const QRect r(avg / 2, 0, w - 2 * (avg / 2), h);
        p.drawText(r, flags | Qt::TextDontClip, fText);
    }
    fSize = QSize(w, h);
}

void TMarqueeItem::PrepareHTML()
{
    TRealTimeMarquee* m = Marquee();
    TSimpleHTML doc(fText);
    doc.SetOnGetImage(
        [m](TSimpleHTML*, const QString& uri, QImage& image) { m->DoImage(uri, image); });
    QImage probe(1, 1, QImage::Format_RGB32);
    auto setUp = [m](TCanvas& c) {
        c.Font = m->fFont;
        c.FontColor = m->fFontColor;
        c.BrushColor = m->fColor;
        c.SetRightToLeft(m->fRightToLeft);
    };
    TCanvas measure(&probe);
    setUp(measure);
    const QSize s = doc.Extend(measure);
    const int avg = QFontMetrics(m->fFont, &probe).averageCharWidth();
    const int w = std::clamp(s.width() + avg, 0, kMaxBitmapWidth);
    const int h = std::clamp(s.height(), 0, kMaxBitmapHeight);
    fBitmap->BrushColor = m->fColor;
    fBitmap->Font = m->fFont;
    fBitmap->SetSize(w, h);
    if (!fLinks)
        fLinks = std::make_unique<TSimpleLinks>();
    const QRect r(avg / 2, 0, w - 2 * (avg / 2), h);
    if (!fBitmap->Image.isNull()) {
        QPainter p(&fBitmap->Image);
        TCanvas c(&p);
        setUp(c);
        doc.Draw(c, r);
        doc.CollectLinks(c, r, *fLinks);
    } else {
        doc.CollectLinks(measure, r, *fLinks);
    }
    fSize = QSize(w, h);
}

void TMarqueeItem::PrepareOwnerDraw()
{
    TRealTimeMarquee* m = Marquee();
    fBitmap->Image = QImage();
    fBitmap->BrushColor = m->fColor;
    fBitmap->Font = m->fFont;
    m->DoDrawItem(this, *fBitmap);
    if (fBitmap->Width() > kMaxBitmapWidth || fBitmap->Height() > kMaxBitmapHeight)
        fBitmap->Image = fBitmap->Image.copy(0, 0, std::min(fBitmap->Width(), kMaxBitmapWidth),
                                             std::min(fBitmap->Height(), kMaxBitmapHeight));
    fSize = fBitmap->Image.size();
    if (fSize.width() < 0 || fSize.height() < 0)
        fSize = QSize(0, 0);
}

// ---- TMarqueeCollection ----

TMarqueeCollection::TMarqueeCollection(TRealTimeMarquee* marquee) : fMarquee(marquee) {}

TMarqueeCollection::~TMarqueeCollection() = default;

TMarqueeItem* TMarqueeCollection::Add()
{
    return Insert(Count());
}

TMarqueeItem* TMarqueeCollection::Insert(int index)
{
    Guard g(fMarquee->CS);
    index = std::clamp(index, 0, Count());
    auto it = fItems.insert(fItems.begin() + index, std::make_unique<TMarqueeItem>(this));
    TMarqueeItem* item = it->get();
    Update(nullptr);
    return item;
}

void TMarqueeCollection::Delete(int index)
{
    Guard g(fMarquee->CS);
    if (index < 0 || index >= Count())
        return;
    fItems.erase(fItems.begin() + index);
    Update(nullptr);
}

void TMarqueeCollection::Clear()
{
    Guard g(fMarquee->CS);
    if (fItems.empty())
        return;
    fItems.clear();
    Update(nullptr);
}

TMarqueeItem* TMarqueeCollection::GetItems(int index) const
{
    return index >= 0 && index < Count() ? fItems[size_t(index)].get() : nullptr;
}

int TMarqueeCollection::IndexOf(const TMarqueeItem* item) const
{
    for (size_t i = 0; i < fItems.size(); ++i)
        if (fItems[i].get() == item)
            return int(i);
    return -1;
}

void TMarqueeCollection::BeginUpdate()
{
    fMarquee->CS.lock();
    ++fUpdateCount;
}

void TMarqueeCollection::EndUpdate()
{
    if (fUpdateCount == 0)
        return;
    if (--fUpdateCount == 0)
        Update(nullptr);
    fMarquee->CS.unlock();
}

void TMarqueeCollection::releaseUpdates()
{
    while (fUpdateCount > 0) {
        --fUpdateCount;
        fMarquee->CS.unlock();
    }
}

void TMarqueeCollection::LoadFromStrings(const QStringList& lines, TMarqueeTextStyle style)
{
    BeginUpdate();
    Clear();
    for (const QString& line : lines) {
        TMarqueeItem* item = Add();
        item->SetText(line);
        item->SetStyle(style == msHTML ? msHTML : msText);
    }
    EndUpdate();
}

void TMarqueeCollection::SaveToStrings(QStringList& lines) const
{
    Guard g(fMarquee->CS);
    lines.clear();
    for (const auto& item : fItems)
        lines.append(item->Text());
}

void TMarqueeCollection::Assign(const TMarqueeCollection& other)
{
    if (&other == this)
        return;
    BeginUpdate();
    Clear();
    for (const auto& o : other.fItems)
        Add()->Assign(*o);
    EndUpdate();
}

void TMarqueeCollection::UnprepareAll()
{
    Guard g(fMarquee->CS);
    for (const auto& item : fItems)
        item->UnprepareImage();
}

void TMarqueeCollection::Update(TMarqueeItem* item)
{
    if (fUpdateCount > 0)
        return;
    fMarquee->ItemChanged(item);
}

// ---- TRealTimeMarquee ----

TRealTimeMarquee::TRealTimeMarquee(QWidget* owner) : QWidget(owner)
{
    fItems = std::make_unique<TMarqueeCollection>(this);
    fTimer = std::make_unique<Timer>(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(200, 20);
    {
        Guard g(CS);
        syncWidgetState();
        fClientWidth = 200;
        fClientHeight = 20;
        fWindowExists = true;
    }
    SetOrientation(moHorizontal);
    SetLoopSpacing(100);
    SetSpacing(100);
    SetStep(1);
    SetInterval(10);
    UpdateTimer();
}

TRealTimeMarquee::~TRealTimeMarquee()
{
    fDestroying = true;
    // A batch of changes left open would keep the timer thread waiting.
    fItems->releaseUpdates();
    {
        Guard g(CS);
        StopTimer();
        fWindowExists = false;
        pel::endTimerPeriod(Resolution);
    }
    fTimer->Stop();
    fItems.reset();
}

void TRealTimeMarquee::Lock()
{
    CS.lock();
}

void TRealTimeMarquee::Unlock()
{
    CS.unlock();
}

quint32 TRealTimeMarquee::MinPeriod()
{
    return pel::timerMinPeriod();
}

quint32 TRealTimeMarquee::MaxPeriod()
{
    return pel::timerMaxPeriod();
}

void TRealTimeMarquee::syncWidgetState()
{
    fColor = palette().color(QPalette::Window);
    fFont = font();
    fFontColor = palette().color(QPalette::WindowText);
    fRightToLeft = layoutDirection() == Qt::RightToLeft;
    fEnabled = isEnabled();
}

int TRealTimeMarquee::clientExtent() const
{
    return fOrientation == moVertical ? fClientHeight : fClientWidth;
}

void TRealTimeMarquee::recomputeGaps()
{
    const int extent = clientExtent();
    GapBetweenItems = MulDiv(extent, fSpacing, 100);
    GapBetweenLoops = MulDiv(extent, fLoopSpacing, 100);
}

void TRealTimeMarquee::SetItems(const TMarqueeCollection& items)
{
    fItems->Assign(items);
}

bool TRealTimeMarquee::Active() const
{
    Guard g(CS);
    return fActive;
}

void TRealTimeMarquee::SetActive(bool value)
{
    Guard g(CS);
    if (value == fActive)
        return;
    fActive = value;
    UpdateTimer();
}

quint32 TRealTimeMarquee::Interval() const
{
    Guard g(CS);
    return fInterval;
}

void TRealTimeMarquee::SetInterval(quint32 value)
{
    value = std::clamp(value, MinPeriod(), MaxPeriod());
    Guard g(CS);
    if (value == fInterval)
        return;
    fInterval = value;
    if (fWindowExists) {
        pel::endTimerPeriod(Resolution);
        Resolution = fInterval / 10;
        pel::beginTimerPeriod(Resolution);
    }
}

quint8 TRealTimeMarquee::Step() const
{
    Guard g(CS);
    return fStep;
}

void TRealTimeMarquee::SetStep(quint8 value)
{
    if (value == 0)
        value = 1;
    Guard g(CS);
    fStep = value;
}

TPercent TRealTimeMarquee::Spacing() const
{
    Guard g(CS);
    return fSpacing;
}

void TRealTimeMarquee::SetSpacing(int value)
{
    const TPercent v = TPercent(std::clamp(value, 0, 100));
    Guard g(CS);
    if (v == fSpacing)
        return;
    fSpacing = v;
    if (fWindowExists) {
        recomputeGaps();
        if (fVisibleCount != 0) {
            RecalcVisibleItems();
            Invalidate();
        }
    }
}

TPercent TRealTimeMarquee::LoopSpacing() const
{
    Guard g(CS);
    return fLoopSpacing;
}

void TRealTimeMarquee::SetLoopSpacing(int value)
{
    const TPercent v = TPercent(std::clamp(value, 0, 100));
    Guard g(CS);
    if (v == fLoopSpacing)
        return;
    fLoopSpacing = v;
    if (fWindowExists) {
        recomputeGaps();
        if (fVisibleCount != 0) {
            RecalcVisibleItems();
            Invalidate();
        }
    }
}

quint32 TRealTimeMarquee::NumLoops() const
{
    Guard g(CS);
    return fNumLoops;
}

void TRealTimeMarquee::SetNumLoops(quint32 value)
{
    Guard g(CS);
    fNumLoops = value;
}

TMarqueeOrientation TRealTimeMarquee::Orientation() const
{
    Guard g(CS);
    return fOrientation;
}

void TRealTimeMarquee::SetOrientation(TMarqueeOrientation value)
{
    {
        Guard g(CS);
        if (value == fOrientation)
            return;
        fOrientation = value;
        if (fWindowExists)
            recomputeGaps();
        // Text items lay out differently along the other direction.
        fItems->UnprepareAll();
    }
    Reset();
}

quint32 TRealTimeMarquee::VisibleCount() const
{
    Guard g(CS);
    return fVisibleCount;
}

quint32 TRealTimeMarquee::LoopCount() const
{
    Guard g(CS);
    return LoopsEnded;
}

QColor TRealTimeMarquee::Color() const
{
    Guard g(CS);
    return fColor;
}

void TRealTimeMarquee::SetColor(const QColor& c)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, c);
    setPalette(pal);
}

void TRealTimeMarquee::SetOnWrap(TNotifyEvent e)
{
    Guard g(CS);
    fOnWrap = std::move(e);
}

void TRealTimeMarquee::SetOnLink(TMarqueeLinkEvent e)
{
    Guard g(CS);
    fOnLink = std::move(e);
}

void TRealTimeMarquee::SetOnImage(TMarqueeImageEvent e)
{
    Guard g(CS);
    fOnImage = std::move(e);
}

void TRealTimeMarquee::SetOnDrawItem(TMarqueeDrawItemEvent e)
{
    Guard g(CS);
    fOnDrawItem = std::move(e);
}

void TRealTimeMarquee::SetOnMouseEnter(TNotifyEvent e)
{
    Guard g(CS);
    fOnMouseEnter = std::move(e);
}

void TRealTimeMarquee::SetOnMouseLeave(TNotifyEvent e)
{
    Guard g(CS);
    fOnMouseLeave = std::move(e);
}

void TRealTimeMarquee::SetOnClick(TNotifyEvent e)
{
    Guard g(CS);
    fOnClick = std::move(e);
}

void TRealTimeMarquee::Reset()
{
    {
        Guard g(CS);
        fVisibleCount = 0;
        LoopsStarted = 0;
        LoopsEnded = 0;
    }
    Invalidate();
}

void TRealTimeMarquee::Invalidate()
{
    if (QThread::currentThread() != thread()) {
        if (!fDestroying)
            QMetaObject::invokeMethod(this, [this] { Invalidate(); }, Qt::QueuedConnection);
        return;
    }
    bool cursor = false;
    {
        Guard g(CS);
        if (!fWindowExists)
            return;
        fInvalidPending = true;
        fPendingScroll = 0;
        cursor = MouseIsInside && fEnabled;
    }
    update();
    if (cursor)
        postCursorUpdate();
}

TMarqueeState TRealTimeMarquee::State() const
{
    Guard g(CS);
    TMarqueeState s;
    s.VisibleCount = fVisibleCount;
    s.OldestIndex = OldestIndex;
    s.NewestIndex = NewestIndex;
    s.OldestOffset = OldestOffset;
    s.NewestOffset = NewestOffset;
    s.LoopsStarted = LoopsStarted;
    s.LoopsEnded = LoopsEnded;
    s.TimerID = TimerID;
    s.GapBetweenItems = GapBetweenItems;
    s.GapBetweenLoops = GapBetweenLoops;
    return s;
}

QString TRealTimeMarquee::ActiveLinkText() const
{
    Guard g(CS);
    return ActiveLink;
}

// ---- timer control ----

void TRealTimeMarquee::UpdateTimer()
{
    Guard g(CS);
    if (fActive && fWindowExists && fItems && fItems->Count() > 0)
        StartTimer();
    else
        StopTimer();
}

void TRealTimeMarquee::StartTimer()
{
    Guard g(CS);
    if (TimerID != 0 || !fWindowExists || fDestroying)
        return;
    if (++fNextTimerId == 0)
        ++fNextTimerId;
    TimerID = fNextTimerId;
    fTimer->Arm(TimerID, fInterval);
}

void TRealTimeMarquee::StopTimer()
{
    Guard g(CS);
    fTimer->Disarm();
    TimerID = 0;
}

void TRealTimeMarquee::TimerTick()
{
    tick(0);
}

void TRealTimeMarquee::tick(unsigned id)
{
    std::unique_lock<std::recursive_mutex> lock(CS);
    if (fDestroying)
        return;
    const int count = fItems->Count();
    if (TimerID == 0 || (id != 0 && id != TimerID) || count == 0)
        return;
    TimerID = 0;
    fTimer->Disarm();
    bool wrapped = false;
    const int extent = clientExtent();
    if (fVisibleCount != 0 && (NewestIndex >= count || OldestIndex >= count))
        RecalcVisibleItems();
    if (fVisibleCount == 0) {
        OldestIndex = NewestIndex = 0;
        OldestOffset = NewestOffset = 0;
        ++LoopsStarted;
        fVisibleCount = 1;
    }
    OldestOffset += fStep;
    NewestOffset += fStep;
    if (!fInvalidPending)
        fPendingScroll += fStep;

    // The oldest item leaves.
    TMarqueeItem* oldest = fItems->GetItems(OldestIndex);
    const int oldestExtent = oldest->GetExtent();
    if (OldestOffset >= extent + oldestExtent) {
        OldestOffset -= oldestExtent;
        --fVisibleCount;
        ++OldestIndex;
        int gap = GapBetweenItems;
        if (OldestIndex >= count) {
            OldestIndex = 0;
            wrapped = true;
            ++LoopsEnded;
            if (fNumLoops != 0 && LoopsEnded >= fNumLoops) {
                fActive = false;
                LoopsStarted = LoopsEnded = 0;
            }
            gap = GapBetweenLoops;
        }
        OldestOffset -= gap;
    }

    // The next item enters.
    if (fActive) {
        const bool last = NewestIndex == count - 1;
        const int d = last ? GapBetweenLoops : GapBetweenItems;
        const int newestExtent = fItems->GetItems(NewestIndex)->GetExtent();
        if (NewestOffset >= d + newestExtent &&
            (fNumLoops == 0 || LoopsStarted < fNumLoops || !last)) {
            NewestOffset -= newestExtent + d;
            if (++NewestIndex >= count) {
                NewestIndex = 0;
                ++LoopsStarted;
            }
            ++fVisibleCount;
        }
    }

    const bool postFlush = fPendingScroll > 0 && !fFlushPosted && !fDestroying;
    if (postFlush)
        fFlushPosted = true;
    const bool cursor = MouseIsInside && fEnabled;
    if (fActive)
        StartTimer();
    lock.unlock();

    if (fDestroying)
        return;
    if (postFlush)
        QMetaObject::invokeMethod(this, [this] { flushScroll(); }, Qt::QueuedConnection);
    if (cursor)
        postCursorUpdate();
    if (wrapped)
        QMetaObject::invokeMethod(this, [this] { DoWrap(); }, Qt::QueuedConnection);
}

// Runs on the user-interface thread: scrolls the window contents by the steps
// taken since the last hand-off and paints the exposed strip.
void TRealTimeMarquee::flushScroll()
{
    Guard g(CS);
    fFlushPosted = false;
    const int n = fPendingScroll;
    fPendingScroll = 0;
    if (n == 0 || fInvalidPending || !fWindowExists)
        return;
    const int w = fClientWidth;
    const int h = fClientHeight;
    if (fPainting || !isVisible() || n >= clientExtent()) {
        fInvalidPending = true;
        update();
        return;
    }
    QRect strip;
    if (fOrientation == moVertical) {
        scroll(0, -n);
        strip = QRect(0, h - n, w, n);
    } else if (fRightToLeft) {
        scroll(n, 0);
        strip = QRect(0, 0, n, h);
    } else {
        scroll(-n, 0);
        strip = QRect(w - n, 0, n, h);
    }
    repaint(strip);
}

// ---- drawing ----

void TRealTimeMarquee::walkItems(const QRect& r, bool limit,
                                 const std::function<bool(TMarqueeItem*, int, int)>& f)
{
    const int count = fItems->Count();
    if (count == 0 || fVisibleCount == 0 || NewestIndex < 0 || NewestIndex >= count)
        return;
    const TBox b = TBox::From(r);
    const int W = fClientWidth;
    const int H = fClientHeight;
    auto cross = [](const TMarqueeItem* it, int avail, int size) {
        switch (it->Alignment()) {
        case maLeftOrTop:
            return 0;
        case maRightOrBottom:
            return avail - size;
        default:
            return (avail - size) / 2;
        }
    };
    auto gapAfter = [&](int i) { return i == 0 ? GapBetweenLoops : GapBetweenItems; };
    auto older = [&](int i) { return i == 0 ? count - 1 : i - 1; };
    int idx = NewestIndex;
    TMarqueeItem* it = fItems->GetItems(idx);
    if (fOrientation == moVertical) {
        long long y = (long long)H - NewestOffset;
        for (quint32 k = 0; k < fVisibleCount; ++k) {
            it = fItems->GetItems(idx);
            if (f(it, cross(it, W, it->Width()), int(y)))
                return;
            y -= gapAfter(idx);
            if (limit && y < b.Top)
                return;
            idx = older(idx);
            y -= fItems->GetItems(idx)->Height();
        }
    } else if (fRightToLeft) {
        long long x = (long long)NewestOffset - it->Width();
        for (quint32 k = 0; k < fVisibleCount; ++k) {
            it = fItems->GetItems(idx);
            if (f(it, int(x), cross(it, H, it->Height())))
                return;
            x += it->Width() + gapAfter(idx);
            if (limit && x > b.Right)
                return;
            idx = older(idx);
        }
    } else {
        long long x = (long long)W - NewestOffset;
        for (quint32 k = 0; k < fVisibleCount; ++k) {
            it = fItems->GetItems(idx);
            if (f(it, int(x), cross(it, H, it->Height())))
                return;
            x -= gapAfter(idx);
            if (limit && x < b.Left)
                return;
            idx = older(idx);
            x -= fItems->GetItems(idx)->Width();
        }
    }
}

void TRealTimeMarquee::DrawItems(QPainter& p, const QRect& r)
{
    Guard g(CS);
    p.fillRect(r, fColor);
    if (fVisibleCount == 0)
        return;
    walkItems(r, true, [&](TMarqueeItem* it, int x, int y) {
        it->PaintTo(p, r, x, y);
        return false;
    });
}

QString TRealTimeMarquee::LinkAt(const QPoint& pt)
{
    Guard g(CS);
    QString link;
    walkItems(QRect(0, 0, fClientWidth, fClientHeight), false,
              [&](TMarqueeItem* it, int x, int y) {
                  link = it->GetLinkAt(pt.x() - x, pt.y() - y);
                  return !link.isEmpty();
              });
    return link;
}

void TRealTimeMarquee::RecalcVisibleItems()
{
    Guard g(CS);
    if (fVisibleCount == 0)
        return;
    fVisibleCount = 0;
    const int count = fItems->Count();
    if (count == 0)
        return;
    const int extent = clientExtent();
    NewestIndex = std::clamp(NewestIndex, 0, count - 1);
    while (NewestIndex > 0 && !fItems->GetItems(NewestIndex)->Prepared())
        --NewestIndex;
    fItems->GetItems(NewestIndex)->GetExtent();
    OldestIndex = NewestIndex;
    OldestOffset = NewestOffset;
    quint32 passes = LoopsStarted;
    fVisibleCount = 1;
    // An older item is on screen while the newer one's offset plus the gap
    // between them is inside the client extent.
    const long long cap = 2LL * count + extent + 2;
    for (;;) {
        int prev;
        int gap;
        if (OldestIndex != 0) {
            prev = OldestIndex - 1;
            gap = GapBetweenItems;
        } else {
            if (passes <= 1)
                break;
            prev = count - 1;
            gap = GapBetweenLoops;
        }
        TMarqueeItem* item = fItems->GetItems(prev);
        if (!item->Prepared() || (long long)OldestOffset + gap >= extent)
            break;
        OldestOffset += gap + item->GetExtent();
        if (OldestIndex == 0)
            --passes;
        OldestIndex = prev;
        if (++fVisibleCount >= cap)
            break;
    }
}

void TRealTimeMarquee::ItemChanged(TMarqueeItem* item)
{
    Guard g(CS);
    if (!item) {
        if (fVisibleCount != 0) {
            RecalcVisibleItems();
            Invalidate();
        }
        UpdateTimer();
    } else if (item->Showing()) {
        RecalcVisibleItems();
        Invalidate();
    }
}

// ---- window events ----

void TRealTimeMarquee::paintEvent(QPaintEvent* e)
{
    Guard g(CS);
    fPainting = true;
    if ((QRegion(rect()) - e->region()).isEmpty())
        fInvalidPending = false;
    QPainter p(this);
    DrawItems(p, e->rect());
    fPainting = false;
}

void TRealTimeMarquee::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    {
        Guard g(CS);
        fClientWidth = width();
        fClientHeight = height();
        recomputeGaps();
        if (fOrientation == moVertical) {
            // Re-wrap every item; the ones on screen are laid out again at once
            // so that they keep their places.
            std::vector<TMarqueeItem*> shown;
            walkItems(rect(), false, [&](TMarqueeItem* it, int, int) {
                shown.push_back(it);
                return false;
            });
            fItems->UnprepareAll();
            for (TMarqueeItem* it : shown)
                it->PrepareImage();
        }
        RecalcVisibleItems();
    }
    Invalidate();
}

void TRealTimeMarquee::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    switch (e->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::LayoutDirectionChange: {
        {
            Guard g(CS);
            std::vector<TMarqueeItem*> shown;
            walkItems(rect(), false, [&](TMarqueeItem* it, int, int) {
                shown.push_back(it);
                return false;
            });
            fItems->UnprepareAll();
            syncWidgetState();
            for (TMarqueeItem* it : shown)
                it->PrepareImage();
            RecalcVisibleItems();
        }
        Invalidate();
        break;
    }
    case QEvent::EnabledChange: {
        Guard g(CS);
        fEnabled = isEnabled();
        break;
    }
    default:
        break;
    }
}

void TRealTimeMarquee::postCursorUpdate()
{
    {
        Guard g(CS);
        if (fCursorPosted || fDestroying)
            return;
        fCursorPosted = true;
    }
    QMetaObject::invokeMethod(this, [this] { updateCursor(); }, Qt::QueuedConnection);
}

void TRealTimeMarquee::updateCursor()
{
    QString link;
    {
        Guard g(CS);
        fCursorPosted = false;
        if (!fEnabled)
            return;
        link = LinkAt(fMousePos);
        ActiveLink = link;
    }
    if (link.isEmpty())
        unsetCursor();
    else
        setCursor(Qt::PointingHandCursor);
}

void TRealTimeMarquee::mouseMoveEvent(QMouseEvent* e)
{
    QWidget::mouseMoveEvent(e);
    {
        Guard g(CS);
        fMousePos = e->position().toPoint();
    }
    updateCursor();
}

void TRealTimeMarquee::mouseReleaseEvent(QMouseEvent* e)
{
    QWidget::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton || !rect().contains(e->position().toPoint()))
        return;
    TNotifyEvent click;
    QString link;
    {
        Guard g(CS);
        click = fOnClick;
        link = ActiveLink;
    }
    if (click)
        click(this);
    if (!link.isEmpty())
        DoLink(link);
}

void TRealTimeMarquee::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    {
        Guard g(CS);
        MouseIsInside = true;
        fMousePos = e->position().toPoint();
    }
    DoMouseEnter();
}

void TRealTimeMarquee::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    {
        Guard g(CS);
        MouseIsInside = false;
    }
    DoMouseLeave();
}

// ---- events ----

void TRealTimeMarquee::DoMouseEnter()
{
    TNotifyEvent h;
    {
        Guard g(CS);
        h = fOnMouseEnter;
    }
    if (h)
        h(this);
}

void TRealTimeMarquee::DoMouseLeave()
{
    TNotifyEvent h;
    {
        Guard g(CS);
        h = fOnMouseLeave;
    }
    if (h)
        h(this);
}

void TRealTimeMarquee::DoWrap()
{
    TNotifyEvent h;
    {
        Guard g(CS);
        h = fOnWrap;
    }
    if (h)
        h(this);
}

void TRealTimeMarquee::DoLink(const QString& link)
{
    TMarqueeLinkEvent h;
    {
        Guard g(CS);
        h = fOnLink;
    }
    if (h)
        h(this, link);
    else if (pel::isOpenableLink(link))
        // The text comes from the server: only web and mail addresses are opened.
        pel::shellOpen(link.trimmed());
}

void TRealTimeMarquee::DoImage(const QString& uri, QImage& image)
{
    TMarqueeImageEvent h;
    {
        Guard g(CS);
        h = fOnImage;
    }
    if (h) {
        h(this, uri, image);
    } else if (!uri.isEmpty() && QFileInfo(uri).isFile()) {
        QImage loaded;
        if (loaded.load(uri))
            image = loaded;
    }
}

void TRealTimeMarquee::DoDrawItem(TMarqueeItem* item, TMarqueeBitmap& bitmap)
{
    TMarqueeDrawItemEvent h;
    {
        Guard g(CS);
        h = fOnDrawItem;
    }
    if (h)
        h(this, item, bitmap);
}
