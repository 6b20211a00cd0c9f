#pragma once
// The connection to the application server (the main window's `bagc`, its
// clones and the connections handed to dialogs).
//
//   TBaglanti bagc;                       // closed; parameters preset
//   bagc.SetParam(u"HostName", SunucuAdresi);
//   if (BaglantiKontrol(bagc, 1)) {       // close, then up to 11 opens
//       TServerMethods1Client c(bagc.DBXConnection());
//       ...
//       bagc.Close();
//   }
//   std::unique_ptr<TBaglanti> klon = bagc.CloneConnection(); // closed copy
//
// An open connection is one kept-alive HTTP/1.1 connection (libcurl),
// opened with the DSAdmin/GetPlatformName handshake and dropped on close.
// A connection belongs to one thread at a time.

#include "platform/error.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

// Error kind of transport failures.
inline const QString kBaglantiHatasi = QStringLiteral("EBaglantiHatasi");

// Limits of one connection. The defaults are process-wide and may be
// changed (tests shorten them).
struct TBaglantiSinirlari {
    std::chrono::milliseconds Baglanma{15000}; // connect time-out
    std::chrono::milliseconds Yanit{120000};   // a call's answer time-out
    qint64 EnBuyukYanit = qint64(256) << 20;   // bytes of one answer body
};
TBaglantiSinirlari VarsayilanBaglantiSinirlari();
void VarsayilanBaglantiSinirlariniAyarla(const TBaglantiSinirlari& s);

// The handle of an open connection, on which a server-method client is
// created. When its connection is closed the handle stays valid but every
// request on it fails.
class TBaglantiTutamagi {
public:
    struct Yanit {
        int Durum = 0;     // HTTP status
        QByteArray Govde;  // body
    };
    virtual ~TBaglantiTutamagi() = default;
    // Posts `govde` to TServerMethods1/"metot"; transport failures throw pel::Error.
    virtual Yanit MetotCagir(const QString& metot, const QByteArray& govde) = 0;
    virtual bool Acik() const = 0;
};
using TDBXConnection = std::shared_ptr<TBaglantiTutamagi>;

class TBaglanti {
public:
    TBaglanti();
    ~TBaglanti();
    TBaglanti(const TBaglanti&) = delete;
    TBaglanti& operator=(const TBaglanti&) = delete;

    // Parameter strings: DriverName, CommunicationProtocol, HostName, Port,
    // DatasnapContext, Filters, DSProxyPort.
    QString Param(QStringView ad) const;
    void SetParam(QStringView ad, const QString& deger);
    const QList<QPair<QString, QString>>& Params() const { return m_params; }

    bool LoginPrompt() const { return false; }
    const TBaglantiSinirlari& Sinirlar() const { return m_sinirlar; }
    void SetSinirlar(const TBaglantiSinirlari& s) { m_sinirlar = s; }

    // Opens (connect + handshake); a failure throws pel::Error with a text
    // saying what happened. Opening an open connection does nothing.
    void Open();
    // Drops the connection; closing a closed one does nothing.
    void Close();
    bool Connected() const;

    // A new, closed connection with the same parameters and limits; the
    // caller owns it.
    std::unique_ptr<TBaglanti> CloneConnection() const;

    // The handle of the open connection; throws when the connection is closed.
    TDBXConnection DBXConnection() const;

    // The base of the REST paths: "http://HOST:PORT/" + DatasnapContext + "rest/".
    QString RestAdresi() const;

private:
    QList<QPair<QString, QString>> m_params;
    TBaglantiSinirlari m_sinirlar;
    std::shared_ptr<TBaglantiTutamagi> m_tutamak;
};

// The connection check: closes `bag`, then tries to open it up to 11
// times. Each failure shows the error's text in a plain box, closes and
// pauses 500 ms. After 11 failures, with `show` 1, shows the final
// "Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!". On a worker thread the
// boxes are shown on the user-interface thread while the worker waits.
bool BaglantiKontrol(TBaglanti& bag, int show);

inline const QString kBaglantiKurulamiyor =
    QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");
constexpr int kBaglantiDenemeSayisi = 11;

// The pause between attempts (500 ms); tests replace it. An empty function
// restores the real pause.
using TBeklemeKancasi = std::function<void(std::chrono::milliseconds)>;
void SetBaglantiBeklemeKancasi(TBeklemeKancasi kanca);
