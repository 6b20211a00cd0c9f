#include "simplehtml.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QPalette>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <mutex>
#include <thread>

namespace {

// Coordinates and sizes are kept inside this range so that no sum overflows.
constexpr int kMaxCoord = 1 << 26;
constexpr int kMaxPoints = 300;

int clampCoord(long long v)
{
    return int(std::clamp<long long>(v, -kMaxCoord, kMaxCoord));
}

bool isAlnum(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
}

bool isSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\r' || u == '\n';
}

QString upperAscii(QString s)
{
    for (QChar& c : s)
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(char16_t(c.unicode() - 'a' + 'A'));
    return s;
}

// A number attribute: the value, or `def` when it is not a number.
int numberOr(const QString& value, int def)
{
    bool ok = false;
    const long long v = value.trimmed().toLongLong(&ok);
    return ok ? clampCoord(v) : def;
}

const QHash<QString, char16_t>& entityTable()
{
    static const QHash<QString, char16_t> t = {
        {"nbsp", 160},    {"copy", 169},    {"reg", 174},     {"trade", 8482},  {"sup1", 185},
        {"sup2", 178},    {"sup3", 179},    {"quot", 34},     {"amp", 38},      {"lt", 60},
        {"gt", 62},       {"ndash", 8211},  {"mdash", 8212},  {"lsquo", 8216},  {"rsquo", 8217},
        {"ldquo", 8220},  {"rdquo", 8221},  {"bull", 8226},   {"dagger", 8224}, {"Dagger", 8225},
        {"prime", 8242},  {"Prime", 8243},  {"lsaquo", 8249}, {"rsaquo", 8250}, {"tilde", 732},
        {"circ", 710},    {"spades", 9824}, {"clubs", 9827},  {"hearts", 9829}, {"diams", 9830},
        {"loz", 9674},    {"larr", 8592},   {"rarr", 8594},   {"uarr", 8593},   {"darr", 8595},
        {"harr", 8596},   {"not", 172},     {"frac14", 188},  {"frac12", 189},  {"frac34", 190},
        {"plusmn", 177},  {"laquo", 171},   {"raquo", 187},   {"deg", 176},     {"ordf", 170},
        {"ordm", 186},    {"iexcl", 161},   {"iquest", 191},  {"euro", 8364},   {"cent", 162},
        {"pound", 163},   {"yen", 165},     {"curren", 164},  {"sect", 167},    {"para", 182},
        {"macr", 175},    {"middot", 183},  {"micro", 181},   {"times", 215},   {"divide", 247},
    };
    return t;
}

// Desktop colours behind the system colour names.
bool systemColour(const QString& lowerName, QColor& out)
{
    struct Entry {
        const char* name;
        QPalette::ColorGroup group;
        QPalette::ColorRole role;
    };
    static const Entry entries[] = {
        {"clactiveborder", QPalette::Active, QPalette::Window},
        {"clactivecaption", QPalette::Active, QPalette::Highlight},
        {"clappworkspace", QPalette::Active, QPalette::Dark},
        {"clbackground", QPalette::Active, QPalette::Window},
        {"clbtnface", QPalette::Active, QPalette::Button},
        {"clbtnhighlight", QPalette::Active, QPalette::Light},
        {"clbtnshadow", QPalette::Active, QPalette::Dark},
        {"clbtntext", QPalette::Active, QPalette::ButtonText},
        {"clcaptiontext", QPalette::Active, QPalette::HighlightedText},
        {"clgradientactivecaption", QPalette::Active, QPalette::Highlight},
        {"clgradientinactivecaption", QPalette::Inactive, QPalette::Highlight},
        {"clgraytext", QPalette::Disabled, QPalette::Text},
        {"clhighlight", QPalette::Active, QPalette::Highlight},
        {"clhighlighttext", QPalette::Active, QPalette::HighlightedText},
        {"clhotlight", QPalette::Active, QPalette::Link},
        {"clinactiveborder", QPalette::Inactive, QPalette::Window},
        {"clinactivecaption", QPalette::Inactive, QPalette::Highlight},
        {"clinactivecaptiontext", QPalette::Inactive, QPalette::HighlightedText},
        {"clinfobk", QPalette::Active, QPalette::ToolTipBase},
        {"clinfotext", QPalette::Active, QPalette::ToolTipText},
        {"clmenu", QPalette::Active, QPalette::Window},
        {"clmenubar", QPalette::Active, QPalette::Window},
        {"clmenuhighlight", QPalette::Active, QPalette::Highlight},
        {"clmenutext", QPalette::Active, QPalette::WindowText},
        {"clscrollbar", QPalette::Active, QPalette::Mid},
        {"cl3ddkshadow", QPalette::Active, QPalette::Shadow},
        {"cl3dlight", QPalette::Active, QPalette::Midlight},
        {"clwindow", QPalette::Active, QPalette::Base},
        {"clwindowframe", QPalette::Active, QPalette::WindowText},
        {"clwindowtext", QPalette::Active, QPalette::Text},
    };
    for (const Entry& e : entries) {
        if (lowerName == QLatin1String(e.name)) {
            out = QGuiApplication::palette().color(e.group, e.role);
            return true;
        }
    }
    return false;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

std::mutex g_delayMutex;
DelayHook g_delayHook;

} // namespace

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long p = (long long)a * b;
    const long long q = c;
    long long r = p / q;
    const long long rem = p % q;
    if (2 * std::llabs(rem) >= std::llabs(q))
        r += ((p < 0) != (q < 0)) ? -1 : 1;
    return int(std::clamp<long long>(r, INT_MIN, INT_MAX));
}

// ---- TCanvas ----

TCanvas::TCanvas(QPainter* painter) : Painter(painter), Device(painter ? painter->device() : nullptr)
{
}

TCanvas::TCanvas(QPaintDevice* device) : Device(device) {}

void TCanvas::SetRightToLeft(bool on)
{
    TextFlags = on ? (TextFlags | tfRtlReading) : (TextFlags & ~unsigned(tfRtlReading));
}

int TCanvas::FontSize() const
{
    if (Font.pointSize() > 0)
        return Font.pointSize();
    if (Font.pointSizeF() > 0)
        return int(std::lround(Font.pointSizeF()));
    const int dpi = Device && Device->logicalDpiY() > 0 ? Device->logicalDpiY() : 96;
    return std::max(1, MulDiv(Font.pixelSize(), 72, dpi));
}

void TCanvas::SetFontSize(int points)
{
    Font.setPointSize(std::clamp(points, 1, kMaxPoints));
}

QFontMetrics TCanvas::Metrics() const
{
    return Device ? QFontMetrics(Font, Device) : QFontMetrics(Font);
}

// ---- TCanvasRecall ----

TCanvasRecall::TCanvasRecall(TCanvas& canvas) : fReference(&canvas)
{
    Store();
}

TCanvasRecall::~TCanvasRecall()
{
    Retrieve();
}

void TCanvasRecall::Store()
{
    fPen = fReference->Pen;
    fFont = fReference->Font;
    fFontColor = fReference->FontColor;
    fBrush = fReference->BrushColor;
    fCopyMode = fReference->CopyMode;
    fTextFlags = fReference->TextFlags;
}

void TCanvasRecall::Retrieve()
{
    fReference->Pen = fPen;
    fReference->Font = fFont;
    fReference->FontColor = fFontColor;
    fReference->BrushColor = fBrush;
    fReference->CopyMode = fCopyMode;
    fReference->TextFlags = fTextFlags;
}

// ---- TSimpleLinks ----

int TSimpleLinks::IndexOfLinkAt(const QPoint& p) const
{
    for (size_t i = 0; i < fItems.size(); ++i)
        if (fItems[i].second.contains(p))
            return int(i);
    return -1;
}

// ---- references and colours ----

char16_t CharOfEntity(QStringView name)
{
    if (name.isEmpty())
        return 0;
    if (name.at(0) == QLatin1Char('#')) {
        if (name.size() == 1)
            return 0;
        unsigned v = 0;
        for (int i = 1; i < name.size(); ++i) {
            const char16_t u = name.at(i).unicode();
            if (u < '0' || u > '9')
                return 0;
            v = (v * 10 + (u - '0')) & 0xFFFFu;
        }
        return char16_t(v);
    }
    if (name.size() > 16)
        return 0;
    return entityTable().value(name.toString(), 0);
}

QString DecodeEntities(const QString& value)
{
    QString out;
    out.reserve(value.size());
    int i = 0;
    const int n = int(value.size());
    while (i < n) {
        const int amp = int(value.indexOf(QLatin1Char('&'), i));
        if (amp < 0) {
            out += QStringView(value).mid(i);
            break;
        }
        const int semi = int(value.indexOf(QLatin1Char(';'), amp + 1));
        if (semi < 0) {
            out += QStringView(value).mid(i);
            break;
        }
        out += QStringView(value).mid(i, amp - i);
        if (const char16_t ch = CharOfEntity(QStringView(value).mid(amp + 1, semi - amp - 1)))
            out += QChar(ch);
        i = semi + 1;
    }
    return out;
}

QColor ParseColor(const QString& value, const QColor& def)
{
    if (value.startsWith(QLatin1Char('#'))) {
        int d[6];
        if (value.size() == 7) {
            for (int i = 0; i < 6; ++i)
                if ((d[i] = hexDigit(value.at(i + 1))) < 0)
                    return def;
            return QColor(d[0] * 16 + d[1], d[2] * 16 + d[3], d[4] * 16 + d[5]);
        }
        if (value.size() == 4) {
            for (int i = 0; i < 3; ++i)
                if ((d[i] = hexDigit(value.at(i + 1))) < 0)
                    return def;
            return QColor(d[0] * 17, d[1] * 17, d[2] * 17);
        }
        return def;
    }
    struct Fixed {
        const char* name;
        int r, g, b;
    };
    static const Fixed fixed[] = {
        {"clblack", 0, 0, 0},         {"clmaroon", 128, 0, 0},          {"clgreen", 0, 128, 0},
        {"clolive", 128, 128, 0},     {"clnavy", 0, 0, 128},            {"clpurple", 128, 0, 128},
        {"clteal", 0, 128, 128},      {"clgray", 128, 128, 128},        {"clsilver", 192, 192, 192},
        {"clred", 255, 0, 0},         {"cllime", 0, 255, 0},            {"clyellow", 255, 255, 0},
        {"clblue", 0, 0, 255},        {"clfuchsia", 255, 0, 255},       {"claqua", 0, 255, 255},
        {"clwhite", 255, 255, 255},   {"clmoneygreen", 192, 220, 192},  {"clskyblue", 166, 202, 240},
        {"clcream", 255, 251, 240},   {"clmedgray", 160, 160, 164},
    };
    const QString name = QStringLiteral("cl") + value.toLower();
    for (const Fixed& f : fixed)
        if (name == QLatin1String(f.name))
            return QColor(f.r, f.g, f.b);
    QColor sys;
    if (systemColour(name, sys))
        return sys;
    // clDefault keeps the current colour; clNone is no colour (nothing painted).
    if (name == QLatin1String("cldefault"))
        return def;
    if (name == QLatin1String("clnone"))
        return QColor(0, 0, 0, 0);
    return def;
}

// ---- Delay ----

void SetDelayHook(DelayHook hook)
{
    std::lock_guard lock(g_delayMutex);
    g_delayHook = std::move(hook);
}

void Delay(int seconds, int milliseconds)
{
    const long long total = (long long)seconds * 1000 + milliseconds;
    DelayHook hook;
    {
        std::lock_guard lock(g_delayMutex);
        hook = g_delayHook;
    }
    if (hook) {
        hook(int(std::clamp<long long>(total, 0, INT_MAX)));
        return;
    }
    if (total <= 0)
        return;
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::milliseconds(total);
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread()) {
        while (Clock::now() < end) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
            QEventLoop loop;
            QTimer::singleShot(int(std::max<long long>(1, left)), &loop, &QEventLoop::quit);
            loop.exec();
        }
    } else {
        std::this_thread::sleep_until(end);
    }
}

// ---- TSimpleHTMLNode ----

TSimpleHTMLNode::TSimpleHTMLNode(TSimpleHTMLNode* parent, const QString& tagName)
    : fParent(parent), fTagName(tagName)
{
}

TSimpleHTMLNode::~TSimpleHTMLNode() = default;

bool TSimpleHTMLNode::HasAttribute(const QString& name) const
{
    if (!fAttributes)
        return false;
    for (const auto& a : *fAttributes)
        if (a.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString TSimpleHTMLNode::GetAttributes(const QString& name) const
{
    if (fAttributes)
        for (const auto& a : *fAttributes)
            if (a.first.compare(name, Qt::CaseInsensitive) == 0)
                return a.second;
    return QString();
}

void TSimpleHTMLNode::SetAttribute(const QString& name, const QString& value)
{
    if (fAttributes) {
        for (qsizetype i = 0; i < fAttributes->size(); ++i) {
            if ((*fAttributes)[i].first.compare(name, Qt::CaseInsensitive) == 0) {
                if (value.isEmpty())
                    fAttributes->removeAt(i);
                else
                    (*fAttributes)[i].second = value;
                return;
            }
        }
    }
    if (value.isEmpty())
        return;
    if (!fAttributes)
        fAttributes = std::make_unique<QList<QPair<QString, QString>>>();
    fAttributes->append({name, value});
}

TSimpleHTMLNode* TSimpleHTMLNode::AddChild(const QString& tagName)
{
    if (!fChildren)
        fChildren = std::make_unique<std::vector<std::unique_ptr<TSimpleHTMLNode>>>();
    fChildren->push_back(std::make_unique<TSimpleHTMLNode>(this, tagName));
    return fChildren->back().get();
}

TSimpleHTMLNode* TSimpleHTMLNode::Document()
{
    TSimpleHTMLNode* n = this;
    while (n->fParent)
        n = n->fParent;
    return n;
}

QImage* TSimpleHTMLNode::ImageOf()
{
    auto* doc = dynamic_cast<TSimpleHTML*>(Document());
    return doc ? doc->GetImage(GetAttributes(QStringLiteral("SRC"))) : nullptr;
}

void TSimpleHTMLNode::ApplyStyle(TCanvas& c) const
{
    if (HasAttribute(QStringLiteral("DIR"))) {
        const QString dir = GetAttributes(QStringLiteral("DIR")).toUpper();
        if (dir == QLatin1String("RTL"))
            c.SetRightToLeft(true);
        else if (dir == QLatin1String("LTR"))
            c.SetRightToLeft(false);
    }
    const QString& t = fTagName;
    if (t == QLatin1String("FONT")) {
        if (HasAttribute(QStringLiteral("FACE")))
            c.Font.setFamily(GetAttributes(QStringLiteral("FACE")));
        if (HasAttribute(QStringLiteral("SIZE"))) {
            const QString v = GetAttributes(QStringLiteral("SIZE"));
            if (v.startsWith(QLatin1Char('+')) || v.startsWith(QLatin1Char('-')))
                c.SetFontSize(clampCoord((long long)c.FontSize() + numberOr(v, 0)));
            else
                c.SetFontSize(numberOr(v, c.FontSize()));
        }
        if (HasAttribute(QStringLiteral("COLOR")))
            c.FontColor = ParseColor(GetAttributes(QStringLiteral("COLOR")), c.FontColor);
        if (HasAttribute(QStringLiteral("BGCOLOR")))
            c.BrushColor = ParseColor(GetAttributes(QStringLiteral("BGCOLOR")), c.BrushColor);
    } else if (t == QLatin1String("B") || t == QLatin1String("STRONG")) {
        c.Font.setBold(true);
    } else if (t == QLatin1String("I")) {
        c.Font.setItalic(true);
    } else if (t == QLatin1String("U")) {
        c.Font.setUnderline(true);
    } else if (t == QLatin1String("S") || t == QLatin1String("STRIKE")) {
        c.Font.setStrikeOut(true);
    } else if (t == QLatin1String("SUP")) {
        c.SetFontSize(MulDiv(c.FontSize(), 70, 100));
        c.TextFlags |= tfTop;
    } else if (t == QLatin1String("SUB")) {
        c.SetFontSize(MulDiv(c.FontSize(), 70, 100));
        c.TextFlags |= tfBottom;
    } else if (t == QLatin1String("SMALL")) {
        c.SetFontSize(MulDiv(c.FontSize(), 75, 100));
    } else if (t == QLatin1String("BIG")) {
        c.SetFontSize(MulDiv(c.FontSize(), 125, 100));
    }
}

QSize TSimpleHTMLNode::Extend(TCanvas& c)
{
    TCanvasRecall recall(c);
    ApplyStyle(c);
    long long w = 0;
    int h = 0;
    if (HasChildren()) {
        for (const auto& child : *fChildren) {
            const QSize s = child->Extend(c);
            w = clampCoord(w + s.width());
            h = std::max(h, s.height());
        }
    } else if (fTagName == QLatin1String("IMG")) {
        QImage* img = ImageOf();
        const int iw = img ? img->width() : 0;
        const int ih = img ? img->height() : 0;
        w = HasAttribute(QStringLiteral("WIDTH")) ? numberOr(GetAttributes(QStringLiteral("WIDTH")), 0)
                                                  : iw;
        h = HasAttribute(QStringLiteral("HEIGHT"))
                ? numberOr(GetAttributes(QStringLiteral("HEIGHT")), 0)
                : ih;
        if (HasAttribute(QStringLiteral("HSPACE")))
            w = clampCoord(w + 2LL * numberOr(GetAttributes(QStringLiteral("HSPACE")), 0));
        if (HasAttribute(QStringLiteral("VSPACE")))
            h = clampCoord(h + 2LL * numberOr(GetAttributes(QStringLiteral("VSPACE")), 0));
    } else if (!fText.isEmpty()) {
        const QFontMetrics fm = c.Metrics();
        w = clampCoord(fm.horizontalAdvance(fText));
        h = fm.height();
    }
    return QSize(int(w), h);
}

void TSimpleHTMLNode::Draw(TCanvas& c, const QRect& rect)
{
    DrawIn(c, TBox::From(rect));
}

void TSimpleHTMLNode::DrawIn(TCanvas& c, TBox r)
{
    if (fTagName == QLatin1String("DUR"))
        Delay(0, 500);
    TCanvasRecall recall(c);
    ApplyStyle(c);
    const bool rtl = c.RightToLeft();
    const bool top = c.TextFlags & tfTop;
    const bool bottom = !top && (c.TextFlags & tfBottom);
    if (HasChildren()) {
        for (const auto& child : *fChildren) {
            child->DrawIn(c, r);
            const int w = child->Extend(c).width();
            if (rtl)
                r.Right = clampCoord((long long)r.Right - w);
            else
                r.Left = clampCoord((long long)r.Left + w);
        }
    } else if (fTagName == QLatin1String("IMG")) {
        QImage* img = ImageOf();
        const int w = HasAttribute(QStringLiteral("WIDTH"))
                          ? numberOr(GetAttributes(QStringLiteral("WIDTH")), 0)
                          : (img ? img->width() : 0);
        const int h = HasAttribute(QStringLiteral("HEIGHT"))
                          ? numberOr(GetAttributes(QStringLiteral("HEIGHT")), 0)
                          : (img ? img->height() : 0);
        const int hs = numberOr(GetAttributes(QStringLiteral("HSPACE")), 0);
        const int vs = numberOr(GetAttributes(QStringLiteral("VSPACE")), 0);
        const int left = clampCoord(rtl ? (long long)r.Right - w - hs : (long long)r.Left + hs);
        int y;
        if (top)
            y = clampCoord((long long)r.Top + vs);
        else if (bottom)
            y = clampCoord((long long)r.Bottom - h - vs);
        else
            y = clampCoord(((long long)r.Top + r.Bottom - h) / 2);
        if (c.Painter && img && !img->isNull() && w > 0 && h > 0) {
            const QRect target(left, y, w, h);
            QPaintDevice* dev = c.Painter->device();
            if (target.intersects(QRect(0, 0, dev->width(), dev->height())))
                c.Painter->drawImage(target, *img);
        }
    } else if (!fText.isEmpty() && c.Painter) {
        const QFontMetrics fm = c.Metrics();
        const int tw = clampCoord(fm.horizontalAdvance(fText));
        const int th = fm.height();
        const int x = clampCoord(rtl ? (long long)r.Right - tw : r.Left);
        int y;
        if (top)
            y = r.Top;
        else if (bottom)
            y = clampCoord((long long)r.Bottom - th);
        else
            y = clampCoord(((long long)r.Top + r.Bottom - th) / 2);
        const QRect box(x, y, tw, th);
        QPaintDevice* dev = c.Painter->device();
        if (box.intersects(QRect(0, 0, dev->width(), dev->height()))) {
            QPainter& p = *c.Painter;
            if (c.BrushColor.alpha() != 0)
                p.fillRect(box, c.BrushColor);
            p.setFont(c.Font);
            p.setPen(c.FontColor);
            p.setLayoutDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
            p.drawText(box, Qt::TextSingleLine | Qt::TextDontClip | Qt::AlignLeft | Qt::AlignTop,
                       fText);
        }
    }
}

int TSimpleHTMLNode::CollectLinks(TCanvas& c, const QRect& rect, TSimpleLinks& links)
{
    TBox r = TBox::From(rect);
    return LocateLinks(c, r, links);
}

int TSimpleHTMLNode::LocateLinks(TCanvas& c, TBox& r, TSimpleLinks& links)
{
    // The advance is measured with the enclosing element's style, as Draw does.
    const bool isLink = fTagName == QLatin1String("A") && HasAttribute(QStringLiteral("HREF"));
    const bool outerRtl = c.RightToLeft();
    QSize size;
    if (isLink || !HasChildren())
        size = Extend(c);
    TCanvasRecall recall(c);
    ApplyStyle(c);
    auto advance = [&](int w) {
        if (outerRtl)
            r.Right = clampCoord((long long)r.Right - w);
        else
            r.Left = clampCoord((long long)r.Left + w);
    };
    if (isLink) {
        const int w = size.width();
        const int h = size.height();
        const bool top = c.TextFlags & tfTop;
        const bool bottom = !top && (c.TextFlags & tfBottom);
        const int x = clampCoord(c.RightToLeft() ? (long long)r.Right - w : r.Left);
        int y;
        if (top)
            y = r.Top;
        else if (bottom)
            y = clampCoord((long long)r.Bottom - h);
        else
            y = clampCoord(((long long)r.Top + r.Bottom - h) / 2);
        links.Add(GetAttributes(QStringLiteral("HREF")), QRect(x, y, w, h));
        advance(w);
        return 1;
    }
    if (HasChildren()) {
        int n = 0;
        for (const auto& child : *fChildren)
            n += child->LocateLinks(c, r, links);
        return n;
    }
    advance(size.width());
    return 0;
}

// ---- TSimpleHTML ----

TSimpleHTML::TSimpleHTML(const QString& source) : TSimpleHTMLNode(nullptr, QStringLiteral("HTML"))
{
    fParsed = Parse(source);
}

TSimpleHTML::~TSimpleHTML() = default;

QImage* TSimpleHTML::GetImage(const QString& source)
{
    auto it = fImages.find(source);
    if (it != fImages.end())
        return it->second.get();
    auto img = std::make_unique<QImage>();
    QImage* p = img.get();
    fImages.emplace(source, std::move(img));
    if (fOnGetImage) {
        fOnGetImage(this, source, *p);
    } else if (!source.isEmpty() && QFileInfo(source).isFile()) {
        // Only regular files: a device or pipe could block the reader.
        QImage loaded;
        if (loaded.load(source))
            *p = loaded;
    }
    return p;
}

bool TSimpleHTML::Parse(const QString& src)
{
    TSimpleHTMLNode* cur = this;
    int depth = 0;
    QString pending;
    const int n = int(src.size());
    int runStart = 0;
    int i = 0;
    int nextSemi = -2; // -2: not searched yet; -1: none left
    auto run = [&](int end) { return QStringView(src).mid(runStart, end - runStart); };
    auto skipSpace = [&](int k) {
        while (k < n && isSpace(src.at(k)))
            ++k;
        return k;
    };
    for (;;) {
        if (i >= n) {
            if (cur != this)
                return false;
            pending += run(n);
            if (!pending.isEmpty()) {
                if (HasChildren())
                    AddChild(QString())->SetText(pending);
                else
                    SetText(pending);
            }
            return true;
        }
        const QChar ch = src.at(i);
        if (ch == QLatin1Char('<')) {
            pending += run(i);
            int k = i + 1;
            const bool closing = k < n && src.at(k) == QLatin1Char('/');
            if (!pending.isEmpty()) {
                if (!cur->HasChildren() && closing)
                    cur->SetText(pending);
                else
                    cur->AddChild(QString())->SetText(pending);
                pending.clear();
            }
            if (closing)
                ++k;
            if (QStringView(src).mid(k, 3) == QLatin1String("!--")) {
                int q = k + 5;
                while (q < n && !(src.at(q) == QLatin1Char('>') && src.at(q - 1) == QLatin1Char('-') &&
                                  src.at(q - 2) == QLatin1Char('-')))
                    ++q;
                if (q >= n)
                    return false;
                i = q + 1;
                runStart = i;
                continue;
            }
            const int nameStart = k;
            while (k < n && isAlnum(src.at(k)))
                ++k;
            if (k == nameStart)
                return false;
            const QString name = upperAscii(src.mid(nameStart, k - nameStart));
            k = skipSpace(k);
            if (!closing) {
                QList<QPair<QString, QString>> attrs;
                auto setAttr = [&](const QString& an, const QString& av) {
                    for (qsizetype a = 0; a < attrs.size(); ++a) {
                        if (attrs[a].first.compare(an, Qt::CaseInsensitive) == 0) {
                            if (av.isEmpty())
                                attrs.removeAt(a);
                            else
                                attrs[a].second = av;
                            return;
                        }
                    }
                    if (!av.isEmpty())
                        attrs.append({an, av});
                };
                while (k < n && src.at(k) != QLatin1Char('>') && src.at(k) != QLatin1Char('/')) {
                    const int an = k;
                    while (k < n && isAlnum(src.at(k)))
                        ++k;
                    if (k == an)
                        return false;
                    const QString attrName = src.mid(an, k - an);
                    k = skipSpace(k);
                    QString value;
                    if (k < n && src.at(k) == QLatin1Char('=')) {
                        ++k;
                        while (k < n && src.at(k) == QLatin1Char(' '))
                            ++k;
                        if (k >= n || src.at(k) == QLatin1Char('>'))
                            return false;
                        const QChar quote = src.at(k);
                        if (quote == QLatin1Char('"') || quote == QLatin1Char('\'')) {
                            const int e = int(src.indexOf(quote, k + 1));
                            if (e < 0)
                                return false;
                            value = src.mid(k + 1, e - k - 1);
                            k = e + 1;
                        } else {
                            int e = k;
                            while (e < n && src.at(e) != QLatin1Char(' ') && src.at(e) != QLatin1Char('>'))
                                ++e;
                            if (e >= n)
                                return false;
                            value = src.mid(k, e - k);
                            k = e;
                        }
                        k = skipSpace(k);
                    }
                    setAttr(attrName, DecodeEntities(value));
                }
                if (k >= n)
                    return false;
                const bool selfClosing = src.at(k) == QLatin1Char('/');
                if (selfClosing && !(k + 1 < n && src.at(k + 1) == QLatin1Char('>')))
                    return false;
                if (!selfClosing && depth >= MaxDepth)
                    return false;
                TSimpleHTMLNode* el = cur->AddChild(name);
                for (const auto& a : attrs)
                    el->SetAttribute(a.first, a.second);
                if (selfClosing) {
                    k += 2;
                } else {
                    cur = el;
                    ++depth;
                    ++k;
                }
            } else {
                if (k >= n || src.at(k) != QLatin1Char('>'))
                    return false;
                if (cur == this || name != cur->TagName())
                    return false;
                cur = cur->Parent();
                --depth;
                ++k;
            }
            i = k;
            runStart = i;
            continue;
        }
        if (ch == QLatin1Char('&')) {
            if (nextSemi != -1 && nextSemi <= i)
                nextSemi = int(src.indexOf(QLatin1Char(';'), i + 1));
            if (nextSemi > i) {
                if (const char16_t e = CharOfEntity(QStringView(src).mid(i + 1, nextSemi - i - 1))) {
                    pending += run(i);
                    pending += QChar(e);
                    i = nextSemi + 1;
                    runStart = i;
                    continue;
                }
            }
        }
        ++i;
    }
}
