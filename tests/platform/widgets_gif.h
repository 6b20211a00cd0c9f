#pragma once
// Writes small GIF files for tests and the gallery: each pixel is stored as
// a literal code (no compression), at most four colours, any number of frames.

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QVector>

namespace gifmaker {

// frames[i][y * width + x] is a palette index 0..3.
inline QByteArray makeGif(int width, int height, const QList<QColor>& palette,
                          const QList<QVector<int>>& frames, int delayCs = 10)
{
    QByteArray out("GIF89a");
    auto u16 = [&](int v) {
        out += char(v & 0xff);
        out += char((v >> 8) & 0xff);
    };
    u16(width);
    u16(height);
    out += char(0xF1); // global table, 2 bits per entry (4 colours)
    out += char(0);
    out += char(0);
    for (int i = 0; i < 4; ++i) {
        const QColor c = palette.value(i, Qt::black);
        out += char(c.red());
        out += char(c.green());
        out += char(c.blue());
    }
    // loop forever
    out += QByteArray::fromHex("21FF0B4E45545343415045322E300301000000");
    for (const QVector<int>& frame : frames) {
        out += QByteArray::fromHex("21F904");
        out += char(0x04);
        u16(delayCs);
        out += char(0);
        out += char(0);
        out += char(0x2C);
        u16(0);
        u16(0);
        u16(width);
        u16(height);
        out += char(0);
        out += char(2); // minimum code size
        QByteArray data;
        quint32 acc = 0;
        int bits = 0;
        auto put = [&](int code) {
            acc |= quint32(code) << bits;
            bits += 3;
            while (bits >= 8) {
                data += char(acc & 0xff);
                acc >>= 8;
                bits -= 8;
            }
        };
        for (int i = 0; i < frame.size(); ++i) {
            if (i % 2 == 0)
                put(4); // clear
            put(frame[i] & 3);
        }
        put(5); // end of information
        if (bits > 0)
            data += char(acc & 0xff);
        for (int i = 0; i < data.size(); i += 255) {
            const QByteArray block = data.mid(i, 255);
            out += char(block.size());
            out += block;
        }
        out += char(0);
    }
    out += char(0x3B);
    return out;
}

// A two-frame animation: left half colour 1 then colour 2.
inline QByteArray twoFrameGif(int width, int height)
{
    QVector<int> a(width * height), b(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            a[y * width + x] = x < width / 2 ? 1 : 0;
            b[y * width + x] = x < width / 2 ? 2 : 0;
        }
    return makeGif(width, height, {Qt::white, QColor(0, 52, 120), QColor(210, 40, 40), Qt::black},
                   {a, b});
}

} // namespace gifmaker
