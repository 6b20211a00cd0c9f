#pragma once
// A control that scrolls a list of items (plain text, simple HTML or pictures
// painted by the owner) continuously across its client area. A one-shot timer
// on its own thread advances the state under the control's lock; each step
// hands the scroll and the newly exposed strip to the user-interface thread.

#include "simplehtml.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

enum TMarqueeStyle { msText = 0, msHTML = 1, msOwnerDraw = 2 };
using TMarqueeTextStyle = TMarqueeStyle; // msText .. msHTML
enum TMarqueeAlignment { maCenter = 0, maLeftOrTop = 1, maRightOrBottom = 2 };
enum TMarqueeOrientation { moHorizontal = 0, moVertical = 1 };
using TPercent = quint8; // 0 .. 100

class TRealTimeMarquee;
class TMarqueeCollection;
class TMarqueeItem;

// An item's off-screen picture with the brush colour and font it is prepared with.
struct TMarqueeBitmap {
    QImage Image;
    QFont Font;
    QColor BrushColor = Qt::white;
    int Width() const { return Image.width(); }
    int Height() const { return Image.height(); }
    // Resizes to w x h and fills with the brush colour (0 in either: empty).
    void SetSize(int w, int h);
};

using TNotifyEvent = std::function<void(TRealTimeMarquee* Sender)>;
using TMarqueeDrawItemEvent =
    std::function<void(TRealTimeMarquee* Sender, TMarqueeItem* Item, TMarqueeBitmap& Bitmap)>;
using TMarqueeLinkEvent = std::function<void(TRealTimeMarquee* Sender, const QString& Link)>;
using TMarqueeImageEvent =
    std::function<void(TRealTimeMarquee* Sender, const QString& URI, QImage& Image)>;

class TMarqueeItem {
public:
    explicit TMarqueeItem(TMarqueeCollection* collection);
    virtual ~TMarqueeItem();
    TMarqueeItem(const TMarqueeItem&) = delete;
    TMarqueeItem& operator=(const TMarqueeItem&) = delete;

    QString Text() const { return fText; }
    void SetText(const QString& value);
    TMarqueeAlignment Alignment() const { return fAlignment; }
    void SetAlignment(TMarqueeAlignment value);
    TMarqueeStyle Style() const { return fStyle; }
    void SetStyle(TMarqueeStyle value);
    int Tag() const { return fTag; }
    void SetTag(int value) { fTag = value; }
    // Copies Text and Style.
    void Assign(const TMarqueeItem& other);

    TRealTimeMarquee* Marquee() const;
    int Index() const;
    bool Showing() const;
    bool Prepared() const { return fPrepared; }
    // Extent along the scroll direction, width and height (prepared on demand).
    int GetExtent();
    int Width();
    int Height();
    const TSimpleLinks* Links() const { return fLinks.get(); }

    virtual void PaintTo(QPainter& p, const QRect& visible, int x, int y);
    virtual QString GetLinkAt(int x, int y);
    virtual void UnprepareImage();
    virtual void PrepareImage();
    virtual void PrepareText();
    virtual void PrepareHTML();
    virtual void PrepareOwnerDraw();

private:
    void Changed();

    QString fText;
    TMarqueeAlignment fAlignment = maCenter;
    TMarqueeStyle fStyle = msText;
    bool fPrepared = false;
    std::unique_ptr<TMarqueeBitmap> fBitmap;
    std::unique_ptr<TSimpleLinks> fLinks;
    QSize fSize;
    int fTag = 0;
    TMarqueeCollection* fCollection;
};

class TMarqueeCollection {
public:
    explicit TMarqueeCollection(TRealTimeMarquee* marquee);
    virtual ~TMarqueeCollection();

    TRealTimeMarquee* Marquee() const { return fMarquee; }
    int Count() const { return int(fItems.size()); }
    TMarqueeItem* Add();
    TMarqueeItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TMarqueeItem* GetItems(int index) const;
    int IndexOf(const TMarqueeItem* item) const;
    // Takes the marquee's lock until the matching EndUpdate; changes are
    // reported once at the end.
    void BeginUpdate();
    void EndUpdate();
    void LoadFromStrings(const QStringList& lines, TMarqueeTextStyle style);
    void SaveToStrings(QStringList& lines) const;
    void Assign(const TMarqueeCollection& other);
    virtual void UnprepareAll();

private:
    friend class TMarqueeItem;
    friend class TRealTimeMarquee;
    void Update(TMarqueeItem* item);
    void releaseUpdates();

    TRealTimeMarquee* fMarquee;
    std::vector<std::unique_ptr<TMarqueeItem>> fItems;
    int fUpdateCount = 0;
};

// Scroll state, for inspection.
struct TMarqueeState {
    unsigned VisibleCount = 0;
    int OldestIndex = 0, NewestIndex = 0;
    int OldestOffset = 0, NewestOffset = 0;
    unsigned LoopsStarted = 0, LoopsEnded = 0;
    unsigned TimerID = 0;
    int GapBetweenItems = 0, GapBetweenLoops = 0;
};

class TRealTimeMarquee : public QWidget {
    Q_OBJECT
public:
    explicit TRealTimeMarquee(QWidget* owner = nullptr);
    ~TRealTimeMarquee() override;

    void Lock();
    void Unlock();

    TMarqueeCollection* Items() const { return fItems.get(); }
    void SetItems(const TMarqueeCollection& items);
    bool Active() const;
    void SetActive(bool value);
    quint32 Interval() const;
    void SetInterval(quint32 value);
    quint8 Step() const;
    void SetStep(quint8 value);
    TPercent Spacing() const;
    void SetSpacing(int value);
    TPercent LoopSpacing() const;
    void SetLoopSpacing(int value);
    quint32 NumLoops() const;
    void SetNumLoops(quint32 value);
    TMarqueeOrientation Orientation() const;
    void SetOrientation(TMarqueeOrientation value);
    quint32 VisibleCount() const;
    quint32 LoopCount() const;
    QColor Color() const;
    void SetColor(const QColor& c);
    // The timer's shortest and longest period in milliseconds.
    static quint32 MinPeriod();
    static quint32 MaxPeriod();

    void SetOnWrap(TNotifyEvent e);
    void SetOnLink(TMarqueeLinkEvent e);
    void SetOnImage(TMarqueeImageEvent e);
    void SetOnDrawItem(TMarqueeDrawItemEvent e);
    void SetOnMouseEnter(TNotifyEvent e);
    void SetOnMouseLeave(TNotifyEvent e);
    void SetOnClick(TNotifyEvent e);

    void Reset();
    void Invalidate();
    // One scrolling step; the timer thread runs it, and it may be run directly.
    void TimerTick();
    // The link at a client point, empty when none.
    QString LinkAt(const QPoint& p);
    QString ActiveLinkText() const;
    TMarqueeState State() const;

protected:
    virtual void DoMouseEnter();
    virtual void DoMouseLeave();
    virtual void DoWrap();
    virtual void DoLink(const QString& link);
    virtual void DoImage(const QString& uri, QImage& image);
    virtual void DoDrawItem(TMarqueeItem* item, TMarqueeBitmap& bitmap);

    void DrawItems(QPainter& p, const QRect& r);
    void RecalcVisibleItems();
    void ItemChanged(TMarqueeItem* item);
    void UpdateTimer();
    void StartTimer();
    void StopTimer();

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    friend class TMarqueeItem;
    friend class TMarqueeCollection;
    class Timer;

    void tick(unsigned id);
    void flushScroll();
    void updateCursor();
    void postCursorUpdate();
    void recomputeGaps();
    void syncWidgetState();
    int clientExtent() const;
    // Walks the visible items as DrawItems places them; stop when f returns true.
    void walkItems(const QRect& r, bool limit,
                   const std::function<bool(TMarqueeItem*, int, int)>& f);

    std::unique_ptr<TMarqueeCollection> fItems;
    bool fActive = false;
    quint32 fInterval = 0;
    quint8 fStep = 1;
    TPercent fSpacing = 0;
    TPercent fLoopSpacing = 0;
    quint32 fNumLoops = 0;
    TMarqueeOrientation fOrientation = moHorizontal;
    quint32 fVisibleCount = 0;
    TNotifyEvent fOnWrap, fOnMouseEnter, fOnMouseLeave, fOnClick;
    TMarqueeLinkEvent fOnLink;
    TMarqueeImageEvent fOnImage;
    TMarqueeDrawItemEvent fOnDrawItem;
    quint32 Resolution = 0;
    quint32 TimerID = 0;
    int OldestIndex = 0;
    int NewestIndex = 0;
    int NewestOffset = 0;
    int OldestOffset = 0;
    quint32 LoopsStarted = 0;
    quint32 LoopsEnded = 0;
    QString ActiveLink;
    bool MouseIsInside = false;
    int GapBetweenItems = 0;
    int GapBetweenLoops = 0;
    mutable std::recursive_mutex CS;

    // Copies of the widget's state that the timer thread reads (under CS).
    bool fWindowExists = false;
    int fClientWidth = 0, fClientHeight = 0;
    QColor fColor;
    QFont fFont;
    QColor fFontColor;
    bool fRightToLeft = false;
    bool fEnabled = true;
    // Hand-off to the user-interface thread (under CS).
    int fPendingScroll = 0;
    bool fInvalidPending = true;
    bool fFlushPosted = false;
    bool fCursorPosted = false;
    bool fPainting = false;
    QPoint fMousePos;
    quint32 fNextTimerId = 0;
    std::atomic<bool> fDestroying{false};
    std::unique_ptr<Timer> fTimer;
};
