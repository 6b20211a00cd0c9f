// Parses arbitrary bytes as rich text, measures and draws the tree on an
// off-screen image both ways round, and collects its links.

#include "controls/simplehtml.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdlib>
#include <memory>

// Font lookups for arbitrary FACE names fill fontconfig's caches, which live
// until the process ends.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int n = 1;
    static char name[] = "fuzz_simplehtml";
    static char* args[] = {name, nullptr};
    static QGuiApplication app(n, args);
    SetDelayHook([](int) {});
    (void)argc;
    (void)argv;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString source = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    TSimpleHTML doc(source);
    doc.SetOnGetImage([](TSimpleHTML*, const QString& uri, QImage& img) {
        // A small picture whose size depends on the source text.
        const int w = int(uri.size() % 17);
        const int h = int(uri.size() % 11);
        if (w > 0 && h > 0) {
            img = QImage(w, h, QImage::Format_RGB32);
            img.fill(Qt::red);
        }
    });
    QImage image(160, 24, QImage::Format_RGB32);
    for (bool rtl : {false, true}) {
        image.fill(Qt::white);
        QPainter p(&image);
        TCanvas c(&p);
        c.Font.setPointSize(9);
        c.SetRightToLeft(rtl);
        const QSize s = doc.Extend(c);
        if (s.width() < 0 || s.height() < 0)
            std::abort();
        const QRect r(2, 0, 156, 24);
        doc.Draw(c, r);
        TSimpleLinks links;
        const int n = doc.CollectLinks(c, r, links);
        if (n != links.Count())
            std::abort();
        for (int i = 0; i < links.Count(); ++i)
            if (links.IndexOfLinkAt(links.GetRegions(i).center()) > i &&
                !links.GetRegions(i).isEmpty())
                std::abort();
        // The style of every element ended with it.
        if (c.RightToLeft() != rtl || c.TextFlags != (rtl ? unsigned(tfRtlReading) : 0u))
            std::abort();
    }
    return 0;
}
