#pragma once
// Test support: a reference server in this process on a fresh store, and
// calls over HTTP with the wire codec.

#include "server/magaza.h"
#include "server/sunucu.h"

#include "remote/baglantiu.h"
#include "remote/wire/wire.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace test {

// Items in the stores the tests seed: small, so the suite stays quick.
constexpr int kTestStokAdedi = 500;

class TestSunucusu {
public:
    explicit TestSunucusu(int stokAdedi = kTestStokAdedi, int isParcacigi = 16)
    {
        QVERIFY2(m_dizin.isValid(), "geçici dizin");
        pelsrv::SunucuAyarlari a;
        a.veriDosyasi = m_dizin.filePath(QStringLiteral("magaza.db"));
        a.ornekStokAdedi = stokAdedi;
        a.isParcacigi = isParcacigi;
        m_sunucu = std::make_unique<pelsrv::PelmoraSunucu>(a);
        m_sunucu->baslat();
    }
    pelsrv::PelmoraSunucu& sunucu() { return *m_sunucu; }
    pelsrv::Magaza& magaza() { return m_sunucu->magaza(); }
    std::unique_ptr<pelsrv::HttpIstemci> istemci()
    {
        return std::make_unique<pelsrv::HttpIstemci>(QStringLiteral("127.0.0.1"), m_sunucu->port());
    }
    std::unique_ptr<pelsrv::HttpIstemci> webIstemci()
    {
        return std::make_unique<pelsrv::HttpIstemci>(QStringLiteral("127.0.0.1"), m_sunucu->webPort());
    }
    QString dosya() const { return m_dizin.filePath(QStringLiteral("magaza.db")); }

private:
    QTemporaryDir m_dizin;
    std::unique_ptr<pelsrv::PelmoraSunucu> m_sunucu;
};

// Calls `metot` with `p` as its "_parameters" and decodes the answer with
// at least `beklenen` values; a failed call throws pel::Error.
inline pel::wire::ListReader cagir(pelsrv::HttpIstemci& c, const QString& metot,
                                   const pel::wire::ListBuilder& p, int beklenen)
{
    const pelsrv::Cevap r = c.cagir(metot, p.parametersBody());
    if (r.durum < 0)
        throw pel::Error(QStringLiteral("%1: bağlantı hatası: %2").arg(metot, QString::fromUtf8(r.govde)));
    return pel::wire::decodeResult(r.durum, r.govde, beklenen);
}

// The identity record the demo store keeps for a device.
inline TSonucBilgisi kimlikAl(pelsrv::HttpIstemci& c, const QString& cihaz)
{
    pel::wire::ListBuilder p;
    p.add(cihaz);
    const auto r = cagir(c, QStringLiteral("BuyukGetir"), p, 1);
    auto k = pel::wire::readObject<TSonucBilgisi>(r[0]);
    return k ? *k : TSonucBilgisi();
}

// The demo store's barcode of an item: 869 0 and the number in eight
// digits, with the EAN-13 check digit.
inline QString barkod(int stokno)
{
    const QString on12 = QStringLiteral("8690%1").arg(stokno, 8, 10, QChar(u'0'));
    int t = 0;
    for (int i = 0; i < 12; ++i)
        t += (on12[i].unicode() - u'0') * (i % 2 ? 3 : 1);
    return on12 + QChar(u'0' + (10 - t % 10) % 10);
}

inline int sutun(const pel::TableData& t, const char* ad)
{
    return t.fieldIndex(QString::fromUtf8(ad));
}

} // namespace test
