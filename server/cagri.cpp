#include "cagri.h"

#include "metotlar.h"

#include "platform/error.h"
#include "remote/wire/wire.h"

#include <functional>
#include <unordered_map>
#include <vector>

namespace pelsrv {

namespace {

using pel::wire::ListBuilder;
using pel::wire::ListReader;

struct Metot {
    const char* ad;
    int girdi; // number of input arguments
    std::function<void(Metotlar&, const ListReader&, ListBuilder&)> calis;
};

TSonucBilgisi kimlik(const ListReader& a, int i)
{
    std::unique_ptr<TSonucBilgisi> k = pel::wire::readObject<TSonucBilgisi>(a[i]);
    if (!k)
        throw pel::Error(QStringLiteral("Kimlik bilgisi gönderilmedi."));
    return *k;
}

QString s(const ListReader& a, int i) { return a[i].toText(); }
qint32 n(const ListReader& a, int i) { return a[i].toInt32(); }
double d(const ListReader& a, int i) { return a[i].toDouble(); }

void akis(ListBuilder& r, const QByteArray& b)
{
    r.add(qint64(b.size()));
    r.addStream(b);
}

template <class T>
void nesne(ListBuilder& r, const std::optional<T>& o)
{
    if (o)
        r.add(*o);
    else
        r.addNull();
}

const std::vector<Metot>& katalog()
{
    static const std::vector<Metot> k = {
        {"BuyukGetir", 1, [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.add(m.BuyukGetir(s(a, 0))); }},
        {"StokAraGetir", 2,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.StokAraGetir(s(a, 0), kimlik(a, 1))); }},
        {"ResimVer5", 1, [](Metotlar& m, const ListReader& a, ListBuilder& r) { akis(r, m.ResimVer5(n(a, 0))); }},
        {"StokHareketVer", 2,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.StokHareketVer(n(a, 0), n(a, 1))); }},
        {"SepetVer2", 1, [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.SepetVer2(n(a, 0))); }},
        {"SepetEkle2", 14,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) {
             r.add(m.SepetEkle2(kimlik(a, 0), n(a, 1), n(a, 2), s(a, 3), s(a, 4), d(a, 5), d(a, 6), d(a, 7),
                                d(a, 8), n(a, 9), n(a, 10), d(a, 11), d(a, 12), d(a, 13)));
         }},
        {"SepetGuncelle2", 14,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) {
             r.add(m.SepetGuncelle2(kimlik(a, 0), n(a, 1), n(a, 2), s(a, 3), s(a, 4), d(a, 5), d(a, 6),
                                    d(a, 7), d(a, 8), n(a, 9), n(a, 10), d(a, 11), d(a, 12), d(a, 13)));
         }},
        {"SepetSatirSil", 3,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.add(m.SepetSatirSil(kimlik(a, 0), n(a, 1), s(a, 2))); }},
        {"SepetHepsiniSil", 1,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.add(m.SepetHepsiniSil(kimlik(a, 0))); }},
        {"SepetSecimGuncelle", 2,
         [](Metotlar& m, const ListReader& a, ListBuilder&) { m.SepetSecimGuncelle(n(a, 0), n(a, 1)); }},
        {"SiparisKaydet", 7,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) {
             r.add(m.SiparisKaydet(kimlik(a, 0), n(a, 1), n(a, 2), n(a, 3), s(a, 4), n(a, 5), n(a, 6)));
         }},
        {"TeslimVer", 0, [](Metotlar& m, const ListReader&, ListBuilder& r) { r.addTable(m.TeslimVer()); }},
        {"KargoVer", 0, [](Metotlar& m, const ListReader&, ListBuilder& r) { r.addTable(m.KargoVer()); }},
        {"KargolarVer", 1, [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.KargolarVer(n(a, 0))); }},
        {"OncekiSiparisler", 1,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.OncekiSiparisler(n(a, 0))); }},
        {"SiparisAyrintisi2", 2,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.SiparisAyrintisi2(n(a, 0), n(a, 1))); }},
        {"SiparisAytintisiDip", 2,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { nesne(r, m.SiparisAytintisiDip(n(a, 0), n(a, 1))); }},
        {"CariEkstreVer", 1, [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.CariEkstreVer(n(a, 0))); }},
        {"FaturaGetir", 2,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.FaturaGetir(n(a, 0), n(a, 1))); }},
        {"FaturaAltGetir", 1, [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.FaturaAltGetir(n(a, 0))); }},
        {"Tahsilat", 1, [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.Tahsilat(n(a, 0))); }},
        {"SanalposSiranoVer", 1,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.add(m.SanalposSiranoVer(n(a, 0))); }},
        {"SAnalPosPdfVer", 1, [](Metotlar& m, const ListReader& a, ListBuilder& r) { akis(r, m.SAnalPosPdfVer(n(a, 0))); }},
        {"BakiyelerVer2", 1, [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.BakiyelerVer2(n(a, 0))); }},
        {"BakiyeDuzenle", 7,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) {
             r.add(m.BakiyeDuzenle(kimlik(a, 0), n(a, 1), n(a, 2), n(a, 3), d(a, 4), d(a, 5), s(a, 6)));
         }},
        {"BakiyeDegistir", 7,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) {
             r.add(m.BakiyeDegistir(kimlik(a, 0), n(a, 1), n(a, 2), n(a, 3), d(a, 4), d(a, 5), s(a, 6)));
         }},
        {"BakiyeFiyatDegistir", 9,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) {
             r.add(m.BakiyeFiyatDegistir(kimlik(a, 0), n(a, 1), n(a, 2), n(a, 3), d(a, 4), d(a, 5), s(a, 6),
                                         d(a, 7), d(a, 8)));
         }},
        {"YenilerVer2", 1, [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.YenilerVer2(n(a, 0))); }},
        {"KampanyaliVer2", 2,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.KampanyaliVer2(n(a, 0), n(a, 1))); }},
        {"BalonGetir", 1, [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.BalonGetir(kimlik(a, 0))); }},
        {"AcilisEkranlarVer2", 0, [](Metotlar& m, const ListReader&, ListBuilder& r) { r.add(m.AcilisEkranlarVer2()); }},
        {"KayanYaziGetir", 0, [](Metotlar& m, const ListReader&, ListBuilder& r) { r.add(m.KayanYaziGetir()); }},
        {"BannerResimVer", 0, [](Metotlar& m, const ListReader&, ListBuilder& r) { akis(r, m.BannerResimVer(1)); }},
        {"BannerResimVer2", 0, [](Metotlar& m, const ListReader&, ListBuilder& r) { akis(r, m.BannerResimVer(2)); }},
        {"BannerResimVer3", 0, [](Metotlar& m, const ListReader&, ListBuilder& r) { akis(r, m.BannerResimVer(3)); }},
        {"AcilisReklamAdet", 0, [](Metotlar& m, const ListReader&, ListBuilder& r) { r.add(m.AcilisReklamAdet()); }},
        {"AcilisREklamVer", 1,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { nesne(r, m.AcilisREklamVer(n(a, 0))); }},
        {"CariVadeGunGecmismiBul", 1,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.add(m.CariVadeGunGecmismiBul(n(a, 0))); }},
        {"CariDurumVer", 1, [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.add(m.CariDurumVer(n(a, 0))); }},
        {"CariAra", 2, [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.CariAra(kimlik(a, 0), s(a, 1))); }},
        {"SepetSayisi", 1, [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.add(m.SepetSayisi(kimlik(a, 0))); }},
        {"TusSonuclariVer", 1,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.add(m.TusSonuclariVer(kimlik(a, 0))); }},
        {"CariSepetVer", 2,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.CariSepetVer(kimlik(a, 0), n(a, 1))); }},
        {"RaporGetir", 7,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) {
             akis(r, m.RaporGetir(n(a, 0), n(a, 1), n(a, 2), n(a, 3), s(a, 4), d(a, 5), d(a, 6)));
         }},
        {"TumSiparislerVer", 2,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { r.addTable(m.TumSiparislerVer(n(a, 0), n(a, 1))); }},
        {"RaporAlinanSiparisler", 3,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) {
             r.addTable(m.RaporAlinanSiparisler(kimlik(a, 0), d(a, 1), d(a, 2)));
         }},
        {"RaporEnCokSatilanStoklar", 3,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) {
             r.addTable(m.RaporEnCokSatilanStoklar(kimlik(a, 0), d(a, 1), d(a, 2)));
         }},
        {"MobilCariBilgisiGetir", 2,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) { nesne(r, m.MobilCariBilgisiGetir(n(a, 0), s(a, 1))); }},
        {"MailGonserCari", 16,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) {
             QStringList l;
             for (int i = 0; i < 16; ++i)
                 l << s(a, i);
             r.add(m.MailGonserCari(l));
         }},
        {"MailGonserCariNormal", 17,
         [](Metotlar& m, const ListReader& a, ListBuilder& r) {
             QStringList l;
             for (int i = 0; i < 16; ++i)
                 l << s(a, i);
             r.add(m.MailGonserCariNormal(l, s(a, 16)));
         }},
    };
    return k;
}

const Metot* bul(const QString& ad)
{
    static const std::unordered_map<QString, const Metot*> dizin = [] {
        std::unordered_map<QString, const Metot*> d;
        for (const Metot& m : katalog())
            d.emplace(QString::fromLatin1(m.ad), &m);
        return d;
    }();
    auto it = dizin.find(ad);
    return it == dizin.end() ? nullptr : it->second;
}

} // namespace

QStringList metotAdlari()
{
    QStringList l;
    for (const Metot& m : katalog())
        l << QString::fromLatin1(m.ad);
    return l;
}

Cevap metotCagir(Magaza& magaza, const QString& ad, QByteArrayView govde)
{
    Cevap c;
    const Metot* metot = bul(ad);
    if (!metot) {
        c.durum = 404;
        c.govde = pel::wire::errorBody(QStringLiteral("Sunucu metodu bulunamadı: %1").arg(ad.left(100)));
        return c;
    }
    try {
        const ListReader a = pel::wire::decodeParameters(govde);
        if (a.size() != metot->girdi)
            throw pel::Error(QStringLiteral("%1 için %2 parametre beklenirken %3 geldi.")
                                 .arg(ad)
                                 .arg(metot->girdi)
                                 .arg(a.size()));
        Metotlar m(magaza);
        ListBuilder r;
        metot->calis(m, a, r);
        c.govde = r.resultBody();
    } catch (const pel::Error& e) {
        c.durum = 500;
        c.govde = pel::wire::errorBody(e.text());
    } catch (const std::exception& e) {
        c.durum = 500;
        c.govde = pel::wire::errorBody(QStringLiteral("Sunucu hatası: %1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        c.durum = 500;
        c.govde = pel::wire::errorBody(QStringLiteral("Sunucu hatası."));
    }
    return c;
}

} // namespace pelsrv
