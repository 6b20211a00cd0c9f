#pragma once
// The server methods of TServerMethods1 over the store. Each method has the
// arguments of the catalogue in the same order and answers plain values,
// tables (pel::TableData) or transfer objects; the HTTP side only encodes.
// Store failures throw pel::Error; bad input is refused with the status
// result of the method (0 / false / empty) and changes nothing.

#include "magaza.h"

#include "platform/tabledata.h"
#include "remote/baglantiu.h"
#include "remote/mobilstokunit.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

namespace pelsrv {

// Who calls, as the store knows the workstation of an identity record.
struct Arayan {
    bool kayitli = false;
    bool aktif = false;
    qint32 sirano = 0;
    qint32 tip = 0;
    qint32 carino = 0;
    qint32 saticino = 0;
    QString adi;
};

class Metotlar {
public:
    explicit Metotlar(Magaza& m) : m_m(m) {}

    // Largest number of rows one stock search answers.
    static constexpr int kAramaSiniri = 2000;

    Arayan arayan(const TSonucBilgisi& b);

    TSonucBilgisi BuyukGetir(const QString& idsi);
    pel::TableData StokAraGetir(const QString& kod, const TSonucBilgisi& bilgi);
    QByteArray ResimVer5(qint32 stokno);
    pel::TableData StokHareketVer(qint32 carino, qint32 stokno);
    pel::TableData SepetVer2(qint32 carino);
    qint32 SepetEkle2(const TSonucBilgisi& bilgim, qint32 carino, qint32 stokno, const QString& barkod,
                      const QString& stokadi, double miktar, double kdv, double fiyat, double ind1,
                      qint32 verenid, qint32 k, double ind2, double ind3, double ind4);
    qint32 SepetGuncelle2(const TSonucBilgisi& bilgim, qint32 carino, qint32 stokno,
                          const QString& barkod, const QString& stokadi, double miktar, double kdv,
                          double fiyat, double ind1, qint32 verenid, qint32 sepetsirano, double ind2,
                          double ind3, double ind4);
    qint32 SepetSatirSil(const TSonucBilgisi& bilgi, qint32 satirno, const QString& aciklamam);
    qint32 SepetHepsiniSil(const TSonucBilgisi& bilgi);
    void SepetSecimGuncelle(qint32 sirano, qint32 secim);
    bool SiparisKaydet(const TSonucBilgisi& BB, qint32 carino, qint32 teslim, qint32 kargo,
                       const QString& aciklama, qint32 verenid, qint32 kargoyeni);
    pel::TableData TeslimVer();
    pel::TableData KargoVer();
    pel::TableData KargolarVer(qint32 gn);
    pel::TableData OncekiSiparisler(qint32 carino);
    pel::TableData SiparisAyrintisi2(qint32 carino, qint32 idnosu);
    std::optional<TSiparisDipAyrinti> SiparisAytintisiDip(qint32 carino, qint32 siranosu);
    pel::TableData CariEkstreVer(qint32 carino);
    pel::TableData FaturaGetir(qint32 carino, qint32 idnosu);
    pel::TableData FaturaAltGetir(qint32 idnosu);
    pel::TableData Tahsilat(qint32 idnosu);
    qint32 SanalposSiranoVer(qint32 idnosu);
    QByteArray SAnalPosPdfVer(qint32 sirano);
    pel::TableData BakiyelerVer2(qint32 carino);
    qint32 BakiyeDuzenle(const TSonucBilgisi& k, qint32 stokno, qint32 sepetsirano,
                         qint32 siparissirano, double Adet, double Bakiye, const QString& barkod);
    qint32 BakiyeDegistir(const TSonucBilgisi& k, qint32 stokno, qint32 sepetsirano,
                          qint32 siparissirano, double Adet, double Bakiye, const QString& barkod);
    qint32 BakiyeFiyatDegistir(const TSonucBilgisi& k, qint32 stokno, qint32 sepetsirano,
                               qint32 siparissirano, double Adet, double Bakiye,
                               const QString& barkod, double fiyat, double ind);
    pel::TableData YenilerVer2(qint32 carino);
    pel::TableData KampanyaliVer2(qint32 cario, qint32 satici);
    pel::TableData BalonGetir(const TSonucBilgisi& bil);
    TAcilisEkranlariki AcilisEkranlarVer2();
    QString KayanYaziGetir();
    QByteArray BannerResimVer(int no); // 1, 2, 3
    qint32 AcilisReklamAdet();
    std::optional<TAcilisEkran> AcilisREklamVer(qint32 sira);
    QString CariVadeGunGecmismiBul(qint32 carino);
    QString CariDurumVer(qint32 carino);
    pel::TableData CariAra(const TSonucBilgisi& bil, const QString& aranan);
    qint32 SepetSayisi(const TSonucBilgisi& bil);
    TTusSonuclari TusSonuclariVer(const TSonucBilgisi& bil);
    pel::TableData CariSepetVer(const TSonucBilgisi& bil, qint32 n);
    QByteArray RaporGetir(qint32 raporno, qint32 bolum, qint32 idno, qint32 carino,
                          const QString& saticiadi, double tarih1, double tarih2);
    pel::TableData TumSiparislerVer(qint32 carino, qint32 stokno);
    pel::TableData RaporAlinanSiparisler(const TSonucBilgisi& bilgi, double tarih1, double tarih2);
    pel::TableData RaporEnCokSatilanStoklar(const TSonucBilgisi& bilgi, double tarih1,
                                            double tarih2);
    std::optional<TMobilCariBilgisi> MobilCariBilgisiGetir(qint32 sirano, const QString& idsi);
    // The sixteen strings in catalogue order; `konu` only for the normal mail.
    qint32 MailGonserCari(const QStringList& alanlar);
    qint32 MailGonserCariNormal(const QStringList& alanlar, const QString& konu);

    // The picture of an item with its content type (for the web port).
    std::optional<std::pair<QByteArray, QString>> stokResmi(qint32 stokno);
    // Records a request sent from the web form.
    void webIstegiKaydet(const QString& bilgisayarId, const QString& icerik, const QString& adres);

private:
    pel::TableData idAdListesi(const QString& sql); // ID and ADI columns of a query
    bool cariYetkili(const Arayan& a, qint32 carino);
    QString kapsamKosulu(const Arayan& a, const QString& cariSutunu); // SQL over caller's customers
    double cariBakiye(qint32 carino);
    pel::TableData stokListesi(const QString& kosul, const QVariantList& degerler, qint32 carino,
                               bool kampanyaAcik, bool kampanyaFiyatli, int sinir);
    pel::TableData siparisSatirlari(const QString& kosul, const QVariantList& degerler);
    pel::TableData cariListesi(const Arayan& a, const QString& kosul, const QVariantList& degerler);

    Magaza& m_m;
};

} // namespace pelsrv
