#include "proxim.h"

#include "wire/wire.h"

#include <cstring>

using pel::wire::ListBuilder;
using pel::wire::ListReader;

// ------------------------------------------------------------ streams

qint64 TAkis::Read(char* hedef, qint64 adet)
{
    const qint64 n = std::clamp<qint64>(Size() - m_konum, 0, std::max<qint64>(adet, 0));
    if (n > 0)
        std::memcpy(hedef, m_veri.constData() + m_konum, size_t(n));
    m_konum += n;
    return n;
}

std::optional<QByteArray> AkisiOku(TAkis* akis, qint64 boy)
{
    if (!akis || boy <= 0)
        return std::nullopt;
    QByteArray kopya;
    char blok[kAkisBlogu];
    for (;;) {
        const qint64 n = akis->Read(blok, kAkisBlogu);
        kopya.append(blok, qsizetype(n));
        if (n < kAkisBlogu)
            break;
        if (kopya.size() > boy)
            return std::nullopt; // longer than announced
    }
    if (kopya.size() == 0 || kopya.size() != boy)
        return std::nullopt;
    return kopya;
}

void TabloyaKopyala(const pel::TableData* satirlar, pel::LocalTable& tablo)
{
    if (!satirlar) {
        tablo.emptyTable();
        return;
    }
    tablo.replaceContent(*satirlar);
}

// ------------------------------------------------------------ commands

TDSServerMethodCommand::TDSServerMethodCommand(QString metot, int girdi, int cikti, bool sonuc)
    : m_metot(std::move(metot)), m_text(QStringLiteral("TServerMethods1.") + m_metot),
      m_girdi(girdi), m_cikti(cikti), m_sonuc(sonuc)
{
}

TServerMethods1Client::TServerMethods1Client(TDBXConnection baglanti)
    : TServerMethods1Client(std::move(baglanti), true)
{
}

TServerMethods1Client::TServerMethods1Client(TDBXConnection baglanti, bool instanceOwner)
    : m_baglanti(std::move(baglanti)), m_instanceOwner(instanceOwner)
{
    if (!m_baglanti)
        throw pel::Error(QStringLiteral("Sunucu bağlantısı açık değil"), kBaglantiHatasi);
}

TServerMethods1Client::~TServerMethods1Client() = default;

const TDSServerMethodCommand* TServerMethods1Client::Komut(QStringView metot) const
{
    const auto it = m_komutlar.find(metot.toString());
    return it == m_komutlar.end() ? nullptr : it->second.get();
}

TDSServerMethodCommand& TServerMethods1Client::komut(const char* metot, int girdi, int cikti,
                                                     bool sonuc)
{
    const QString ad = QString::fromLatin1(metot);
    auto& yer = m_komutlar[ad];
    if (!yer)
        yer = std::make_unique<TDSServerMethodCommand>(ad, girdi, cikti, sonuc);
    return *yer;
}

ListReader TServerMethods1Client::calistir(TDSServerMethodCommand& k, const ListBuilder& p)
{
    // A new call frees what the previous call of this method left.
    k.m_sahip.reset();
    ++k.m_calisma;
    Q_ASSERT(p.count() == k.m_girdi);
    const TBaglantiTutamagi::Yanit y = m_baglanti->MetotCagir(k.m_metot, p.parametersBody());
    return pel::wire::decodeResult(y.Durum, y.Govde, k.m_cikti + (k.m_sonuc ? 1 : 0));
}

template <class T>
const T* TServerMethods1Client::nesneSonucu(TDSServerMethodCommand& k, const ListReader& r,
                                            int konum)
{
    std::unique_ptr<T> o = pel::wire::readObject<T>(r[konum]);
    if (!o)
        return nullptr;
    std::shared_ptr<const T> p(std::move(o));
    sahiplen(k, p);
    return p.get();
}

void TServerMethods1Client::sahiplen(TDSServerMethodCommand& k, std::shared_ptr<const void> sonuc)
{
    k.m_sahip = sonuc;
    // Without instance ownership results live as long as the client.
    if (!m_instanceOwner)
        m_birikim.push_back(std::move(sonuc));
}

const pel::TableData* TServerMethods1Client::satirSonucu(TDSServerMethodCommand& k,
                                                         const ListReader& r, int konum)
{
    auto t = std::make_shared<const pel::TableData>(pel::wire::readTable(r[konum]));
    sahiplen(k, t);
    return t.get();
}

TAkis* TServerMethods1Client::akisSonucu(TDSServerMethodCommand& k, const ListReader& r,
                                         int boyKonumu, int akisKonumu, qint64& boy)
{
    boy = r[boyKonumu].toInt64();
    const pel::wire::Value v = r[akisKonumu];
    if (v.isNull())
        return nullptr;
    auto a = std::make_shared<TAkis>(pel::wire::readStream(v));
    sahiplen(k, a);
    return a.get();
}

const pel::TableData* TServerMethods1Client::satirCagrisi(const char* metot, const ListBuilder& p,
                                                          int girdi)
{
    auto& k = komut(metot, girdi, 0, true);
    return satirSonucu(k, calistir(k, p), 0);
}

pel::TableData TServerMethods1Client::paketCagrisi(const char* metot, const ListBuilder& p,
                                                   int girdi)
{
    auto& k = komut(metot, girdi, 0, true);
    return pel::wire::readTable(calistir(k, p)[0]);
}

qint32 TServerMethods1Client::tamsayiCagrisi(const char* metot, const ListBuilder& p, int girdi)
{
    auto& k = komut(metot, girdi, 0, true);
    return calistir(k, p)[0].toInt32();
}

QString TServerMethods1Client::metinCagrisi(const char* metot, const ListBuilder& p, int girdi)
{
    auto& k = komut(metot, girdi, 0, true);
    return calistir(k, p)[0].toText();
}

TAkis* TServerMethods1Client::akisCagrisi(const char* metot, const ListBuilder& p, int girdi,
                                          qint64& boy)
{
    auto& k = komut(metot, girdi, 1, true);
    return akisSonucu(k, calistir(k, p), 0, 1, boy);
}

namespace {
// The identity record is marshalled and freed at once.
void kayitEkle(ListBuilder& p, TServerMethods1Client::Kayit k)
{
    p.addObject(k.get());
    k.reset();
}
} // namespace

// ------------------------------------------------------------ methods

const TSonucBilgisi* TServerMethods1Client::BuyukGetir(const QString& idsi)
{
    ListBuilder p;
    p.add(idsi);
    auto& k = komut("BuyukGetir", 1, 0, true);
    return nesneSonucu<TSonucBilgisi>(k, calistir(k, p), 0);
}

pel::TableData TServerMethods1Client::StokAraGetir(const QString& kod, Kayit bilgi)
{
    ListBuilder p;
    p.add(kod);
    kayitEkle(p, std::move(bilgi));
    return paketCagrisi("StokAraGetir", p, 2);
}

TAkis* TServerMethods1Client::ResimVer5(qint32 stokno, qint64& boy)
{
    ListBuilder p;
    p.add(stokno);
    return akisCagrisi("ResimVer5", p, 1, boy);
}

pel::TableData TServerMethods1Client::StokHareketVer(qint32 carino, qint32 stokno)
{
    ListBuilder p;
    p.add(carino).add(stokno);
    return paketCagrisi("StokHareketVer", p, 2);
}

pel::TableData TServerMethods1Client::SepetVer2(qint32 carino)
{
    ListBuilder p;
    p.add(carino);
    return paketCagrisi("SepetVer2", p, 1);
}

qint32 TServerMethods1Client::SepetEkle2(Kayit bilgim, qint32 carino, qint32 stokno,
                                         const QString& barkod, const QString& stokadi,
                                         double miktar, double kdv, double fiyat, double ind1,
                                         qint32 verenid, qint32 k, double ind2, double ind3,
                                         double ind4)
{
    ListBuilder p;
    kayitEkle(p, std::move(bilgim));
    p.add(carino).add(stokno).add(barkod).add(stokadi).add(miktar).add(kdv).add(fiyat).add(ind1);
    p.add(verenid).add(k).add(ind2).add(ind3).add(ind4);
    return tamsayiCagrisi("SepetEkle2", p, 14);
}

qint32 TServerMethods1Client::SepetGuncelle2(Kayit bilgim, qint32 carino, qint32 stokno,
                                             const QString& barkod, const QString& stokadi,
                                             double miktar, double kdv, double fiyat, double ind1,
                                             qint32 verenid, qint32 _sepetsirano, double ind2,
                                             double ind3, double ind4)
{
    ListBuilder p;
    kayitEkle(p, std::move(bilgim));
    p.add(carino).add(stokno).add(barkod).add(stokadi).add(miktar).add(kdv).add(fiyat).add(ind1);
    p.add(verenid).add(_sepetsirano).add(ind2).add(ind3).add(ind4);
    return tamsayiCagrisi("SepetGuncelle2", p, 14);
}

qint32 TServerMethods1Client::SepetSatirSil(Kayit bilgi, qint32 satirno, const QString& aciklamam)
{
    ListBuilder p;
    kayitEkle(p, std::move(bilgi));
    p.add(satirno).add(aciklamam);
    return tamsayiCagrisi("SepetSatirSil", p, 3);
}

qint32 TServerMethods1Client::SepetHepsiniSil(Kayit bilgi)
{
    ListBuilder p;
    kayitEkle(p, std::move(bilgi));
    return tamsayiCagrisi("SepetHepsiniSil", p, 1);
}

void TServerMethods1Client::SepetSecimGuncelle(qint32 sirano, qint32 secim)
{
    ListBuilder p;
    p.add(sirano).add(secim);
    auto& k = komut("SepetSecimGuncelle", 2, 0, false);
    calistir(k, p);
}

bool TServerMethods1Client::SiparisKaydet(Kayit BB, qint32 _carino, qint32 _teslim, qint32 _kargo,
                                          const QString& _aciklama, qint32 _verenid,
                                          qint32 _kargoyeni)
{
    ListBuilder p;
    kayitEkle(p, std::move(BB));
    p.add(_carino).add(_teslim).add(_kargo).add(_aciklama).add(_verenid).add(_kargoyeni);
    auto& k = komut("SiparisKaydet", 7, 0, true);
    return calistir(k, p)[0].toBool();
}

const pel::TableData* TServerMethods1Client::TeslimVer()
{
    return satirCagrisi("TeslimVer", ListBuilder(), 0);
}

const pel::TableData* TServerMethods1Client::KargoVer()
{
    return satirCagrisi("KargoVer", ListBuilder(), 0);
}

const pel::TableData* TServerMethods1Client::KargolarVer(qint32 gn)
{
    ListBuilder p;
    p.add(gn);
    return satirCagrisi("KargolarVer", p, 1);
}

const pel::TableData* TServerMethods1Client::OncekiSiparisler(qint32 carino)
{
    ListBuilder p;
    p.add(carino);
    return satirCagrisi("OncekiSiparisler", p, 1);
}

const pel::TableData* TServerMethods1Client::SiparisAyrintisi2(qint32 carino, qint32 idnosu)
{
    ListBuilder p;
    p.add(carino).add(idnosu);
    return satirCagrisi("SiparisAyrintisi2", p, 2);
}

const TSiparisDipAyrinti* TServerMethods1Client::SiparisAytintisiDip(qint32 carino,
                                                                    qint32 siranosu)
{
    ListBuilder p;
    p.add(carino).add(siranosu);
    auto& k = komut("SiparisAytintisiDip", 2, 0, true);
    return nesneSonucu<TSiparisDipAyrinti>(k, calistir(k, p), 0);
}

const pel::TableData* TServerMethods1Client::CariEkstreVer(qint32 carino)
{
    ListBuilder p;
    p.add(carino);
    return satirCagrisi("CariEkstreVer", p, 1);
}

const pel::TableData* TServerMethods1Client::FaturaGetir(qint32 carino, qint32 idnosu)
{
    ListBuilder p;
    p.add(carino).add(idnosu);
    return satirCagrisi("FaturaGetir", p, 2);
}

const pel::TableData* TServerMethods1Client::FaturaAltGetir(qint32 idnosu)
{
    ListBuilder p;
    p.add(idnosu);
    return satirCagrisi("FaturaAltGetir", p, 1);
}

const pel::TableData* TServerMethods1Client::Tahsilat(qint32 idnosu)
{
    ListBuilder p;
    p.add(idnosu);
    return satirCagrisi("Tahsilat", p, 1);
}

qint32 TServerMethods1Client::SanalposSiranoVer(qint32 idnosu)
{
    ListBuilder p;
    p.add(idnosu);
    return tamsayiCagrisi("SanalposSiranoVer", p, 1);
}

TAkis* TServerMethods1Client::SAnalPosPdfVer(qint32 sirano, qint64& boy)
{
    ListBuilder p;
    p.add(sirano);
    return akisCagrisi("SAnalPosPdfVer", p, 1, boy);
}

const pel::TableData* TServerMethods1Client::BakiyelerVer2(qint32 carino)
{
    ListBuilder p;
    p.add(carino);
    return satirCagrisi("BakiyelerVer2", p, 1);
}

namespace {
void bakiyeGirdileri(ListBuilder& p, TServerMethods1Client::Kayit k, qint32 stokno,
                     qint32 sepetsirano, qint32 siparissirano, double Adet, double Bakiye,
                     const QString& barkod)
{
    kayitEkle(p, std::move(k));
    p.add(stokno).add(sepetsirano).add(siparissirano).add(Adet).add(Bakiye).add(barkod);
}
} // namespace

qint32 TServerMethods1Client::BakiyeDuzenle(Kayit k, qint32 stokno, qint32 sepetsirano,
                                            qint32 siparissirano, double Adet, double Bakiye,
                                            const QString& barkod)
{
    ListBuilder p;
    bakiyeGirdileri(p, std::move(k), stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod);
    return tamsayiCagrisi("BakiyeDuzenle", p, 7);
}

qint32 TServerMethods1Client::BakiyeDegistir(Kayit k, qint32 stokno, qint32 sepetsirano,
                                             qint32 siparissirano, double Adet, double Bakiye,
                                             const QString& barkod)
{
    ListBuilder p;
    bakiyeGirdileri(p, std::move(k), stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod);
    return tamsayiCagrisi("BakiyeDegistir", p, 7);
}

qint32 TServerMethods1Client::BakiyeFiyatDegistir(Kayit k, qint32 stokno, qint32 sepetsirano,
                                                  qint32 siparissirano, double Adet,
                                                  double Bakiye, const QString& barkod,
                                                  double fiyat, double ind)
{
    ListBuilder p;
    bakiyeGirdileri(p, std::move(k), stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod);
    p.add(fiyat).add(ind);
    return tamsayiCagrisi("BakiyeFiyatDegistir", p, 9);
}

pel::TableData TServerMethods1Client::YenilerVer2(qint32 carino)
{
    ListBuilder p;
    p.add(carino);
    return paketCagrisi("YenilerVer2", p, 1);
}

pel::TableData TServerMethods1Client::KampanyaliVer2(qint32 cario, qint32 satici)
{
    ListBuilder p;
    p.add(cario).add(satici);
    return paketCagrisi("KampanyaliVer2", p, 2);
}

const pel::TableData* TServerMethods1Client::BalonGetir(Kayit bil)
{
    ListBuilder p;
    kayitEkle(p, std::move(bil));
    return satirCagrisi("BalonGetir", p, 1);
}

const TAcilisEkranlariki* TServerMethods1Client::AcilisEkranlarVer2()
{
    auto& k = komut("AcilisEkranlarVer2", 0, 0, true);
    return nesneSonucu<TAcilisEkranlariki>(k, calistir(k, ListBuilder()), 0);
}

QString TServerMethods1Client::KayanYaziGetir()
{
    return metinCagrisi("KayanYaziGetir", ListBuilder(), 0);
}

TAkis* TServerMethods1Client::BannerResimVer(qint64& size)
{
    return akisCagrisi("BannerResimVer", ListBuilder(), 0, size);
}

TAkis* TServerMethods1Client::BannerResimVer2(qint64& size)
{
    return akisCagrisi("BannerResimVer2", ListBuilder(), 0, size);
}

TAkis* TServerMethods1Client::BannerResimVer3(qint64& size)
{
    return akisCagrisi("BannerResimVer3", ListBuilder(), 0, size);
}

qint32 TServerMethods1Client::AcilisReklamAdet()
{
    return tamsayiCagrisi("AcilisReklamAdet", ListBuilder(), 0);
}

const TAcilisEkran* TServerMethods1Client::AcilisREklamVer(qint32 sira)
{
    ListBuilder p;
    p.add(sira);
    auto& k = komut("AcilisREklamVer", 1, 0, true);
    return nesneSonucu<TAcilisEkran>(k, calistir(k, p), 0);
}

QString TServerMethods1Client::CariVadeGunGecmismiBul(qint32 carino)
{
    ListBuilder p;
    p.add(carino);
    return metinCagrisi("CariVadeGunGecmismiBul", p, 1);
}

QString TServerMethods1Client::CariDurumVer(qint32 carino)
{
    ListBuilder p;
    p.add(carino);
    return metinCagrisi("CariDurumVer", p, 1);
}

const pel::TableData* TServerMethods1Client::CariAra(Kayit bil, const QString& aranan)
{
    ListBuilder p;
    kayitEkle(p, std::move(bil));
    p.add(aranan);
    return satirCagrisi("CariAra", p, 2);
}

qint32 TServerMethods1Client::SepetSayisi(Kayit bil)
{
    ListBuilder p;
    kayitEkle(p, std::move(bil));
    return tamsayiCagrisi("SepetSayisi", p, 1);
}

const TTusSonuclari* TServerMethods1Client::TusSonuclariVer(Kayit bil)
{
    ListBuilder p;
    kayitEkle(p, std::move(bil));
    auto& k = komut("TusSonuclariVer", 1, 0, true);
    return nesneSonucu<TTusSonuclari>(k, calistir(k, p), 0);
}

const pel::TableData* TServerMethods1Client::CariSepetVer(Kayit bil, qint32 n)
{
    ListBuilder p;
    kayitEkle(p, std::move(bil));
    p.add(n);
    return satirCagrisi("CariSepetVer", p, 2);
}

TAkis* TServerMethods1Client::RaporGetir(qint32 raporno, qint32 bolum, qint32 idno, qint32 carino,
                                         const QString& saticiadi, double tarih1, double tarih2,
                                         qint64& size)
{
    ListBuilder p;
    p.add(raporno).add(bolum).add(idno).add(carino).add(saticiadi).add(tarih1).add(tarih2);
    return akisCagrisi("RaporGetir", p, 7, size);
}

const pel::TableData* TServerMethods1Client::TumSiparislerVer(qint32 carino, qint32 stokno)
{
    ListBuilder p;
    p.add(carino).add(stokno);
    return satirCagrisi("TumSiparislerVer", p, 2);
}

const pel::TableData* TServerMethods1Client::RaporAlinanSiparisler(Kayit bilgi, double tarih1,
                                                                   double tarih2)
{
    ListBuilder p;
    kayitEkle(p, std::move(bilgi));
    p.add(tarih1).add(tarih2);
    return satirCagrisi("RaporAlinanSiparisler", p, 3);
}

const pel::TableData* TServerMethods1Client::RaporEnCokSatilanStoklar(Kayit bilgi, double tarih1,
                                                                      double tarih2)
{
    ListBuilder p;
    kayitEkle(p, std::move(bilgi));
    p.add(tarih1).add(tarih2);
    return satirCagrisi("RaporEnCokSatilanStoklar", p, 3);
}

const TMobilCariBilgisi* TServerMethods1Client::MobilCariBilgisiGetir(qint32 sirano,
                                                                      const QString& _idsi)
{
    ListBuilder p;
    p.add(sirano).add(_idsi);
    auto& k = komut("MobilCariBilgisiGetir", 2, 0, true);
    return nesneSonucu<TMobilCariBilgisi>(k, calistir(k, p), 0);
}

qint32 TServerMethods1Client::MailGonserCari(
    const QString& idsi, const QString& baslik, const QString& firmaadi, const QString& adres1,
    const QString& adres2, const QString& ilce, const QString& sehir, const QString& telefon,
    const QString& fax, const QString& vd, const QString& vn, const QString& yetkili,
    const QString& kullaniciadi, const QString& sifre, const QString& mail,
    const QString& kargoambar)
{
    ListBuilder p;
    for (const QString* s : {&idsi, &baslik, &firmaadi, &adres1, &adres2, &ilce, &sehir, &telefon,
                             &fax, &vd, &vn, &yetkili, &kullaniciadi, &sifre, &mail, &kargoambar})
        p.add(*s);
    return tamsayiCagrisi("MailGonserCari", p, 16);
}

qint32 TServerMethods1Client::MailGonserCariNormal(
    const QString& idsi, const QString& baslik, const QString& firmaadi, const QString& adres1,
    const QString& adres2, const QString& ilce, const QString& sehir, const QString& telefon,
    const QString& fax, const QString& vd, const QString& vn, const QString& yetkili,
    const QString& kullaniciadi, const QString& sifre, const QString& mail,
    const QString& kargoambar, const QString& konu)
{
    ListBuilder p;
    for (const QString* s :
         {&idsi, &baslik, &firmaadi, &adres1, &adres2, &ilce, &sehir, &telefon, &fax, &vd, &vn,
          &yetkili, &kullaniciadi, &sifre, &mail, &kargoambar, &konu})
        p.add(*s);
    return tamsayiCagrisi("MailGonserCariNormal", p, 17);
}
