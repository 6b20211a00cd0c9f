#pragma once
// The server-method client: one operation per server method of
// TServerMethods1 that this program calls.
//
//   TServerMethods1Client c(bagc.DBXConnection());
//   auto k = std::make_unique<TSonucBilgisi>();
//   k->Kopyala(sbilgi);                                  // always a fresh copy
//   pel::TableData paket = c.StokAraGetir(u"BOSCH"_qs, std::move(k)); // consumed
//   stok.replaceContent(std::move(paket));               // packets are the caller's
//   const TSiparisDipAyrinti* dip = c.SiparisAytintisiDip(carino, sirano);
//   if (dip) benimDip.Kopyala(*dip);                     // objects stay the client's
//   TabloyaKopyala(c.OncekiSiparisler(carino), liste);   // rows stay the client's
//   qint64 boy = 0;
//   auto resim = AkisiOku(c.ResimVer5(stokno, boy), boy); // nullopt = absent
//
// Ownership: an identity-record argument is consumed (marshalled and freed
// at once, also when the call fails). An object, rows or stream result
// belongs to the client: valid until the same method is called again on
// this client or the client is freed. Packets and plain values are the
// caller's. Every failure throws pel::Error with the server's or the
// transport's text; the client catches nothing. A client and what it hands
// out belong to the thread that created it.

#include "baglanti.h"
#include "baglantiu.h"
#include "mobilstokunit.h"
#include "platform/localtable.h"
#include "platform/tabledata.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace pel::wire {
class ListBuilder;
class ListReader;
} // namespace pel::wire

// A binary stream result.
class TAkis {
public:
    explicit TAkis(QByteArray veri) : m_veri(std::move(veri)) {}
    qint64 Size() const { return m_veri.size(); }
    qint64 Position() const { return m_konum; }
    void SetPosition(qint64 p) { m_konum = std::clamp<qint64>(p, 0, Size()); }
    // Copies up to `adet` bytes from the position; returns how many.
    qint64 Read(char* hedef, qint64 adet);

private:
    QByteArray m_veri;
    qint64 m_konum = 0;
};

// The one stream reader of the program: copies `akis` in 1024-byte blocks
// until a read returns fewer, and accepts the content only when the length
// is not 0 and equals the announced `boy`. Otherwise (or for no stream) the
// result is absent.
std::optional<QByteArray> AkisiOku(TAkis* akis, qint64 boy);
constexpr qint64 kAkisBlogu = 1024;

// Copies a rows result into a local table: same columns in the same order,
// every row in the order sent. No rows result empties the table.
void TabloyaKopyala(const pel::TableData* satirlar, pel::LocalTable& tablo);

// A prepared server-method command: created on the first call of its
// method through a client and reused by later calls.
class TDSServerMethodCommand {
public:
    TDSServerMethodCommand(QString metot, int girdi, int cikti, bool sonuc);
    const QString& Text() const { return m_text; } // "TServerMethods1." + method
    const QString& Metot() const { return m_metot; }
    int GirdiSayisi() const { return m_girdi; }
    int CalismaSayisi() const { return m_calisma; }
    // What the last call left with the command (object, rows or stream); for checks.
    std::weak_ptr<const void> SonSonuc() const { return m_sahip; }

private:
    friend class TServerMethods1Client;
    QString m_metot;
    QString m_text;
    int m_girdi;
    int m_cikti;
    bool m_sonuc;
    int m_calisma = 0;
    std::shared_ptr<const void> m_sahip; // result owned by the command
};

class TServerMethods1Client {
public:
    explicit TServerMethods1Client(TDBXConnection baglanti);
    TServerMethods1Client(TDBXConnection baglanti, bool instanceOwner);
    ~TServerMethods1Client();
    TServerMethods1Client(const TServerMethods1Client&) = delete;
    TServerMethods1Client& operator=(const TServerMethods1Client&) = delete;

    using Kayit = std::unique_ptr<TSonucBilgisi>;

    const TSonucBilgisi* BuyukGetir(const QString& idsi);
    pel::TableData StokAraGetir(const QString& kod, Kayit bilgi);
    TAkis* ResimVer5(qint32 stokno, qint64& boy);
    pel::TableData StokHareketVer(qint32 carino, qint32 stokno);
    pel::TableData SepetVer2(qint32 carino);
    qint32 SepetEkle2(Kayit bilgim, qint32 carino, qint32 stokno, const QString& barkod,
                      const QString& stokadi, double miktar, double kdv, double fiyat, double ind1,
                      qint32 verenid, qint32 k, double ind2, double ind3, double ind4);
    qint32 SepetGuncelle2(Kayit bilgim, qint32 carino, qint32 stokno, const QString& barkod,
                          const QString& stokadi, double miktar, double kdv, double fiyat,
                          double ind1, qint32 verenid, qint32 _sepetsirano, double ind2,
                          double ind3, double ind4);
    qint32 SepetSatirSil(Kayit bilgi, qint32 satirno, const QString& aciklamam);
    qint32 SepetHepsiniSil(Kayit bilgi);
    void SepetSecimGuncelle(qint32 sirano, qint32 secim);
    bool SiparisKaydet(Kayit BB, qint32 _carino, qint32 _teslim, qint32 _kargo,
                       const QString& _aciklama, qint32 _verenid, qint32 _kargoyeni);
    const pel::TableData* TeslimVer();
    const pel::TableData* KargoVer();
    const pel::TableData* KargolarVer(qint32 gn);
    const pel::TableData* OncekiSiparisler(qint32 carino);
    const pel::TableData* SiparisAyrintisi2(qint32 carino, qint32 idnosu);
    const TSiparisDipAyrinti* SiparisAytintisiDip(qint32 carino, qint32 siranosu);
    const pel::TableData* CariEkstreVer(qint32 carino);
    const pel::TableData* FaturaGetir(qint32 carino, qint32 idnosu);
    const pel::TableData* FaturaAltGetir(qint32 idnosu);
    const pel::TableData* Tahsilat(qint32 idnosu);
    qint32 SanalposSiranoVer(qint32 idnosu);
    TAkis* SAnalPosPdfVer(qint32 sirano, qint64& boy);
    const pel::TableData* BakiyelerVer2(qint32 carino);
    qint32 BakiyeDuzenle(Kayit k, qint32 stokno, qint32 sepetsirano, qint32 siparissirano,
                         double Adet, double Bakiye, const QString& barkod);
    qint32 BakiyeDegistir(Kayit k, qint32 stokno, qint32 sepetsirano, qint32 siparissirano,
                          double Adet, double Bakiye, const QString& barkod);
    qint32 BakiyeFiyatDegistir(Kayit k, qint32 stokno, qint32 sepetsirano, qint32 siparissirano,
                               double Adet, double Bakiye, const QString& barkod, double fiyat,
                               double ind);
    pel::TableData YenilerVer2(qint32 carino);
    pel::TableData KampanyaliVer2(qint32 cario, qint32 satici);
    const pel::TableData* BalonGetir(Kayit bil);
    const TAcilisEkranlariki* AcilisEkranlarVer2();
    QString KayanYaziGetir();
    TAkis* BannerResimVer(qint64& size);
    TAkis* BannerResimVer2(qint64& size);
    TAkis* BannerResimVer3(qint64& size);
    qint32 AcilisReklamAdet();
    const TAcilisEkran* AcilisREklamVer(qint32 sira);
    QString CariVadeGunGecmismiBul(qint32 carino);
    QString CariDurumVer(qint32 carino);
    const pel::TableData* CariAra(Kayit bil, const QString& aranan);
    qint32 SepetSayisi(Kayit bil);
    const TTusSonuclari* TusSonuclariVer(Kayit bil);
    const pel::TableData* CariSepetVer(Kayit bil, qint32 n);
    TAkis* RaporGetir(qint32 raporno, qint32 bolum, qint32 idno, qint32 carino,
                      const QString& saticiadi, double tarih1, double tarih2, qint64& size);
    const pel::TableData* TumSiparislerVer(qint32 carino, qint32 stokno);
    const pel::TableData* RaporAlinanSiparisler(Kayit bilgi, double tarih1, double tarih2);
    const pel::TableData* RaporEnCokSatilanStoklar(Kayit bilgi, double tarih1, double tarih2);
    const TMobilCariBilgisi* MobilCariBilgisiGetir(qint32 sirano, const QString& _idsi);
    qint32 MailGonserCari(const QString& idsi, const QString& baslik, const QString& firmaadi,
                          const QString& adres1, const QString& adres2, const QString& ilce,
                          const QString& sehir, const QString& telefon, const QString& fax,
                          const QString& vd, const QString& vn, const QString& yetkili,
                          const QString& kullaniciadi, const QString& sifre, const QString& mail,
                          const QString& kargoambar);
    qint32 MailGonserCariNormal(const QString& idsi, const QString& baslik,
                                const QString& firmaadi, const QString& adres1,
                                const QString& adres2, const QString& ilce, const QString& sehir,
                                const QString& telefon, const QString& fax, const QString& vd,
                                const QString& vn, const QString& yetkili,
                                const QString& kullaniciadi, const QString& sifre,
                                const QString& mail, const QString& kargoambar,
                                const QString& konu);

    // The prepared command of a method, or null before its first call.
    const TDSServerMethodCommand* Komut(QStringView metot) const;
    int KomutSayisi() const { return int(m_komutlar.size()); }
    bool InstanceOwner() const { return m_instanceOwner; }

private:
    TDSServerMethodCommand& komut(const char* metot, int girdi, int cikti, bool sonuc);
    pel::wire::ListReader calistir(TDSServerMethodCommand& k, const pel::wire::ListBuilder& p);
    template <class T>
    const T* nesneSonucu(TDSServerMethodCommand& k, const pel::wire::ListReader& r, int konum);
    const pel::TableData* satirSonucu(TDSServerMethodCommand& k, const pel::wire::ListReader& r,
                                      int konum);
    TAkis* akisSonucu(TDSServerMethodCommand& k, const pel::wire::ListReader& r, int boyKonumu,
                      int akisKonumu, qint64& boy);
    const pel::TableData* satirCagrisi(const char* metot, const pel::wire::ListBuilder& p,
                                       int girdi);
    pel::TableData paketCagrisi(const char* metot, const pel::wire::ListBuilder& p, int girdi);
    qint32 tamsayiCagrisi(const char* metot, const pel::wire::ListBuilder& p, int girdi);
    QString metinCagrisi(const char* metot, const pel::wire::ListBuilder& p, int girdi);
    TAkis* akisCagrisi(const char* metot, const pel::wire::ListBuilder& p, int girdi, qint64& boy);

    void sahiplen(TDSServerMethodCommand& k, std::shared_ptr<const void> sonuc);

    TDBXConnection m_baglanti;
    bool m_instanceOwner = true;
    std::vector<std::shared_ptr<const void>> m_birikim;
    std::map<QString, std::unique_ptr<TDSServerMethodCommand>> m_komutlar;
};
