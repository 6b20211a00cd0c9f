#include "baglanti.h"

#include "beklesinu.h"
#include "sunucuayarlari.h"
#include "utils.h"
#include "wire/wire.h"
#include "platform/seams.h"

#include <curl/curl.h>

#include <QUrl>

#include <cstring>
#include <mutex>
#include <thread>

namespace {

std::mutex g_mutex;
TBaglantiSinirlari g_sinirlar;
TBeklemeKancasi g_bekleme;

void curlHazirla()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

QString sistemHatasi(long no)
{
    if (no == 0)
        return {};
    QString metin;
    switch (no) {
#ifdef ECONNREFUSED
    case ECONNREFUSED:
        metin = QStringLiteral("bağlantı reddedildi");
        break;
#endif
#ifdef ETIMEDOUT
    case ETIMEDOUT:
        metin = QStringLiteral("bağlantı zaman aşımına uğradı");
        break;
#endif
#ifdef EHOSTUNREACH
    case EHOSTUNREACH:
        metin = QStringLiteral("sunucuya ulaşılamıyor");
        break;
#endif
#ifdef ENETUNREACH
    case ENETUNREACH:
        metin = QStringLiteral("ağa ulaşılamıyor");
        break;
#endif
#ifdef ECONNRESET
    case ECONNRESET:
        metin = QStringLiteral("bağlantı karşı taraf tarafından kapatıldı");
        break;
#endif
    default:
        metin = QString::fromLocal8Bit(std::strerror(int(no)));
    }
    return QStringLiteral("%1 (soket hatası %2)").arg(metin).arg(no);
}

// One kept-alive HTTP connection.
class CurlTutamagi final : public TBaglantiTutamagi {
public:
    CurlTutamagi(QString rest, QString hostPort, TBaglantiSinirlari sinirlar)
        : m_rest(std::move(rest)), m_hostPort(std::move(hostPort)), m_sinirlar(sinirlar)
    {
        curlHazirla();
        m_curl = curl_easy_init();
        if (!m_curl)
            throw pel::Error(QStringLiteral("Bağlantı için kaynak ayrılamadı"), kBaglantiHatasi);
        m_headers = curl_slist_append(m_headers, "Content-Type: application/json; charset=utf-8");
        m_headers = curl_slist_append(m_headers, "Accept: application/json");
        m_headers = curl_slist_append(m_headers, "Expect:");
    }

    ~CurlTutamagi() override { Kapat(); }

    void Kapat()
    {
        if (m_curl)
            curl_easy_cleanup(m_curl);
        m_curl = nullptr;
        if (m_headers)
            curl_slist_free_all(m_headers);
        m_headers = nullptr;
    }

    bool Acik() const override { return m_curl != nullptr; }

    // Connect and handshake.
    void Ac()
    {
        const Yanit y = istek(m_rest + QStringLiteral("DSAdmin/GetPlatformName"), nullptr, true);
        QString sorun;
        try {
            const pel::wire::ListReader r = pel::wire::decodeResult(y.Durum, y.Govde, 1);
            if (!r[0].isString())
                sorun = QStringLiteral("platform adı yerine %1 geldi")
                            .arg(pel::wire::kindName(r[0].kind()));
        } catch (const pel::Error& e) {
            sorun = e.text();
        }
        if (!sorun.isEmpty())
            throw pel::Error(QStringLiteral("%1 adresindeki sunucu bir uygulama sunucusu gibi yanıt "
                                            "vermedi: %2")
                                 .arg(m_hostPort, sorun),
                             kBaglantiHatasi);
    }

    Yanit MetotCagir(const QString& metot, const QByteArray& govde) override
    {
        const QString url = m_rest + QStringLiteral("TServerMethods1/%22") +
                            QString::fromLatin1(QUrl::toPercentEncoding(metot)) +
                            QStringLiteral("%22");
        return istek(url, &govde, false);
    }

private:
    struct Alici {
        QByteArray govde;
        qint64 sinir = 0;
        bool asildi = false;
    };

    static size_t yaz(char* p, size_t boyut, size_t adet, void* kullanici)
    {
        auto* a = static_cast<Alici*>(kullanici);
        const size_t n = boyut * adet;
        if (qint64(a->govde.size()) + qint64(n) > a->sinir) {
            a->asildi = true;
            return 0; // aborts the transfer
        }
        a->govde.append(p, qsizetype(n));
        return n;
    }

    Yanit istek(const QString& url, const QByteArray* govde, bool acilis)
    {
        if (!m_curl)
            throw pel::Error(QStringLiteral("Sunucu bağlantısı kapalı"), kBaglantiHatasi);
        const QByteArray u = url.toUtf8();
        Alici alici;
        alici.sinir = m_sinirlar.EnBuyukYanit;
        char hata[CURL_ERROR_SIZE] = {};

        curl_easy_setopt(m_curl, CURLOPT_URL, u.constData());
        curl_easy_setopt(m_curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(m_curl, CURLOPT_PROXY, "");
        curl_easy_setopt(m_curl, CURLOPT_NOPROXY, "*");
        curl_easy_setopt(m_curl, CURLOPT_TCP_KEEPALIVE, 1L);
        curl_easy_setopt(m_curl, CURLOPT_TCP_NODELAY, 1L);
        curl_easy_setopt(m_curl, CURLOPT_MAXCONNECTS, 1L);
        curl_easy_setopt(m_curl, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(m_curl, CURLOPT_CONNECTTIMEOUT_MS, long(m_sinirlar.Baglanma.count()));
        // On a kept-alive connection the answer gets its own time only.
        const auto sure = m_bagli ? m_sinirlar.Yanit : m_sinirlar.Baglanma + m_sinirlar.Yanit;
        curl_easy_setopt(m_curl, CURLOPT_TIMEOUT_MS, long(sure.count()));
        curl_easy_setopt(m_curl, CURLOPT_HTTPHEADER, m_headers);
        curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &CurlTutamagi::yaz);
        curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, &alici);
        curl_easy_setopt(m_curl, CURLOPT_ERRORBUFFER, hata);
        if (govde) {
            curl_easy_setopt(m_curl, CURLOPT_POST, 1L);
            curl_easy_setopt(m_curl, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(govde->size()));
            curl_easy_setopt(m_curl, CURLOPT_POSTFIELDS, govde->constData());
        } else {
            curl_easy_setopt(m_curl, CURLOPT_HTTPGET, 1L);
        }

        const CURLcode kod = curl_easy_perform(m_curl);
        curl_easy_setopt(m_curl, CURLOPT_ERRORBUFFER, nullptr);
        curl_easy_setopt(m_curl, CURLOPT_POSTFIELDS, nullptr);
        if (kod != CURLE_OK) {
            m_bagli = false;
            throw pel::Error(hataMetni(kod, hata, alici, acilis), kBaglantiHatasi);
        }
        m_bagli = true;
        long durum = 0;
        curl_easy_getinfo(m_curl, CURLINFO_RESPONSE_CODE, &durum);
        return Yanit{int(durum), std::move(alici.govde)};
    }

    QString hataMetni(CURLcode kod, const char* ayrinti, const Alici& alici, bool acilis) const
    {
        long sistem = 0;
        curl_easy_getinfo(m_curl, CURLINFO_OS_ERRNO, &sistem);
        long gonderilen = 0; // bytes of the request sent: 0 while still connecting
        curl_easy_getinfo(m_curl, CURLINFO_REQUEST_SIZE, &gonderilen);
        const QString soket = sistemHatasi(sistem);
        const QString ek = soket.isEmpty() ? QString::fromLocal8Bit(ayrinti) : soket;
        switch (kod) {
        case CURLE_COULDNT_RESOLVE_HOST:
            return QStringLiteral("Sunucu adı çözülemedi: %1").arg(m_hostPort);
        case CURLE_COULDNT_CONNECT:
            return QStringLiteral("%1 adresindeki sunucuya bağlanılamadı: %2").arg(m_hostPort, ek);
        case CURLE_OPERATION_TIMEDOUT:
            if (gonderilen == 0)
                return QStringLiteral("%1 adresindeki sunucuya bağlanırken zaman aşımı (%2 ms)")
                    .arg(m_hostPort)
                    .arg(m_sinirlar.Baglanma.count());
            return QStringLiteral("%1 adresindeki sunucu %2 ms içinde yanıt vermedi")
                .arg(m_hostPort)
                .arg(m_sinirlar.Yanit.count());
        case CURLE_GOT_NOTHING:
            return QStringLiteral("%1 adresindeki sunucu yanıt vermeden bağlantıyı kapattı")
                .arg(m_hostPort);
        case CURLE_PARTIAL_FILE:
            return QStringLiteral("Sunucunun yanıtı yarıda kesildi");
        case CURLE_WRITE_ERROR:
            if (alici.asildi)
                return QStringLiteral("Sunucunun yanıtı çok büyük (en çok %1 bayt kabul edilir)")
                    .arg(m_sinirlar.EnBuyukYanit);
            break;
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
            return QStringLiteral("%1 adresindeki sunucuyla bağlantı koptu: %2").arg(m_hostPort, ek);
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_UNSUPPORTED_PROTOCOL:
            return QStringLiteral("%1 adresindeki sunucunun yanıtı HTTP değil").arg(m_hostPort);
        default:
            break;
        }
        Q_UNUSED(acilis);
        return QStringLiteral("Sunucu bağlantısında hata (%1): %2")
            .arg(m_hostPort, *ayrinti ? QString::fromLocal8Bit(ayrinti)
                                      : QString::fromLatin1(curl_easy_strerror(kod)));
    }

    CURL* m_curl = nullptr;
    curl_slist* m_headers = nullptr;
    bool m_bagli = false; // a transfer has completed on this connection
    QString m_rest;
    QString m_hostPort;
    TBaglantiSinirlari m_sinirlar;
};

} // namespace

TBaglantiSinirlari VarsayilanBaglantiSinirlari()
{
    std::lock_guard lock(g_mutex);
    return g_sinirlar;
}

void VarsayilanBaglantiSinirlariniAyarla(const TBaglantiSinirlari& s)
{
    std::lock_guard lock(g_mutex);
    g_sinirlar = s;
}

TBaglanti::TBaglanti()
    : m_params{{QStringLiteral("DriverName"), QStringLiteral("DataSnap")},
               {QStringLiteral("CommunicationProtocol"), QStringLiteral("tcp/ip")},
               {QStringLiteral("HostName"), SunucuAdresi},
               {QStringLiteral("Port"), SunucuPortu()},
               {QStringLiteral("DatasnapContext"), QStringLiteral("datasnap/")},
               {QStringLiteral("Filters"), QStringLiteral("{}")},
               {QStringLiteral("DSProxyPort"), QStringLiteral("8090")}},
      m_sinirlar(VarsayilanBaglantiSinirlari())
{
}

TBaglanti::~TBaglanti()
{
    Close();
}

QString TBaglanti::Param(QStringView ad) const
{
    for (const auto& p : m_params)
        if (QStringView(p.first).compare(ad, Qt::CaseInsensitive) == 0)
            return p.second;
    return {};
}

void TBaglanti::SetParam(QStringView ad, const QString& deger)
{
    for (auto& p : m_params)
        if (QStringView(p.first).compare(ad, Qt::CaseInsensitive) == 0) {
            p.second = deger;
            return;
        }
    m_params.append({ad.toString(), deger});
}

QString TBaglanti::RestAdresi() const
{
    QString host = Param(u"HostName").trimmed();
    if (host.contains(u':') && !host.startsWith(u'['))
        host = u'[' + host + u']';
    QString baglam = Param(u"DatasnapContext");
    while (baglam.startsWith(u'/'))
        baglam.remove(0, 1);
    if (!baglam.isEmpty() && !baglam.endsWith(u'/'))
        baglam += u'/';
    return QStringLiteral("http://%1:%2/%3rest/").arg(host, Param(u"Port").trimmed(), baglam);
}

void TBaglanti::Open()
{
    if (Connected())
        return;
    const QString host = Param(u"HostName").trimmed();
    const QString port = Param(u"Port").trimmed();
    const QString hostPort = host + u':' + port;
    if (host.isEmpty())
        throw pel::Error(QStringLiteral("Sunucu adresi (HostName) boş"), kBaglantiHatasi);
    bool ok = false;
    const int p = port.toInt(&ok);
    if (!ok || p < 1 || p > 65535)
        throw pel::Error(QStringLiteral("Geçersiz port: \"%1\"").arg(port), kBaglantiHatasi);
    if (QUrl(RestAdresi(), QUrl::StrictMode).host().isEmpty())
        throw pel::Error(QStringLiteral("Geçersiz sunucu adresi: \"%1\"").arg(host),
                         kBaglantiHatasi);
    auto t = std::make_shared<CurlTutamagi>(RestAdresi(), hostPort, m_sinirlar);
    t->Ac(); // throws; t is then dropped with its socket
    m_tutamak = std::move(t);
}

void TBaglanti::Close()
{
    if (m_tutamak) {
        static_cast<CurlTutamagi*>(m_tutamak.get())->Kapat();
        m_tutamak.reset();
    }
}

bool TBaglanti::Connected() const
{
    return m_tutamak && m_tutamak->Acik();
}

std::unique_ptr<TBaglanti> TBaglanti::CloneConnection() const
{
    auto k = std::make_unique<TBaglanti>();
    k->m_params = m_params;
    k->m_sinirlar = m_sinirlar;
    return k;
}

TDBXConnection TBaglanti::DBXConnection() const
{
    if (!Connected())
        throw pel::Error(QStringLiteral("Sunucu bağlantısı açık değil"), kBaglantiHatasi);
    return m_tutamak;
}

// ------------------------------------------------------------ check

void SetBaglantiBeklemeKancasi(TBeklemeKancasi kanca)
{
    std::lock_guard lock(g_mutex);
    g_bekleme = std::move(kanca);
}

namespace {
void bekle(std::chrono::milliseconds ms)
{
    TBeklemeKancasi k;
    {
        std::lock_guard lock(g_mutex);
        k = g_bekleme;
    }
    if (k)
        k(ms);
    else
        std::this_thread::sleep_for(ms);
}
} // namespace

bool BaglantiKontrol(TBaglanti& bag, int show)
{
    bag.Close();
    bool sonuc = false;
    int sayac = 0;
    do {
        QString metin;
        try {
            bag.Open();
            sonuc = true;
            break;
        } catch (const pel::Error& e) {
            metin = e.text();
        } catch (const std::exception& e) {
            metin = QString::fromLocal8Bit(e.what());
        }
        Senkronize([&] { pel::plainMessage(metin); });
        bag.Close();
        ++sayac;
        bekle(std::chrono::milliseconds(500));
    } while (sayac < kBaglantiDenemeSayisi);
    if (!sonuc && show == 1)
        Senkronize([] { MesajGoster(kBaglantiKurulamiyor, mtError, mbOKSeti, mbOK); });
    return sonuc;
}
