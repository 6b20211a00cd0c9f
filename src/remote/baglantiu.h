#pragma once
// The identity record: who works at this workstation.

#include "alanlar.h"

// Kinds of user (MusteriTipi).
enum MusteriTipleri : qint32 {
    mtNormalMusteri = 0,
    mtTemsilci = 1,
    mtFiyatYetkiliTemsilci = 2,
    mtKisitliMusteri = 3,
    mtKampanyasizMusteri = 4,
};

#define TSONUCBILGISI_ALANLARI(X)                                                                  \
    X(QString, BILGISAYARID, {})                                                                   \
    X(QString, SaticiMail, {})                                                                     \
    X(qint32, Sirano, 0)                                                                           \
    X(QString, CariAdi, {})                                                                        \
    X(QString, SIFRE, {})                                                                          \
    X(qint32, SaticiNo, 0)                                                                         \
    X(qint32, CARINO, 0)                                                                           \
    X(qint32, AKTIF, 0)                                                                            \
    X(QString, Kullanicimail, {})                                                                  \
    X(QString, ADI, {})                                                                            \
    X(QString, SaticiTelefon, {})                                                                  \
    X(QString, carikod, {})                                                                        \
    X(bool, Varmi, false)                                                                          \
    X(QString, SaticiAdi, {})                                                                      \
    X(QString, BilgiSayarAdi, {})                                                                  \
    X(QString, Disip, {})                                                                          \
    X(QString, Icip, {})                                                                           \
    X(QString, BilgisayarKullanici, {})                                                            \
    X(qint32, MusteriTipi, 1)                                                                      \
    X(qint32, Version, 1)

class TSonucBilgisi {
    PELMORA_ALANLAR(TSonucBilgisi, TSONUCBILGISI_ALANLARI)
    static constexpr const char* kTip = "baglantiu.TSonucBilgisi";
};

// Footer details of one order.
#define TSIPARISDIPAYRINTI_ALANLARI(X)                                                             \
    X(QString, SizinMesaj, {})                                                                     \
    X(QString, Durumu, {})                                                                         \
    X(QString, Veren, {})                                                                          \
    X(QString, Kargo, {})                                                                          \
    X(QString, BizimMesaj, {})                                                                     \
    X(QString, TeslimCinsi, {})                                                                    \
    X(QString, KargoCinsi, {})                                                                     \
    X(QString, SaticiNotu, {})

class TSiparisDipAyrinti {
    PELMORA_ALANLAR(TSiparisDipAyrinti, TSIPARISDIPAYRINTI_ALANLARI)
    static constexpr const char* kTip = "baglantiu.TSiparisDipAyrinti";
};

// Order-status counters of the customer selection.
#define TTUSSONUCLARI_ALANLARI(X)                                                                  \
    X(qint32, Alindi, 0)                                                                           \
    X(qint32, Onaylandi, 0)                                                                        \
    X(qint32, ParcaliHazirlandi, 0)                                                                \
    X(qint32, SevkEdildi, 0)                                                                       \
    X(qint32, Hazirlandi, 0)                                                                       \
    X(qint32, Goruldu, 0)

class TTusSonuclari {
    PELMORA_ALANLAR(TTusSonuclari, TTUSSONUCLARI_ALANLARI)
    static constexpr const char* kTip = "baglantiu.TTusSonuclari";
};
