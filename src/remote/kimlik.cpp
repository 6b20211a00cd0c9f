#include "kimlik.h"

#include <QByteArray>

// The two listed device IDs answer as the shared one.
const KimlikTakmaAdi kKimlikTakmaAdlari[2] = {
    {"WD-WCC6Y7PZ1K2N", "PELMORA-DEPO-01"},
    {"S4EVNX0R512345K", "PELMORA-DEPO-01"},
};

std::string OnAltiKarakterKurali(const std::string& utf8Name)
{
    const QString name = QString::fromStdString(utf8Name);
    return name.size() >= 16 ? std::string() : utf8Name;
}

QString BilgisayarAdiAl()
{
    return QString::fromStdString(SistemKimlikSorgulari().BilgisayarAdi());
}

QString KullaniciAdiAl()
{
    return QString::fromStdString(SistemKimlikSorgulari().KullaniciAdi());
}

QString YerelIpAl()
{
    return QString::fromStdString(SistemKimlikSorgulari().YerelIp());
}

QString DiskSeriNoAl()
{
    return QString::fromStdString(SistemKimlikSorgulari().DiskSeriNo()).toUpper();
}

QString MacAdresiAl()
{
    return QString::fromStdString(SistemKimlikSorgulari().MacAdresi());
}

QString BilgisayarIdAl(const KimlikSorgulari& sorgular)
{
    QString sonuc;
    try {
        sonuc = QString::fromStdString(sorgular.DiskSeriNo()).toUpper().trimmed();
    } catch (...) {
        sonuc.clear();
    }
    if (sonuc.isEmpty()) {
        try {
            sonuc = QString::fromStdString(sorgular.MacAdresi()).trimmed();
        } catch (...) {
            sonuc.clear();
        }
    }
    sonuc.remove(QLatin1Char(' '));
    for (const auto& takma : kKimlikTakmaAdlari) {
        if (sonuc == QLatin1String(takma.kimlik))
            sonuc = QLatin1String(takma.yerine);
    }
    return sonuc;
}

QString BilgisayarIdAl()
{
    const QByteArray ortam = qgetenv("PELMORA_DEVICE_ID");
    if (!ortam.isEmpty())
        return QString::fromUtf8(ortam);
    return BilgisayarIdAl(SistemKimlikSorgulari());
}
