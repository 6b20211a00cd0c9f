#pragma once
// What the screens rely on in each server method's answer: the kind of the
// result and, for tables, the columns with the kind of value they hold.
// This is the one place the tests keep these requirements.

#include "platform/fieldtype.h"

#include <QString>

#include <vector>

namespace test {

enum class Sonuc { Tablo, Tamsayi, Mantiksal, Metin, Nesne, Akis, Yok };

// Kind of a column's values as the screens use them.
enum class Deger {
    Tam,    // integer (keys, flags, codes)
    Ondal,  // Double (amounts, quantities, rates)
    Yazi,   // text
    Tarih,  // date or date and time
    Herhangi
};

struct GerekliSutun {
    const char* ad;
    Deger deger;
};

struct MetotGereksinimi {
    const char* metot;
    Sonuc sonuc;
    const char* nesneTipi = nullptr;      // objects: "unit.Class"
    std::vector<GerekliSutun> sutunlar{}; // tables
    // Tables whose columns are read by position: kinds of the first columns.
    std::vector<Deger> konumlu{};
};

inline bool uyar(pel::FieldType t, Deger d)
{
    using pel::FieldType;
    switch (d) {
    case Deger::Tam:
        return t == FieldType::Int16 || t == FieldType::Int32 || t == FieldType::Int64;
    case Deger::Ondal:
        return t == FieldType::Double;
    case Deger::Yazi:
        return t == FieldType::String || t == FieldType::WideString;
    case Deger::Tarih:
        return pel::isDateTimeType(t);
    case Deger::Herhangi:
        return true;
    }
    return false;
}

namespace detail {
using D = Deger;
inline const std::vector<GerekliSutun> stokSutunlari = {
    {"STOK_STOKNO", D::Tam}, {"DURUM", D::Tam}, {"BARKOD", D::Yazi}, {"ADI", D::Yazi},
    {"OEM1", D::Yazi}, {"OEM2", D::Yazi}, {"OEM3", D::Yazi}, {"OEM4", D::Yazi}, {"OEMNO", D::Yazi},
    {"FINISHKOD", D::Yazi}, {"URETICIKODU", D::Yazi}, {"DIGERADI", D::Yazi}, {"BIRIM", D::Yazi},
    {"ANAGRUP", D::Yazi}, {"OZELKOD", D::Yazi}, {"MARKA", D::Yazi}, {"MODEL", D::Yazi},
    {"BARKOD_BARKODNO", D::Yazi}, {"DPKOD", D::Yazi}, {"PKOD", D::Yazi}, {"RESIM", D::Tam},
    {"KALAN", D::Ondal}, {"ALINANSIPARIS", D::Ondal}, {"VERILENSIPARIS", D::Ondal},
    {"KDV", D::Ondal}, {"LISTEFIYAT1", D::Ondal}, {"KAMPFIYAT", D::Ondal}, {"FIYAT", D::Ondal},
    {"NETFIYAT", D::Ondal}, {"KDVDAHIL", D::Ondal}, {"IND1", D::Ondal}, {"IND2", D::Ondal},
    {"IND3", D::Ondal}, {"IND4", D::Ondal}, {"INDIRIMYAZI", D::Yazi}, {"Y", D::Tam}, {"K", D::Tam},
};
inline std::vector<GerekliSutun> ile(std::vector<GerekliSutun> a, std::vector<GerekliSutun> b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
inline const std::vector<GerekliSutun> siparisSatirSutunlari = {
    {"VERILISTARIHI", D::Tarih}, {"BARKOD", D::Yazi}, {"FINISHKOD", D::Yazi}, {"OEMNO", D::Yazi},
    {"STOKADI", D::Yazi}, {"MIKTAR", D::Ondal}, {"BIRIMFIYAT", D::Ondal}, {"TUTAR", D::Ondal},
    {"INDIRIMYAZI", D::Yazi}, {"NETBIRIMFIYAT", D::Ondal}, {"KDV", D::Ondal},
    {"VERGITUTARI", D::Ondal}, {"NETTUTAR", D::Ondal}, {"VEREN", D::Yazi},
    {"TESLIMEDILEN", D::Ondal}, {"KALAN", D::Ondal}, {"SIRANO", D::Tam}, {"SIPARISNO", D::Tam},
    {"CARINO", D::Tam}, {"TARIH", D::Tarih}, {"AKTAR", D::Herhangi}, {"STOKNO", D::Tam},
    {"INDIRIMORANI1", D::Ondal}, {"INDIRIMORANI2", D::Ondal}, {"INDIRIMORANI3", D::Ondal},
    {"INDIRIMORANI4", D::Ondal}, {"INDIRIMTUTAR", D::Ondal}, {"KUR", D::Yazi},
    {"KURTL", D::Ondal}, {"VERENIDNO", D::Tam}, {"SAAT", D::Herhangi}, {"TESLIMID", D::Tam},
    {"KARGOID", D::Tam}, {"ACIKLAMA", D::Yazi}, {"IDNO", D::Tam}, {"VERENSIRANO", D::Tam},
    {"CARIKOD", D::Yazi}, {"CARIADI", D::Yazi}, {"OEM1", D::Yazi}, {"OEM2", D::Yazi},
    {"OEM3", D::Yazi}, {"OEM4", D::Yazi}, {"STOK_STOKNO", D::Tam}, {"URETICIKODU", D::Yazi},
    {"DIGERADI", D::Yazi}, {"DPKOD", D::Yazi}, {"MARKA", D::Yazi}, {"MODEL", D::Yazi},
    {"ANAGRUP", D::Yazi}, {"OZELKOD", D::Yazi}, {"PKOD", D::Yazi}, {"TESLIM", D::Herhangi},
    {"KARGO", D::Herhangi},
};
inline const std::vector<GerekliSutun> bakiyeSutunlari =
    ile(siparisSatirSutunlari, {{"DURUM", D::Tam}, {"ILKFIYAT", D::Ondal}, {"STOKHAR_NO", D::Tam},
                                {"ELDEKI", D::Ondal}, {"ALINANSIPARIS", D::Ondal},
                                {"VERILENSIPARIS", D::Ondal}});
inline const std::vector<GerekliSutun> cariSutunlari = {
    {"CARINO", D::Tam}, {"CARIKOD", D::Yazi}, {"CARIADI", D::Yazi}, {"SATICISI", D::Yazi},
    {"TLBAKIYE", D::Ondal}, {"DURUM", D::Yazi}, {"SEPET", D::Herhangi}, {"ALINDI", D::Herhangi},
    {"ONAYLANDI", D::Herhangi}, {"GORULDU", D::Herhangi}, {"HAZIRLANDI", D::Herhangi},
    {"PARCALIHAZIRLANDI", D::Herhangi}, {"YETKILI", D::Yazi}, {"OZELKOD", D::Yazi},
    {"ANAGRUP", D::Yazi}, {"ALTGRUP", D::Yazi}, {"ADRES1", D::Yazi}, {"ADRES2", D::Yazi},
    {"ILCE", D::Yazi}, {"IL", D::Yazi}, {"VERGIDAIRESI", D::Yazi}, {"VERGINO", D::Yazi},
    {"TEL1", D::Yazi}, {"TEL2", D::Yazi}, {"FAX1", D::Yazi}, {"FAX2", D::Yazi}, {"GSM", D::Yazi},
    {"EMAIL", D::Yazi}, {"VADE", D::Herhangi}, {"INDIRIM", D::Herhangi}, {"KOD1", D::Herhangi},
    {"KOD2", D::Herhangi}, {"KOD3", D::Herhangi}, {"KOD4", D::Herhangi}, {"KOD5", D::Herhangi},
    {"VADEKONTROLGUN", D::Herhangi}, {"VADEKONTROLAY", D::Herhangi},
};
} // namespace detail

// Every method of the catalogue that the client calls.
inline const std::vector<MetotGereksinimi>& gereksinimler()
{
    using D = Deger;
    using detail::ile;
    static const std::vector<MetotGereksinimi> g = {
        {"BuyukGetir", Sonuc::Nesne, "baglantiu.TSonucBilgisi"},
        {"StokAraGetir", Sonuc::Tablo, nullptr, detail::stokSutunlari},
        {"ResimVer5", Sonuc::Akis},
        {"StokHareketVer", Sonuc::Tablo, nullptr,
         {{"TARIH", D::Tarih}, {"TURU", D::Yazi}, {"EVRAKSERI", D::Herhangi}, {"EVRAKSIRA", D::Herhangi},
          {"MIKTAR", D::Ondal}, {"TLBIRIMFIYAT", D::Ondal}, {"TLVERGI", D::Ondal}, {"TLTUTAR", D::Ondal},
          {"TOPLAMINDIRIM", D::Ondal}, {"NETBIRIMFIYAT", D::Ondal}, {"NETTLTUTAR", D::Ondal},
          {"KDVDAHILBIRIMFIYAT", D::Ondal}, {"KDVDAHILTUTAR", D::Ondal}, {"BARKOD", D::Yazi},
          {"INDIRIM1", D::Ondal}, {"INDIRIM2", D::Ondal}, {"INDIRIM3", D::Ondal}, {"INDIRIM4", D::Ondal},
          {"INDIRIM5", D::Ondal}, {"INDIRIM6", D::Ondal}, {"INDIRIM7", D::Ondal}, {"INDIRIM8", D::Ondal},
          {"MASRAF1", D::Ondal}, {"MASRAF2", D::Ondal}, {"TOPLAMMASRAF", D::Ondal}, {"VADE", D::Herhangi},
          {"STOKCARIKOD", D::Yazi}, {"SATICI", D::Yazi}}},
        {"SepetVer2", Sonuc::Tablo, nullptr,
         {{"SIRANO", D::Tam}, {"SEC", D::Tam}, {"STOKNO", D::Tam}, {"BARKOD", D::Yazi},
          {"STOKADI", D::Yazi}, {"MARKA", D::Yazi}, {"FINISHKOD", D::Yazi}, {"MODEL", D::Yazi},
          {"OEMNO", D::Yazi}, {"MIKTAR", D::Ondal}, {"BIRIMFIYAT", D::Ondal},
          {"INDIRIMORANI1", D::Ondal}, {"INDIRIMORANI2", D::Ondal}, {"INDIRIMORANI3", D::Ondal},
          {"INDIRIMORANI4", D::Ondal}, {"INDIRIMYAZI", D::Yazi}, {"INDIRIMTUTAR", D::Ondal},
          {"NETBIRIMFIYAT", D::Ondal}, {"KDV", D::Ondal}, {"TUTAR", D::Ondal},
          {"VERGITUTARI", D::Ondal}, {"NETTUTAR", D::Ondal}, {"VERILISTARIHI", D::Tarih},
          {"VEREN", D::Yazi}, {"DURUM", D::Tam}, {"KALAN", D::Ondal}, {"SIPARISNO", D::Herhangi},
          {"CARINO", D::Tam}, {"TARIH", D::Herhangi}, {"AKTAR", D::Herhangi}, {"KUR", D::Herhangi},
          {"KURTL", D::Herhangi}, {"VERENIDNO", D::Herhangi}, {"SAAT", D::Herhangi},
          {"TESLIMID", D::Herhangi}, {"KARGOID", D::Herhangi}, {"ACIKLAMA", D::Herhangi},
          {"IDNO", D::Herhangi}, {"VERENSIRANO", D::Herhangi}, {"CARIKOD", D::Yazi},
          {"CARIADI", D::Yazi}, {"OEM1", D::Yazi}, {"OEM2", D::Yazi}, {"OEM3", D::Yazi},
          {"OEM4", D::Yazi}, {"STOK_STOKNO", D::Tam}, {"URETICIKODU", D::Yazi}, {"DIGERADI", D::Yazi},
          {"DPKOD", D::Yazi}, {"ANAGRUP", D::Yazi}, {"OZELKOD", D::Yazi}, {"PKOD", D::Yazi}}},
        {"SepetEkle2", Sonuc::Tamsayi},
        {"SepetGuncelle2", Sonuc::Tamsayi},
        {"SepetSatirSil", Sonuc::Tamsayi},
        {"SepetHepsiniSil", Sonuc::Tamsayi},
        {"SepetSecimGuncelle", Sonuc::Yok},
        {"SiparisKaydet", Sonuc::Mantiksal},
        {"TeslimVer", Sonuc::Tablo, nullptr, {}, {D::Tam, D::Yazi}},
        {"KargoVer", Sonuc::Tablo, nullptr, {}, {D::Tam, D::Yazi}},
        {"KargolarVer", Sonuc::Tablo, nullptr, {{"ADI", D::Yazi}, {"SIRANO", D::Tam}, {"UYARI", D::Yazi}}},
        {"OncekiSiparisler", Sonuc::Tablo, nullptr,
         {{"CARINO", D::Tam}, {"IDNO", D::Tam}, {"TARIH", D::Tarih}, {"KUR", D::Yazi}, {"KURTL", D::Ondal},
          {"VERENIDNO", D::Tam}, {"KARGO", D::Yazi}, {"TESLIM", D::Yazi}, {"VEREN", D::Yazi},
          {"CARIKOD", D::Yazi}, {"CARIADI", D::Yazi}, {"VERGI", D::Ondal}, {"NETTUTAR", D::Ondal},
          {"TUTAR", D::Ondal}, {"DURUM", D::Yazi}, {"KARGOADI", D::Yazi}, {"VERENINNOTU", D::Yazi},
          {"ALANNOTU", D::Yazi}}},
        {"SiparisAyrintisi2", Sonuc::Tablo, nullptr, detail::siparisSatirSutunlari},
        {"SiparisAytintisiDip", Sonuc::Nesne, "baglantiu.TSiparisDipAyrinti"},
        {"CariEkstreVer", Sonuc::Tablo, nullptr,
         {{"CARINO", D::Tam}, {"TARIH", D::Tarih}, {"TURADI", D::Yazi}, {"EVRAK", D::Yazi},
          {"BORC", D::Ondal}, {"ALACAK", D::Ondal}, {"KUR", D::Yazi}, {"BAKIYE", D::Ondal},
          {"D", D::Yazi}, {"IDNO", D::Tam}, {"ACIKLAMA", D::Yazi}}},
        {"FaturaGetir", Sonuc::Tablo, nullptr,
         {{"STOKHAR_HAREKETTARIHI", D::Tarih}, {"STOKHAR_HAREKETTIPI2", D::Yazi}, {"SATICIADI", D::Yazi},
          {"EVRAKNO", D::Yazi}, {"STOKHAR_VADE", D::Herhangi}, {"OEMNO", D::Yazi}, {"STOKADI", D::Yazi},
          {"FINISHKOD", D::Yazi}, {"MARKA", D::Yazi}, {"MODEL", D::Yazi}, {"ANAGRUP", D::Yazi},
          {"BIRIM", D::Yazi}, {"STOKHAR_MIKTAR", D::Ondal}, {"STOKHAR_TLBIRIMFIYATI", D::Ondal},
          {"STOKHAR_TLTUTAR", D::Ondal}, {"STOKHAR_INDIRIM1", D::Ondal}, {"STOKHAR_INDIRIM2", D::Ondal},
          {"KDV", D::Ondal}, {"STOKHAR_TOPLAMINDIRIM", D::Ondal}, {"STOKHAR_TOPLAMMASRAF", D::Ondal},
          {"STOKHAR_NETTLBIRIMFIYATI", D::Ondal}, {"STOKHAR_NETTLTUTAR", D::Ondal},
          {"OZELKOD", D::Yazi}, {"BARKOD", D::Yazi}, {"STOKHAR_TLVERGI", D::Ondal},
          {"IRSALIYEEVRAKNO", D::Herhangi}, {"STOKHAR_IRSTARIHI", D::Herhangi},
          {"SATIRACIKLMASI", D::Herhangi}, {"STOKHAR_SAAT", D::Herhangi}, {"SIPARISEVRAKNO", D::Herhangi},
          {"SIPARISTARIHI", D::Herhangi}, {"IRSALIYETIP2", D::Herhangi}, {"STOKHAR_INDIRIM3", D::Herhangi},
          {"STOKHAR_INDIRIM8", D::Herhangi}, {"STOKHAR_DOVIZBIRIMFIYATI", D::Herhangi},
          {"STOKHAR_DOVIZVERGI", D::Herhangi}, {"STOKHAR_DOVIZTUTAR", D::Herhangi},
          {"STOKHAR_PARTI", D::Herhangi}, {"STOKHAR_BEDEN", D::Herhangi}, {"STOKHAR_RENK", D::Herhangi},
          {"STOKHAR_MASRAF1", D::Herhangi}, {"STOKHAR_MASRAF2", D::Herhangi},
          {"STOKHAR_DOVIZTOPLAMINDIRIM", D::Herhangi}, {"STOKHAR_DOVIZTOPLAMMASRAF", D::Herhangi},
          {"STOKHAR_NETDOVIZBIRIMFIYATI", D::Herhangi}, {"STOKHAR_NETDOVIZTUTAR", D::Herhangi},
          {"STOKHAR_KURTL", D::Herhangi}, {"SIPARISTIPI", D::Herhangi}, {"IRSALIYETIPINO", D::Herhangi},
          {"STOKCARIKOD", D::Herhangi}, {"SUBE_NO", D::Herhangi}, {"STOKHAR_CARINO", D::Herhangi},
          {"KUR_KURSIMGE", D::Herhangi}, {"URETICIKODU", D::Herhangi}, {"DPKOD", D::Herhangi},
          {"ENADI", D::Herhangi}, {"PKOD", D::Herhangi}, {"BELGENO", D::Herhangi}, {"IDNO", D::Herhangi}}},
        {"FaturaAltGetir", Sonuc::Tablo, nullptr,
         {{"TOPLAM", D::Ondal}, {"TOPLAMINDIRIM", D::Ondal}, {"MATRAH", D::Ondal}, {"KDVTUTAR", D::Ondal},
          {"KDVDAHIL", D::Ondal}}},
        {"Tahsilat", Sonuc::Tablo, nullptr,
         {{"Tarih", D::Tarih}, {"Türü", D::Yazi}, {"Cins", D::Yazi}, {"Vade", D::Tarih}, {"Tutar", D::Ondal},
          {"Açıklama", D::Yazi}, {"EvrakNo", D::Yazi}, {"Ref", D::Yazi}, {"Saat", D::Yazi},
          {"Kur", D::Yazi}, {"KurTL", D::Ondal}, {"Döviz Tutar", D::Ondal}}},
        {"SanalposSiranoVer", Sonuc::Tamsayi},
        {"SAnalPosPdfVer", Sonuc::Akis},
        {"BakiyelerVer2", Sonuc::Tablo, nullptr, detail::bakiyeSutunlari},
        {"BakiyeDuzenle", Sonuc::Tamsayi},
        {"BakiyeDegistir", Sonuc::Tamsayi},
        {"BakiyeFiyatDegistir", Sonuc::Tamsayi},
        {"YenilerVer2", Sonuc::Tablo, nullptr, ile(detail::stokSutunlari, {{"INDIRIM", D::Ondal}})},
        {"KampanyaliVer2", Sonuc::Tablo, nullptr,
         ile(detail::stokSutunlari, {{"ESKIFIYAT", D::Ondal}, {"INDIRIM", D::Ondal}})},
        {"BalonGetir", Sonuc::Tablo, nullptr, {}, {D::Tam, D::Tam, D::Tam, D::Tam, D::Ondal}},
        {"AcilisEkranlarVer2", Sonuc::Nesne, "mobilstokunit.TAcilisEkranlariki"},
        {"KayanYaziGetir", Sonuc::Metin},
        {"BannerResimVer", Sonuc::Akis},
        {"BannerResimVer2", Sonuc::Akis},
        {"BannerResimVer3", Sonuc::Akis},
        {"AcilisReklamAdet", Sonuc::Tamsayi},
        {"AcilisREklamVer", Sonuc::Nesne, "mobilstokunit.TAcilisEkran"},
        {"CariVadeGunGecmismiBul", Sonuc::Metin},
        {"CariDurumVer", Sonuc::Metin},
        {"CariAra", Sonuc::Tablo, nullptr, detail::cariSutunlari},
        {"SepetSayisi", Sonuc::Tamsayi},
        {"TusSonuclariVer", Sonuc::Nesne, "baglantiu.TTusSonuclari"},
        {"CariSepetVer", Sonuc::Tablo, nullptr, detail::cariSutunlari},
        {"RaporGetir", Sonuc::Akis},
        {"TumSiparislerVer", Sonuc::Tablo, nullptr, detail::bakiyeSutunlari},
        {"RaporAlinanSiparisler", Sonuc::Tablo, nullptr,
         {{"SATICIADI", D::Yazi}, {"IDNO", D::Ondal}, {"CARINO", D::Tam}, {"TARIH", D::Tarih},
          {"KUR", D::Yazi}, {"KURTL", D::Ondal}, {"VERENIDNO", D::Tam}, {"KARGO", D::Yazi},
          {"TESLIM", D::Yazi}, {"VEREN", D::Yazi}, {"CARIKOD", D::Yazi}, {"CARIADI", D::Yazi},
          {"DURUM", D::Yazi}, {"KARGOADI", D::Yazi}, {"VERGI", D::Ondal}, {"NETTUTAR", D::Ondal},
          {"TUTAR", D::Ondal}}},
        {"RaporEnCokSatilanStoklar", Sonuc::Tablo, nullptr,
         {{"BARKOD", D::Yazi}, {"KOD", D::Yazi}, {"ADI", D::Yazi}, {"DEPARTMAN", D::Yazi},
          {"MIKTAR", D::Ondal}, {"NETTUTAR", D::Ondal}, {"TLVERGI", D::Ondal}, {"TUTAR", D::Ondal}}},
        {"MobilCariBilgisiGetir", Sonuc::Nesne, "mobilstokunit.TMobilCariBilgisi"},
        {"MailGonserCari", Sonuc::Tamsayi},
        {"MailGonserCariNormal", Sonuc::Tamsayi},
    };
    return g;
}

} // namespace test
