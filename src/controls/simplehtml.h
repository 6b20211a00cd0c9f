#pragma once
// A small HTML engine for one-line rich text: parses a subset of HTML into a
// tree, measures it, draws it on one line into a rectangle (left to right or
// right to left) and reports where its links are.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPair>
#include <QPen>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QPaintDevice;

// Text-flag bits of a drawing surface.
enum TTextFlag : unsigned {
    tfRtlReading = 1u << 0, // right-to-left reading
    tfTop = 1u << 1,        // vertical mark: top (wins over bottom)
    tfBottom = 1u << 2,     // vertical mark: bottom
};

// The drawing surface the renderer works on: an optional painter (none when
// only measuring), the device whose resolution the fonts are measured with,
// and the style state the elements change.
struct TCanvas {
    QPainter* Painter = nullptr;
    QPaintDevice* Device = nullptr;
    QFont Font;
    QColor FontColor = Qt::black;
    QColor BrushColor = Qt::white; // text background; alpha 0 = none
    QPen Pen;
    QPainter::CompositionMode CopyMode = QPainter::CompositionMode_SourceOver;
    unsigned TextFlags = 0;

    TCanvas() = default;
    // A surface painting with `painter` on its device.
    explicit TCanvas(QPainter* painter);
    // A measuring surface for `device`.
    explicit TCanvas(QPaintDevice* device);

    bool RightToLeft() const { return TextFlags & tfRtlReading; }
    void SetRightToLeft(bool on);
    // Font size in points (derived from the pixel size when the font has one).
    int FontSize() const;
    void SetFontSize(int points);
    QFontMetrics Metrics() const;
};

// Saves a surface's font, pen, brush, copy mode and text flags and writes
// them back when it goes out of scope.
class TCanvasRecall {
public:
    explicit TCanvasRecall(TCanvas& canvas);
    ~TCanvasRecall();
    TCanvasRecall(const TCanvasRecall&) = delete;
    TCanvasRecall& operator=(const TCanvasRecall&) = delete;
    void Store();
    void Retrieve();

private:
    QPen fPen;
    QFont fFont;
    QColor fFontColor;
    QColor fBrush;
    QPainter::CompositionMode fCopyMode;
    unsigned fTextFlags;
    TCanvas* fReference;
};

// Link texts with the rectangles where they are drawn, in the order found.
class TSimpleLinks {
public:
    int Count() const { return int(fItems.size()); }
    void Clear() { fItems.clear(); }
    void Add(const QString& link, const QRect& region) { fItems.push_back({link, region}); }
    int IndexOfLinkAt(const QPoint& p) const;
    QString GetLinks(int i) const { return fItems.at(size_t(i)).first; }
    QRect GetRegions(int i) const { return fItems.at(size_t(i)).second; }

private:
    std::vector<std::pair<QString, QRect>> fItems;
};

// Left, top, right, bottom with exclusive right and bottom edges.
struct TBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    static TBox From(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

class TSimpleHTML;

class TSimpleHTMLNode {
public:
    TSimpleHTMLNode(TSimpleHTMLNode* parent, const QString& tagName);
    virtual ~TSimpleHTMLNode();
    TSimpleHTMLNode(const TSimpleHTMLNode&) = delete;
    TSimpleHTMLNode& operator=(const TSimpleHTMLNode&) = delete;

    TSimpleHTMLNode* Parent() const { return fParent; }
    QString TagName() const { return fTagName; }
    QString Text() const { return fText; }
    void SetText(const QString& text) { fText = text; }
    int ChildCount() const { return fChildren ? int(fChildren->size()) : 0; }
    TSimpleHTMLNode* GetChildren(int i) const { return (*fChildren)[size_t(i)].get(); }
    bool HasChildren() const { return ChildCount() > 0; }
    bool HasAttribute(const QString& name) const;
    QString GetAttributes(const QString& name) const;
    // Stores name=value, replacing a value of the same name; an empty value
    // removes the name.
    void SetAttribute(const QString& name, const QString& value);
    TSimpleHTMLNode* AddChild(const QString& tagName);
    TSimpleHTMLNode* Document();

    QSize Extend(TCanvas& canvas);
    void Draw(TCanvas& canvas, const QRect& rect);
    int CollectLinks(TCanvas& canvas, const QRect& rect, TSimpleLinks& links);

    // Applies this element's own style (DIR, FONT, B, I, ...) to the surface.
    void ApplyStyle(TCanvas& canvas) const;

protected:
    void DrawIn(TCanvas& canvas, TBox r);
    int LocateLinks(TCanvas& canvas, TBox& r, TSimpleLinks& links);
    QImage* ImageOf();

private:
    TSimpleHTMLNode* fParent;
    QString fTagName;
    QString fText;
    std::unique_ptr<std::vector<std::unique_ptr<TSimpleHTMLNode>>> fChildren;
    std::unique_ptr<QList<QPair<QString, QString>>> fAttributes;
};

using TGetImageEvent = std::function<void(TSimpleHTML* Sender, const QString& URI, QImage& Image)>;

class TSimpleHTML : public TSimpleHTMLNode {
public:
    explicit TSimpleHTML(const QString& source);
    ~TSimpleHTML() override;

    bool IsValid() const { return fParsed; }
    TGetImageEvent OnGetImage() const { return fOnGetImage; }
    void SetOnGetImage(TGetImageEvent handler) { fOnGetImage = std::move(handler); }
    // The cached picture of an image source, created and filled on first use.
    QImage* GetImage(const QString& source);

    // Deepest element nesting accepted; deeper sources stop parsing.
    static constexpr int MaxDepth = 256;

private:
    bool Parse(const QString& source);

    bool fParsed = false;
    std::map<QString, std::unique_ptr<QImage>> fImages;
    TGetImageEvent fOnGetImage;
};

// The character of a reference name ("amp", "#65"); 0 when it has none.
char16_t CharOfEntity(QStringView name);
// Resolves the character references of an attribute value.
QString DecodeEntities(const QString& value);
// A colour value (#RRGGBB, #RGB or a colour name) or `def` when it does not resolve.
QColor ParseColor(const QString& value, const QColor& def);

// Waits the given time; on the user-interface thread window events are
// processed meanwhile. The hook, when set, replaces the wait.
using DelayHook = std::function<void(int milliseconds)>;
void SetDelayHook(DelayHook hook);
void Delay(int seconds, int milliseconds);

// Rounding multiplication-division (a * b / c, rounded half away from zero).
int MulDiv(int a, int b, int c);
