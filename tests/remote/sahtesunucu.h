#pragma once
// A scriptable faulty application server on loopback for the connection
// tests. Each request goes to a handler that chooses the answer and the
// fault: a normal answer, closing without a word, garbage bytes, a body cut
// short, never answering, or an endless body. The port is fixed when the
// object is made, so a test can start listening late (refused until then).

#include <QByteArray>
#include <QList>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

struct SahteIstek {
    QByteArray yontem; // GET / POST
    QByteArray yol;    // path as sent
    QByteArray govde;
    int baglanti = 0;  // number of the TCP connection (from 1)
    // The method name between %22 ... %22, or empty.
    QByteArray metot() const;
};

enum class Ariza {
    Yok,       // the answer as given
    Kapat,     // close the connection without answering
    Cop,       // send bytes that are not HTTP, then close
    Kisa,      // announce the body's length, send half of it, close
    Sessiz,    // never answer (until the client gives up or the server stops)
    Sonsuz,    // a chunked body that never ends
};

struct SahteCevap {
    int durum = 200;
    QByteArray govde;
    Ariza ariza = Ariza::Yok;
};

class SahteSunucu {
public:
    using Isleyici = std::function<SahteCevap(const SahteIstek&)>;

    SahteSunucu();  // reserves a free loopback port; not listening yet
    ~SahteSunucu(); // stops
    quint16 port() const { return m_port; }

    void baslat(); // listen on the port
    void durdur(); // stop listening and drop every connection

    // The default handler answers the handshake and 404 for the rest.
    void setIsleyici(Isleyici i);
    static SahteCevap elSikisma(const SahteIstek& istek); // handshake or null answer
    static SahteCevap sonuc(const QByteArray& degerler);  // {"result":[degerler]}

    int baglantiSayisi() const { return m_baglantilar.load(); }
    QList<SahteIstek> istekler() const;
    QList<SahteIstek> metotIstekleri() const; // without the handshakes

private:
    void kabulDongusu();
    void baglantiDongusu(intptr_t soket, int no);

    quint16 m_port = 0;
    intptr_t m_dinleyici = -1;
    std::atomic<bool> m_calisiyor{false};
    std::atomic<int> m_baglantilar{0};
    std::thread m_kabul;
    mutable std::mutex m_mutex;
    std::vector<std::thread> m_iscilar;
    std::vector<intptr_t> m_soketler;
    QList<SahteIstek> m_istekler;
    Isleyici m_isleyici;
};
