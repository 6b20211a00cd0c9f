#pragma once
// The Pelmora application server in this process: the application port
// (DataSnap REST dialect) and the web port (pictures, request form, the
// caller's address, the setup program), both over one store.
//
//   pelsrv::SunucuAyarlari a;
//   a.veriDosyasi = dir.filePath("magaza.db");
//   a.ornekStokAdedi = 500;          // an empty store is seeded first
//   pelsrv::PelmoraSunucu sunucu(a);
//   sunucu.baslat();                 // throws pel::Error when it cannot listen
//   QString url = sunucu.adres();    // "http://127.0.0.1:<port>/"
//   ...
//   sunucu.durdur();                 // also done by the destructor

#include "cagri.h"

#include <QString>

#include <memory>

namespace pelsrv {

class Magaza;

struct SunucuAyarlari {
    QString veriDosyasi;
    QString dinle = QStringLiteral("127.0.0.1");
    int port = 0;          // 0: any free port
    int webPort = 0;       // 0: any free port; -1: no web port
    int isParcacigi = 32;  // request threads per port
    bool bosIseDoldur = true;
    int ornekStokAdedi = 20000;
    size_t istekSiniri = 8 * 1024 * 1024; // largest request body in bytes
};

class PelmoraSunucu {
public:
    explicit PelmoraSunucu(SunucuAyarlari ayarlar);
    ~PelmoraSunucu();
    PelmoraSunucu(const PelmoraSunucu&) = delete;
    PelmoraSunucu& operator=(const PelmoraSunucu&) = delete;

    // Opens the store (creating, migrating and seeding it as needed) and
    // starts listening. Returns when both ports accept connections.
    void baslat();
    void durdur();
    bool calisiyor() const;

    int port() const;
    int webPort() const;
    QString adres() const;    // application port base URL, ending in "/"
    QString webAdres() const; // web port base URL, ending in "/"
    Magaza& magaza();

    // Blocks until durdur() is called from another thread (the executable's loop).
    void bekle();

private:
    struct Ic;
    std::unique_ptr<Ic> d;
};

// A small blocking HTTP client on one kept-alive connection (tests, bench).
class HttpIstemci {
public:
    HttpIstemci(const QString& host, int port, int zamanAsimiSn = 120);
    ~HttpIstemci();
    HttpIstemci(const HttpIstemci&) = delete;
    HttpIstemci& operator=(const HttpIstemci&) = delete;

    // Status -1 when no answer came (connection failed).
    Cevap get(const QString& yol);
    Cevap post(const QString& yol, const QByteArray& govde,
               const QByteArray& tur = "application/json; charset=utf-8");
    // POST /datasnap/rest/TServerMethods1/%22<metot>%22.
    Cevap cagir(const QString& metot, const QByteArray& govde);
    QByteArray sonIcerikTuru() const;

private:
    struct Ic;
    std::unique_ptr<Ic> d;
};

} // namespace pelsrv
