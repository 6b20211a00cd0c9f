#pragma once
// Customer account of the registration and mail windows, and the opening
// screens (announcements and opening advertisements).

#include "alanlar.h"

#include <QList>

#define TMOBILCARIBILGISI_ALANLARI(X)                                                              \
    X(QString, BILGISAYARID, {})                                                                   \
    X(QString, SEHIR, {})                                                                          \
    X(QString, FAX1, {})                                                                           \
    X(QString, SATICIMAIL, {})                                                                     \
    X(QString, SATICIADI, {})                                                                      \
    X(QString, CARIADI, {})                                                                        \
    X(QString, EMAIL, {})                                                                          \
    X(QString, VERGIDAIRESI, {})                                                                   \
    X(QString, YETKILI, {})                                                                        \
    X(QString, AltGrup, {})                                                                        \
    X(QString, TEL2, {})                                                                           \
    X(QString, SIFRE, {})                                                                          \
    X(QString, GSM, {})                                                                            \
    X(QString, TEL1, {})                                                                           \
    X(QString, ADRES2, {})                                                                         \
    X(double, TLBORC, 0.0)                                                                         \
    X(double, TLALACAK, 0.0)                                                                       \
    X(QString, ADRES1, {})                                                                         \
    X(QString, ULKE, {})                                                                           \
    X(QString, AnaGrup, {})                                                                        \
    X(qint32, CARINO, 0)                                                                           \
    X(double, TLBAKIYE, 0.0)                                                                       \
    X(QString, VERGINO, {})                                                                        \
    X(QString, MAIL, {})                                                                           \
    X(QString, OzelKod, {})                                                                        \
    X(QString, KULLANICIADI, {})                                                                   \
    X(QString, SATICITELEFON, {})                                                                  \
    X(QString, CARIKOD, {})                                                                        \
    X(QString, FAX2, {})                                                                           \
    X(QString, ILCE, {})

class TMobilCariBilgisi {
    PELMORA_ALANLAR(TMobilCariBilgisi, TMOBILCARIBILGISI_ALANLARI)
    static constexpr const char* kTip = "mobilstokunit.TMobilCariBilgisi";
};

// One opening screen. FResim is the picture as hex digit pairs (HexResimCoz).
#define TACILISEKRAN_ALANLARI(X)                                                                   \
    X(qint32, SiraNo, 0)                                                                           \
    X(QString, Resim, {})                                                                          \
    X(QString, Baslik, {})                                                                         \
    X(QString, Arama, {})

class TAcilisEkran {
    PELMORA_ALANLAR(TAcilisEkran, TACILISEKRAN_ALANLARI)
    static constexpr const char* kTip = "mobilstokunit.TAcilisEkran";
};

// The announcement entries, in the server's order.
#define TACILISEKRANLARIKI_ALANLARI(X) X(QList<TAcilisEkran>, Ekranlar, {})

class TAcilisEkranlariki {
    PELMORA_ALANLAR(TAcilisEkranlariki, TACILISEKRANLARIKI_ALANLARI)
    static constexpr const char* kTip = "mobilstokunit.TAcilisEkranlariki";
};
