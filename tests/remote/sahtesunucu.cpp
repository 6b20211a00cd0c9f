#include "sahtesunucu.h"

#include <chrono>
#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using socklen_t = int;
namespace {
int kapat(intptr_t s) { return closesocket(SOCKET(s)); }
int bekle(pollfd* p, int n, int ms) { return WSAPoll(p, ULONG(n), ms); }
void kapatYaz(intptr_t s) { shutdown(SOCKET(s), SD_BOTH); }
struct WsaBaslat {
    WsaBaslat()
    {
        WSADATA d;
        WSAStartup(MAKEWORD(2, 2), &d);
    }
} g_wsa;
} // namespace
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
namespace {
int kapat(intptr_t s) { return ::close(int(s)); }
int bekle(pollfd* p, int n, int ms) { return ::poll(p, nfds_t(n), ms); }
void kapatYaz(intptr_t s) { ::shutdown(int(s), SHUT_RDWR); }
} // namespace
#endif

namespace {

sockaddr_in loopback(quint16 port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

bool gonder(intptr_t s, const QByteArray& b)
{
    const char* p = b.constData();
    qsizetype kalan = b.size();
    while (kalan > 0) {
#ifdef _WIN32
        const int n = ::send(SOCKET(s), p, int(kalan), 0);
#else
        const ssize_t n = ::send(int(s), p, size_t(kalan), MSG_NOSIGNAL);
#endif
        if (n <= 0)
            return false;
        p += n;
        kalan -= n;
    }
    return true;
}

const char* durumMetni(int d)
{
    switch (d) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

QByteArray SahteIstek::metot() const
{
    const int a = yol.indexOf("%22");
    if (a < 0)
        return {};
    const int b = yol.indexOf("%22", a + 3);
    return b < 0 ? QByteArray() : yol.mid(a + 3, b - a - 3);
}

SahteSunucu::SahteSunucu()
{
    const intptr_t s = intptr_t(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in a = loopback(0);
    if (::bind(decltype(::socket(0, 0, 0))(s), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
        throw std::runtime_error("bind");
    socklen_t n = sizeof a;
    ::getsockname(decltype(::socket(0, 0, 0))(s), reinterpret_cast<sockaddr*>(&a), &n);
    m_port = ntohs(a.sin_port);
    kapat(s);
    m_isleyici = &SahteSunucu::elSikisma;
}

SahteSunucu::~SahteSunucu()
{
    durdur();
}

void SahteSunucu::setIsleyici(Isleyici i)
{
    std::lock_guard lock(m_mutex);
    m_isleyici = std::move(i);
}

SahteCevap SahteSunucu::sonuc(const QByteArray& degerler)
{
    return SahteCevap{200, "{\"result\":[" + degerler + "]}", Ariza::Yok};
}

SahteCevap SahteSunucu::elSikisma(const SahteIstek& istek)
{
    if (istek.yol.endsWith("/DSAdmin/GetPlatformName"))
        return sonuc("\"Pelmora Test\"");
    return SahteCevap{404, "{\"error\":\"Bilinmeyen metot\"}", Ariza::Yok};
}

QList<SahteIstek> SahteSunucu::istekler() const
{
    std::lock_guard lock(m_mutex);
    return m_istekler;
}

QList<SahteIstek> SahteSunucu::metotIstekleri() const
{
    QList<SahteIstek> l;
    for (const auto& i : istekler())
        if (!i.metot().isEmpty())
            l << i;
    return l;
}

void SahteSunucu::baslat()
{
    if (m_calisiyor)
        return;
    const auto s = ::socket(AF_INET, SOCK_STREAM, 0);
    int bir = 1;
    ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&bir), sizeof bir);
    sockaddr_in a = loopback(m_port);
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(s, 16) != 0) {
        kapat(intptr_t(s));
        throw std::runtime_error("listen");
    }
    m_dinleyici = intptr_t(s);
    m_calisiyor = true;
    m_kabul = std::thread([this] { kabulDongusu(); });
}

void SahteSunucu::durdur()
{
    if (!m_calisiyor.exchange(false))
        return;
    if (m_kabul.joinable())
        m_kabul.join();
    kapat(m_dinleyici);
    m_dinleyici = -1;
    std::vector<std::thread> iscilar;
    {
        std::lock_guard lock(m_mutex);
        for (intptr_t s : m_soketler)
            kapatYaz(s);
        iscilar.swap(m_iscilar);
    }
    for (auto& t : iscilar)
        t.join();
    std::lock_guard lock(m_mutex);
    for (intptr_t s : m_soketler)
        kapat(s);
    m_soketler.clear();
}

void SahteSunucu::kabulDongusu()
{
    while (m_calisiyor) {
        pollfd p{};
        p.fd = decltype(p.fd)(m_dinleyici);
        p.events = POLLIN;
        if (bekle(&p, 1, 20) <= 0)
            continue;
        const auto c = ::accept(decltype(::socket(0, 0, 0))(m_dinleyici), nullptr, nullptr);
        if (intptr_t(c) < 0)
            continue;
        const int no = ++m_baglantilar;
        std::lock_guard lock(m_mutex);
        m_soketler.push_back(intptr_t(c));
        m_iscilar.emplace_back([this, c, no] { baglantiDongusu(intptr_t(c), no); });
    }
}

void SahteSunucu::baglantiDongusu(intptr_t s, int no)
{
    QByteArray tampon;
    char parca[65536];
    auto oku = [&]() -> bool {
        for (;;) {
            if (!m_calisiyor)
                return false;
            pollfd p{};
            p.fd = decltype(p.fd)(s);
            p.events = POLLIN;
            const int r = bekle(&p, 1, 20);
            if (r == 0)
                continue;
            if (r < 0)
                return false;
#ifdef _WIN32
            const int n = ::recv(SOCKET(s), parca, int(sizeof parca), 0);
#else
            const ssize_t n = ::recv(int(s), parca, sizeof parca, 0);
#endif
            if (n <= 0)
                return false;
            tampon.append(parca, qsizetype(n));
            return true;
        }
    };
    for (;;) {
        qsizetype son;
        while ((son = tampon.indexOf("\r\n\r\n")) < 0)
            if (!oku())
                return;
        const QByteArray baslik = tampon.left(son);
        tampon.remove(0, son + 4);
        const QList<QByteArray> satirlar = baslik.split('\n');
        const QList<QByteArray> ilk = satirlar.value(0).trimmed().split(' ');
        SahteIstek istek;
        istek.yontem = ilk.value(0);
        istek.yol = ilk.value(1);
        istek.baglanti = no;
        qsizetype uzunluk = 0;
        for (const QByteArray& sat : satirlar) {
            const QByteArray t = sat.trimmed();
            if (t.toLower().startsWith("content-length:"))
                uzunluk = t.mid(15).trimmed().toLongLong();
        }
        while (tampon.size() < uzunluk)
            if (!oku())
                return;
        istek.govde = tampon.left(uzunluk);
        tampon.remove(0, uzunluk);

        Isleyici isleyici;
        {
            std::lock_guard lock(m_mutex);
            m_istekler << istek;
            isleyici = m_isleyici;
        }
        const SahteCevap c = isleyici(istek);
        const QByteArray ust = QByteArray("HTTP/1.1 ") + QByteArray::number(c.durum) + ' ' +
                               durumMetni(c.durum) + "\r\nContent-Type: application/json\r\n";
        switch (c.ariza) {
        case Ariza::Yok:
            if (!gonder(s, ust + "Content-Length: " + QByteArray::number(c.govde.size()) +
                               "\r\n\r\n" + c.govde))
                return;
            break;
        case Ariza::Kapat:
            kapatYaz(s);
            return;
        case Ariza::Cop:
            gonder(s, "\x01\x02 bu bir HTTP yaniti degil \xff\xfe\r\n\r\n");
            kapatYaz(s);
            return;
        case Ariza::Kisa:
            gonder(s, ust + "Content-Length: " + QByteArray::number(c.govde.size()) + "\r\n\r\n" +
                          c.govde.left(c.govde.size() / 2));
            kapatYaz(s);
            return;
        case Ariza::Sessiz:
            while (oku()) {
            }
            return;
        case Ariza::Sonsuz: {
            if (!gonder(s, ust + "Transfer-Encoding: chunked\r\n\r\n"))
                return;
            const QByteArray blok = "10000\r\n" + QByteArray(0x10000, '1') + "\r\n";
            gonder(s, "1\r\n[\r\n");
            while (m_calisiyor && gonder(s, blok)) {
            }
            return;
        }
        }
    }
}
