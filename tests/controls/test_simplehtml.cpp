#include "support/pixels.h"
#include "controls/simplehtml.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTimer>
#include <QtTest>

namespace {

// The tree as text: TAG[name=value,...]:"own text"(children); text nodes are #.
QString dump(TSimpleHTMLNode* n)
{
    QString s = n->TagName().isEmpty() ? QStringLiteral("#") : n->TagName();
    const QStringList names = {"HREF", "SRC", "SIZE", "COLOR", "DIR", "WIDTH", "ALT", "ID"};
    QStringList attrs;
    for (const QString& a : names)
        if (n->HasAttribute(a))
            attrs << a + "=" + n->GetAttributes(a);
    if (!attrs.isEmpty())
        s += "[" + attrs.join(",") + "]";
    if (!n->Text().isEmpty())
        s += ":\"" + n->Text() + "\"";
    if (n->HasChildren()) {
        QStringList kids;
        for (int i = 0; i < n->ChildCount(); ++i)
            kids << dump(n->GetChildren(i));
        s += "(" + kids.join(",") + ")";
    }
    return s;
}

QFont testFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSize(12);
    return f;
}

QImage whiteImage(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}


bool reddish(const QColor& c)
{
    return c.red() > 150 && c.green() < 100 && c.blue() < 100;
}
bool bluish(const QColor& c)
{
    return c.blue() > 150 && c.red() < 100 && c.green() < 100;
}
bool dark(const QColor& c)
{
    return c.red() < 128 && c.green() < 128 && c.blue() < 128;
}

struct Painted {
    QImage image;
    QSize extent;
    TSimpleLinks links;
    int linkCount = 0;
};

Painted paint(const QString& source, int w = 400, int h = 40, bool rtl = false,
              TGetImageEvent images = {})
{
    Painted out;
    out.image = whiteImage(w, h);
    TSimpleHTML doc(source);
    if (images)
        doc.SetOnGetImage(images);
    QPainter p(&out.image);
    TCanvas c(&p);
    c.Font = testFont();
    c.FontColor = Qt::black;
    c.BrushColor = Qt::white;
    c.SetRightToLeft(rtl);
    out.extent = doc.Extend(c);
    doc.Draw(c, QRect(0, 0, w, h));
    out.linkCount = doc.CollectLinks(c, QRect(0, 0, w, h), out.links);
    return out;
}

} // namespace

class TestSimpleHtml : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { SetDelayHook({}); }

    void parseCases_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("tree");
        QTest::addColumn<bool>("valid");
        QTest::newRow("amp between words") << "Tom &amp; Jerry" << "HTML:\"Tom & Jerry\"" << true;
        QTest::newRow("unknown reference in text") << "a &foo; b" << "HTML:\"a &foo; b\"" << true;
        QTest::newRow("decimal 65") << "&#65;BC" << "HTML:\"ABC\"" << true;
        QTest::newRow("decimal zero stays text") << "x&#0;y" << "HTML:\"x&#0;y\"" << true;
        QTest::newRow("reference without semicolon") << "a & b" << "HTML:\"a & b\"" << true;
        QTest::newRow("unknown reference in attribute")
            << "<a href=\"x&foo;y&amp;z\">t</a>" << "HTML(A[HREF=xy&z]:\"t\")" << true;
        QTest::newRow("B then blank and word")
            << "<b>one</b> two" << "HTML(B:\"one\",#:\" two\")" << true;
        QTest::newRow("BR unclosed") << "a<br>b" << "HTML(#:\"a\",BR)" << false;
        QTest::newRow("BR self-closed") << "a<br/>b" << "HTML(#:\"a\",BR,#:\"b\")" << true;
        QTest::newRow("attribute without value") << "<a href>x</a>" << "HTML(A:\"x\")" << true;
        QTest::newRow("unquoted SRC before />")
            << "<img src=p.png/>" << "HTML(IMG[SRC=p.png/])" << false;
        QTest::newRow("FONT SIZE +2")
            << "<font size=+2>x</font>" << "HTML(FONT[SIZE=+2]:\"x\")" << true;
        QTest::newRow("FONT SIZE 14")
            << "<font size=\"14\">x</font>" << "HTML(FONT[SIZE=14]:\"x\")" << true;
        QTest::newRow("COLOR #F00")
            << "<font color=#F00>x</font>" << "HTML(FONT[COLOR=#F00]:\"x\")" << true;
        QTest::newRow("COLOR navy")
            << "<font color='navy'>x</font>" << "HTML(FONT[COLOR=navy]:\"x\")" << true;
        QTest::newRow("comment") << "<!-- c -->x" << "HTML:\"x\"" << true;
        QTest::newRow("shortest comment") << "a<!---->b" << "HTML(#:\"a\",#:\"b\")" << true;
        QTest::newRow("unclosed comment") << "a<!-- c" << "HTML(#:\"a\")" << false;
        QTest::newRow("nested, lower-case names upper-cased")
            << "<Font color=red>a<i>b</i>c</FONT>" << "HTML(FONT[COLOR=red](#:\"a\",I:\"b\",#:\"c\"))"
            << true;
        QTest::newRow("mismatched closing tag") << "<b>x</i>y" << "HTML(B:\"x\")" << false;
        QTest::newRow("closing the document") << "x</html>" << "HTML:\"x\"" << false;
        QTest::newRow("empty tag name") << "a < b" << "HTML(#:\"a \")" << false;
        QTest::newRow("missing closing quote") << "<a href=\"x>t</a>" << "HTML" << false;
        QTest::newRow("slash without >") << "<br/ >" << "HTML" << false;
        QTest::newRow("value cut by end") << "<a href=x" << "HTML" << false;
        QTest::newRow("later attribute replaces") << "<a href=1 HREF=2>t</a>" << "HTML(A[HREF=2]:\"t\")"
                                                  << true;
        QTest::newRow("empty value removes") << "<a href=1 href=''>t</a>" << "HTML(A:\"t\")" << true;
        QTest::newRow("white space kept") << "  a\t b  " << "HTML:\"  a\t b  \"" << true;
        QTest::newRow("text after element in element")
            << "<b><i>x</i> y</b>" << "HTML(B(I:\"x\",#:\" y\"))" << true;
        QTest::newRow("empty source") << "" << "HTML" << true;
    }
    void parseCases()
    {
        QFETCH(QString, source);
        QFETCH(QString, tree);
        QFETCH(bool, valid);
        TSimpleHTML doc(source);
        QCOMPARE(dump(&doc), tree);
        QCOMPARE(doc.IsValid(), valid);
    }

    void deepNestingStopsParsing()
    {
        QString src;
        for (int i = 0; i < 5000; ++i)
            src += "<b>";
        TSimpleHTML doc(src + "x");
        QVERIFY(!doc.IsValid());
        int depth = 0;
        for (TSimpleHTMLNode* n = &doc; n->HasChildren(); n = n->GetChildren(0))
            ++depth;
        QCOMPARE(depth, TSimpleHTML::MaxDepth);
    }

    void nodeOperations()
    {
        TSimpleHTML doc("<a HREF=x>t</a>");
        TSimpleHTMLNode* a = doc.GetChildren(0);
        QCOMPARE(a->Parent(), &doc);
        QCOMPARE(a->Document(), &doc);
        QVERIFY(a->HasAttribute("href"));
        QCOMPARE(a->GetAttributes("Href"), QString("x"));
        QCOMPARE(a->GetAttributes("title"), QString());
        TSimpleHTMLNode* c = a->AddChild("I");
        QCOMPARE(c->Parent(), a);
        QCOMPARE(a->ChildCount(), 1);
    }

    void entities_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("code");
        QTest::newRow("nbsp") << "nbsp" << 160;
        QTest::newRow("trade") << "trade" << 8482;
        QTest::newRow("quot") << "quot" << 34;
        QTest::newRow("lt") << "lt" << 60;
        QTest::newRow("dagger") << "dagger" << 8224;
        QTest::newRow("Dagger") << "Dagger" << 8225;
        QTest::newRow("Prime") << "Prime" << 8243;
        QTest::newRow("diams") << "diams" << 9830;
        QTest::newRow("harr") << "harr" << 8596;
        QTest::newRow("frac34") << "frac34" << 190;
        QTest::newRow("iquest") << "iquest" << 191;
        QTest::newRow("euro") << "euro" << 8364;
        QTest::newRow("micro") << "micro" << 181;
        QTest::newRow("divide") << "divide" << 247;
        QTest::newRow("case-sensitive") << "AMP" << 0;
        QTest::newRow("unknown") << "foo" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("decimal") << "#65" << 65;
        QTest::newRow("decimal kept to 16 bits") << "#65601" << 65;
        QTest::newRow("decimal zero") << "#0" << 0;
        QTest::newRow("no digits") << "#" << 0;
        QTest::newRow("not decimal") << "#x41" << 0;
    }
    void entities()
    {
        QFETCH(QString, name);
        QFETCH(int, code);
        QCOMPARE(int(CharOfEntity(name)), code);
    }

    void decodeEntities_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("known") << "a&amp;b" << "a&b";
        QTest::newRow("unknown removed") << "a&zz;b" << "ab";
        QTest::newRow("no semicolon stays") << "a&b" << "a&b";
        QTest::newRow("decimal") << "&#66;&#0;c" << "Bc";
        QTest::newRow("several") << "&lt;x&gt;" << "<x>";
    }
    void decodeEntities()
    {
        QFETCH(QString, value);
        QFETCH(QString, decoded);
        QCOMPARE(DecodeEntities(value), decoded);
    }

    void parseColor_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QColor>("colour");
        const QColor def(1, 2, 3);
        QTest::newRow("#RRGGBB") << "#FF8000" << QColor(255, 128, 0);
        QTest::newRow("#rgb") << "#f80" << QColor(255, 136, 0);
        QTest::newRow("#F00") << "#F00" << QColor(255, 0, 0);
        QTest::newRow("wrong length") << "#12345" << def;
        QTest::newRow("not hex") << "#GG0000" << def;
        QTest::newRow("red") << "red" << QColor(255, 0, 0);
        QTest::newRow("navy any case") << "NaVy" << QColor(0, 0, 128);
        QTest::newRow("moneygreen") << "MoneyGreen" << QColor(192, 220, 192);
        QTest::newRow("cream") << "cream" << QColor(255, 251, 240);
        QTest::newRow("unknown") << "nosuch" << def;
        QTest::newRow("default keeps") << "default" << def;
        QTest::newRow("system colour")
            << "btnface" << QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
        QTest::newRow("window text")
            << "windowtext" << QGuiApplication::palette().color(QPalette::Active, QPalette::Text);
        QTest::newRow("none") << "none" << QColor(0, 0, 0, 0);
    }
    void parseColor()
    {
        QFETCH(QString, value);
        QFETCH(QColor, colour);
        QCOMPARE(ParseColor(value, QColor(1, 2, 3)), colour);
    }

    void mulDiv()
    {
        QCOMPARE(MulDiv(15, 70, 100), 11);
        QCOMPARE(MulDiv(14, 70, 100), 10);
        QCOMPARE(MulDiv(-15, 70, 100), -11);
        QCOMPARE(MulDiv(10, 125, 100), 13);
        QCOMPARE(MulDiv(200, 5, 100), 10);
    }

    void applyStyle_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("points");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<unsigned>("flags");
        const QColor black(Qt::black);
        QTest::newRow("SIZE +2") << "<font size=+2>x</font>" << 14 << black << 0u;
        QTest::newRow("SIZE -3") << "<font size=-3>x</font>" << 9 << black << 0u;
        QTest::newRow("SIZE +x adds 0") << "<font size=+x>x</font>" << 12 << black << 0u;
        QTest::newRow("SIZE 14") << "<font size=14>x</font>" << 14 << black << 0u;
        QTest::newRow("SIZE not a number") << "<font size=big>x</font>" << 12 << black << 0u;
        QTest::newRow("COLOR #F00") << "<font color=#F00>x</font>" << 12 << QColor(255, 0, 0) << 0u;
        QTest::newRow("COLOR navy") << "<font color=navy>x</font>" << 12 << QColor(0, 0, 128) << 0u;
        QTest::newRow("COLOR unknown") << "<font color=zzz>x</font>" << 12 << black << 0u;
        QTest::newRow("SUP") << "<sup>x</sup>" << 8 << black << unsigned(tfTop);
        QTest::newRow("SUB") << "<sub>x</sub>" << 8 << black << unsigned(tfBottom);
        QTest::newRow("SMALL") << "<small>x</small>" << 9 << black << 0u;
        QTest::newRow("BIG") << "<big>x</big>" << 15 << black << 0u;
        QTest::newRow("DIR rtl") << "<a dir=rTl>x</a>" << 12 << black << unsigned(tfRtlReading);
    }
    void applyStyle()
    {
        QFETCH(QString, source);
        QFETCH(int, points);
        QFETCH(QColor, colour);
        QFETCH(unsigned, flags);
        TSimpleHTML doc(source);
        QImage img = whiteImage(4, 4);
        TCanvas c(&img);
        c.Font = testFont();
        doc.GetChildren(0)->ApplyStyle(c);
        QCOMPARE(c.FontSize(), points);
        QCOMPARE(c.FontColor, colour);
        QCOMPARE(c.TextFlags, flags);
    }

    void fontFlagsAndBackground()
    {
        TSimpleHTML doc("<b>a</b><i>b</i><u>c</u><s>d</s><strike>e</strike><strong>f</strong>"
                        "<font face=Serif bgcolor=lime>g</font>");
        QImage img = whiteImage(4, 4);
        TCanvas c(&img);
        c.Font = testFont();
        auto styled = [&](int i) {
            TCanvasRecall r(c);
            doc.GetChildren(i)->ApplyStyle(c);
            return std::make_pair(c.Font, c.BrushColor);
        };
        QVERIFY(styled(0).first.bold());
        QVERIFY(styled(1).first.italic());
        QVERIFY(styled(2).first.underline());
        QVERIFY(styled(3).first.strikeOut());
        QVERIFY(styled(4).first.strikeOut());
        QVERIFY(styled(5).first.bold());
        QCOMPARE(styled(6).first.family(), QString("Serif"));
        QCOMPARE(styled(6).second, QColor(0, 255, 0));
        // The style ends with the element.
        QVERIFY(!c.Font.bold());
        QCOMPARE(c.BrushColor, QColor(Qt::white));
    }

    void extendSumsChildrenOnOneLine()
    {
        QImage img = whiteImage(4, 4);
        TCanvas c(&img);
        c.Font = testFont();
        const QFontMetrics fm(c.Font, &img);
        TSimpleHTML doc("ab<big>cd</big>");
        const QSize s = doc.Extend(c);
        QFont big = c.Font;
        big.setPointSize(15);
        const QFontMetrics bm(big, &img);
        QCOMPARE(s.width(), fm.horizontalAdvance("ab") + bm.horizontalAdvance("cd"));
        QCOMPARE(s.height(), std::max(fm.height(), bm.height()));
        QCOMPARE(TSimpleHTML("").Extend(c), QSize(0, 0));
        QCOMPARE(c.FontSize(), 12);
    }

    void textIsDrawn()
    {
        const Painted p = paint("<b>Merhaba</b> d&uuml;nya &amp; <font color=red>kırmızı</font>");
        const QRect inked = pixelsWhere(p.image, dark);
        QVERIFY(!inked.isEmpty());
        QVERIFY(inked.left() < 5);
        const QRect red = pixelsWhere(p.image, reddish);
        QVERIFY(!red.isEmpty());
        QVERIFY(red.left() > inked.left());
        QVERIFY(red.right() < p.extent.width());
        // Nothing beyond the measured width.
        QVERIFY(pixelsWhere(p.image, [](const QColor& c) { return c != Qt::white; }).right() <
                p.extent.width());
    }

    void backgroundColourFillsTextBox()
    {
        const Painted p = paint("<font bgcolor=#0000FF>WWW</font>");
        const QRect blue = pixelsWhere(p.image, bluish);
        QCOMPARE(blue.width(), p.extent.width());
        QCOMPARE(blue.height(), p.extent.height());
    }

    void malformedSourceStillDrawn()
    {
        const Painted p = paint("<b>bold<i>italic");
        QVERIFY(!TSimpleHTML("<b>bold<i>italic").IsValid());
        QVERIFY(p.extent.width() > 0);
        QVERIFY(!pixelsWhere(p.image, dark).isEmpty());
    }

    void linksFoundWhereDrawn()
    {
        const Painted p = paint("x <a href='http://a.example/'><font color=red>AAAA</font></a> y "
                                "<a href=mailto:b@example.com><font color=blue>BBBB</font></a>"
                                " <a href>no link</a>");
        QCOMPARE(p.linkCount, 2);
        QCOMPARE(p.links.Count(), 2);
        QCOMPARE(p.links.GetLinks(0), QString("http://a.example/"));
        QCOMPARE(p.links.GetLinks(1), QString("mailto:b@example.com"));
        const QRect red = pixelsWhere(p.image, reddish);
        const QRect blue = pixelsWhere(p.image, bluish);
        QVERIFY(p.links.GetRegions(0).contains(red));
        QVERIFY(p.links.GetRegions(1).contains(blue));
        QVERIFY(!p.links.GetRegions(0).intersects(p.links.GetRegions(1)));
        QCOMPARE(p.links.IndexOfLinkAt(red.center()), 0);
        QCOMPARE(p.links.IndexOfLinkAt(blue.center()), 1);
        QCOMPARE(p.links.IndexOfLinkAt(QPoint(0, 0)), -1);
        // Links inside a link are not visited.
        const Painted nested = paint("<a href=o>a<a href=i>b</a></a>");
        QCOMPARE(nested.linkCount, 1);
        QCOMPARE(nested.links.GetLinks(0), QString("o"));
    }

    void rightToLeftPlacement()
    {
        const QString src = "<font color=red>AAAA</font><font color=blue>BBBB</font>"
                            "<a href=x>link</a>";
        const Painted p = paint(src, 400, 40, true);
        const QRect red = pixelsWhere(p.image, reddish);
        const QRect blue = pixelsWhere(p.image, bluish);
        QVERIFY(red.right() > 390);
        QVERIFY(blue.right() < red.left());
        QCOMPARE(p.links.Count(), 1);
        QVERIFY(p.links.GetRegions(0).right() < blue.left());
        QVERIFY(p.links.GetRegions(0).left() >= 400 - p.extent.width());
        // DIR on an element turns right-to-left reading on for its content.
        const Painted d = paint("<font dir=RTL>" + src + "</font>");
        QCOMPARE(pixelsWhere(d.image, reddish), red);
    }

    void verticalMarks()
    {
        const Painted sup = paint("<sup><font color=red>Xy</font></sup>", 200, 60);
        const Painted sub = paint("<sub><font color=red>Xy</font></sub>", 200, 60);
        const Painted mid = paint("<font color=red>Xy</font>", 200, 60);
        const QRect a = pixelsWhere(sup.image, reddish), b = pixelsWhere(sub.image, reddish),
                    m = pixelsWhere(mid.image, reddish);
        QVERIFY(a.bottom() < 30);
        QVERIFY(b.top() > 30);
        QVERIFY(m.top() < 30 && m.bottom() > 30);
        const Painted link = paint("<sub><a href=x>y</a></sub>", 200, 60);
        QCOMPARE(link.links.GetRegions(0).bottom(), 59);
    }

    void imagesAreCachedAndPlaced()
    {
        int asked = 0;
        auto images = [&](TSimpleHTML*, const QString& uri, QImage& img) {
            ++asked;
            if (uri == "red") {
                img = QImage(10, 10, QImage::Format_RGB32);
                img.fill(Qt::red);
            }
        };
        const Painted p = paint("<img src=red hspace=3 vspace='2'/><img src=red width=20 height='4'/>"
                                "<img src=missing width='7'/>",
                                200, 40, false, images);
        QCOMPARE(asked, 2);
        QCOMPARE(p.extent, QSize(16 + 20 + 7, 14));
        const QRect red = pixelsWhere(p.image, reddish);
        QCOMPARE(red.left(), 3);
        QCOMPARE(red.right(), 16 + 20 - 1);
        QCOMPARE(red.top(), 15);
        QCOMPARE(red.bottom(), 24);
    }

    void imageFromFileWithoutHandler()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("p.png");
        QImage src(5, 6, QImage::Format_RGB32);
        src.fill(Qt::blue);
        QVERIFY(src.save(path));
        TSimpleHTML doc("x");
        QCOMPARE(doc.GetImage(path)->size(), QSize(5, 6));
        QVERIFY(doc.GetImage(dir.filePath("none.png"))->isNull());
        QVERIFY(doc.GetImage(dir.path())->isNull());
    }

    void durDelaysDrawing()
    {
        QList<int> waits;
        SetDelayHook([&](int ms) { waits << ms; });
        paint("a<dur>b</dur>c");
        QCOMPARE(waits, QList<int>{500});
    }

    void delayKeepsEventsFlowing()
    {
        bool ran = false;
        QTimer::singleShot(0, this, [&] { ran = true; });
        Delay(0, 30);
        QVERIFY(ran);
    }

    void canvasRecallRestores()
    {
        QImage img = whiteImage(4, 4);
        TCanvas c(&img);
        c.Font = testFont();
        {
            TCanvasRecall r(c);
            c.Font.setBold(true);
            c.FontColor = Qt::red;
            c.BrushColor = Qt::blue;
            c.TextFlags = tfTop | tfRtlReading;
        }
        QVERIFY(!c.Font.bold());
        QCOMPARE(c.FontColor, QColor(Qt::black));
        QCOMPARE(c.BrushColor, QColor(Qt::white));
        QCOMPARE(c.TextFlags, 0u);
    }
};

QTEST_MAIN(TestSimpleHtml)
#include "test_simplehtml.moc"
