#include "sunucu.h"

#include "magaza.h"
#include "medya.h"
#include "metotlar.h"
#include "ornekveri.h"

#include "platform/error.h"
#include "remote/wire/wire.h"

#include <httplib.h>

#include <QUrlQuery>

#include <thread>

namespace pelsrv {

namespace {

std::string std8(const QString& s)
{
    return s.toStdString();
}

QString html(const QString& s)
{
    return s.toHtmlEscaped();
}

void json(httplib::Response& res, int durum, const QByteArray& govde)
{
    res.status = durum;
    res.set_content(govde.constData(), size_t(govde.size()), "application/json; charset=utf-8");
}

QString metotAdi(const std::string& yol)
{
    QString ad = QString::fromUtf8(yol.data(), qsizetype(yol.size()));
    ad.replace(QStringLiteral("%22"), QString(), Qt::CaseInsensitive);
    ad.remove(u'"');
    return ad.trimmed();
}

const char* kFormSayfasi = R"(<!DOCTYPE html>
<html lang="tr"><head><meta charset="utf-8"><title>Pelmora Otomotiv B2B İstek Formu</title>
<style>body{font-family:Tahoma,Arial,sans-serif;background:#f2f4f7;margin:0}
.kutu{max-width:560px;margin:30px auto;background:#fff;padding:24px 30px;border-top:6px solid #003478}
h1{font-size:20px;color:#003478}label{display:block;margin-top:10px;font-weight:bold;font-size:13px}
input,textarea{width:100%;box-sizing:border-box;padding:6px;font-size:14px;border:1px solid #bbb}
button{margin-top:16px;background:#003478;color:#fff;border:0;padding:10px 24px;font-size:15px}
.not{font-size:12px;color:#555}</style></head><body><div class="kutu">
<h1>Pelmora Otomotiv B2B İstek Formu</h1>
<p class="not">Bu bilgisayar sistemimizde kayıtlı değil. Kullanıcı açılması için bilgilerinizi gönderiniz.</p>
<form method="post" action="formmailgonder.aspx">
<input type="hidden" name="id" value="%ID%"><input type="hidden" name="carino" value="%CARINO%">
<label>Bilgisayar ID</label><input value="%ID%" disabled>
<label>Firma Adı</label><input name="firmaadi" required maxlength="200">
<label>Yetkili</label><input name="yetkili" required maxlength="100">
<label>Telefon</label><input name="telefon" required maxlength="50">
<label>E-posta</label><input name="mail" type="email" maxlength="100">
<label>Adres</label><textarea name="adres" rows="2" maxlength="500"></textarea>
<label>Kullanıcı Adı</label><input name="kullanici" value="%KULLANICI%" maxlength="50">
<label>Açıklama</label><textarea name="aciklama" rows="3" maxlength="2000"></textarea>
<button type="submit">Gönder</button></form></div></body></html>
)";

const char* kOnaySayfasi = R"(<!DOCTYPE html>
<html lang="tr"><head><meta charset="utf-8"><title>Pelmora Otomotiv B2B İstek Formu</title>
<style>body{font-family:Tahoma,Arial,sans-serif;background:#f2f4f7}
.kutu{max-width:560px;margin:30px auto;background:#fff;padding:24px 30px;border-top:6px solid #1a7a3c}</style>
</head><body><div class="kutu"><h1>İsteğiniz alınmıştır</h1>
<p>%FIRMA% için gönderdiğiniz istek kaydedildi (Bilgisayar ID: %ID%). Temsilcimiz en kısa sürede sizinle iletişime geçecektir.</p>
</div></body></html>
)";

// The library listens with a backlog of 5; many clients connecting at once
// would see connections dropped. A bound socket gets the system's largest.
class Dinleyici : public httplib::Server {
public:
    void kuyruguBuyut() { ::listen(svr_sock_, SOMAXCONN); }
};

} // namespace

struct PelmoraSunucu::Ic {
    SunucuAyarlari ayar;
    std::unique_ptr<Magaza> magaza;
    Dinleyici uygulama;
    Dinleyici web;
    std::thread uygulamaIs, webIs;
    int port = -1, webPort = -1;
    std::atomic<bool> calisiyor{false};
    std::mutex bekleKilit;
    std::condition_variable bekleKosul;

    void kur(httplib::Server& s)
    {
        const int n = std::max(2, ayar.isParcacigi);
        s.new_task_queue = [n] { return new httplib::ThreadPool(size_t(n)); };
        s.set_payload_max_length(ayar.istekSiniri);
        s.set_tcp_nodelay(true);
        s.set_keep_alive_max_count(1000);
        s.set_keep_alive_timeout(5);
        s.set_read_timeout(30);
        s.set_write_timeout(30);
        s.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr ep) {
            QString metin = QStringLiteral("Sunucu hatası.");
            try {
                if (ep)
                    std::rethrow_exception(ep);
            } catch (const pel::Error& e) {
                metin = e.text();
            } catch (const std::exception& e) {
                metin = QStringLiteral("Sunucu hatası: %1").arg(QString::fromLocal8Bit(e.what()));
            } catch (...) {
            }
            json(res, 500, pel::wire::errorBody(metin));
        });
    }

    void uygulamaYollari()
    {
        uygulama.Get("/datasnap/rest/DSAdmin/GetPlatformName", [](const httplib::Request&, httplib::Response& res) {
            pel::wire::ListBuilder r;
            r.add(QStringLiteral("Pelmora Uygulama Sunucusu"));
            json(res, 200, r.resultBody());
        });
        uygulama.Post(R"(/datasnap/rest/TServerMethods1/(.+))",
                      [this](const httplib::Request& req, httplib::Response& res) {
                          const Cevap c = metotCagir(*magaza, metotAdi(req.matches[1]),
                                                     QByteArrayView(req.body.data(), qsizetype(req.body.size())));
                          json(res, c.durum, c.govde);
                      });
        uygulama.Get(R"(/datasnap/rest/TServerMethods1/(.+))", [](const httplib::Request&, httplib::Response& res) {
            json(res, 405, pel::wire::errorBody(u"Sunucu metotları POST ile çağrılır."));
        });
        uygulama.set_error_handler([](const httplib::Request&, httplib::Response& res) {
            if (!res.body.empty())
                return;
            const QString metin = res.status == 413 ? QStringLiteral("İstek çok büyük.")
                                  : res.status == 404 ? QStringLiteral("Adres bulunamadı.")
                                                      : QStringLiteral("Geçersiz istek (HTTP %1).").arg(res.status);
            json(res, res.status, pel::wire::errorBody(metin));
        });
    }

    void webYollari()
    {
        web.Get("/resimgoster.ashx", [this](const httplib::Request& req, httplib::Response& res) {
            bool ok = false;
            const qint32 id = QString::fromStdString(req.get_param_value("id")).trimmed().toInt(&ok);
            Metotlar m(*magaza);
            const auto r = ok ? m.stokResmi(id) : std::nullopt;
            if (!r) {
                res.status = 404;
                res.set_content("Resim bulunamadı", "text/plain; charset=utf-8");
                return;
            }
            res.set_content(r->first.constData(), size_t(r->first.size()), std8(r->second).c_str());
        });
        web.Get("/formmailgonder.aspx", [](const httplib::Request& req, httplib::Response& res) {
            QString s = QString::fromUtf8(kFormSayfasi);
            s.replace(QStringLiteral("%ID%"), html(QString::fromStdString(req.get_param_value("id")).left(200)));
            s.replace(QStringLiteral("%CARINO%"), html(QString::fromStdString(req.get_param_value("carino")).left(20)));
            s.replace(QStringLiteral("%KULLANICI%"),
                      html(QString::fromStdString(req.get_param_value("kullanici")).trimmed().left(50)));
            res.set_content(std8(s), "text/html; charset=utf-8");
        });
        web.Post("/formmailgonder.aspx", [this](const httplib::Request& req, httplib::Response& res) {
            auto alan = [&](const char* ad, int sinir) {
                return QString::fromStdString(req.get_param_value(ad)).trimmed().left(sinir);
            };
            const QString id = alan("id", 200);
            const QString firma = alan("firmaadi", 200);
            if (firma.isEmpty() || alan("yetkili", 100).isEmpty() || alan("telefon", 50).isEmpty()) {
                res.status = 400;
                res.set_content(std8(QStringLiteral("<!DOCTYPE html><html lang=\"tr\"><head><meta charset=\"utf-8\">"
                                                    "</head><body><p>Firma adı, yetkili ve telefon boş olamaz. "
                                                    "Lütfen geri dönüp formu doldurunuz.</p></body></html>")),
                                "text/html; charset=utf-8");
                return;
            }
            QStringList satirlar;
            for (const char* ad : {"firmaadi", "yetkili", "telefon", "mail", "adres", "kullanici", "aciklama", "carino"})
                satirlar << QStringLiteral("%1: %2").arg(QLatin1String(ad), alan(ad, 2000));
            Metotlar(*magaza).webIstegiKaydet(id, satirlar.join(u'\n'), QString::fromStdString(req.remote_addr));
            QString s = QString::fromUtf8(kOnaySayfasi);
            s.replace(QStringLiteral("%FIRMA%"), html(firma));
            s.replace(QStringLiteral("%ID%"), html(id));
            res.set_content(std8(s), "text/html; charset=utf-8");
        });
        web.Get("/ip", [](const httplib::Request& req, httplib::Response& res) {
            std::string a = req.remote_addr;
            if (a.rfind("::ffff:", 0) == 0)
                a = a.substr(7);
            res.set_content(a, "text/plain");
        });
        web.Get("/exe/PelmoraSetup.exe", [this](const httplib::Request&, httplib::Response& res) {
            const QByteArray b = kurulumProgrami(magaza->yayinSurumu());
            res.set_header("Content-Disposition", "attachment; filename=\"PelmoraSetup.exe\"");
            res.set_content(b.constData(), size_t(b.size()), "application/octet-stream");
        });
    }

    int bagla(Dinleyici& s, int istenen)
    {
        const std::string host = std8(ayar.dinle);
        if (istenen == 0) {
            const int p = s.bind_to_any_port(host);
            if (p > 0) {
                s.kuyruguBuyut();
                return p;
            }
        } else if (s.bind_to_port(host, istenen)) {
            s.kuyruguBuyut();
            return istenen;
        }
        throw pel::Error(QStringLiteral("%1:%2 adresinde dinlenemiyor (adres kullanımda olabilir).")
                             .arg(ayar.dinle)
                             .arg(istenen));
    }
};

PelmoraSunucu::PelmoraSunucu(SunucuAyarlari ayarlar) : d(std::make_unique<Ic>())
{
    d->ayar = std::move(ayarlar);
}

PelmoraSunucu::~PelmoraSunucu()
{
    durdur();
}

void PelmoraSunucu::baslat()
{
    if (d->calisiyor)
        return;
    if (!d->magaza) {
        d->magaza = std::make_unique<Magaza>(d->ayar.veriDosyasi);
        if (d->ayar.bosIseDoldur && d->magaza->bosMu())
            ornekVeriKur(*d->magaza, d->ayar.ornekStokAdedi);
    }
    d->kur(d->uygulama);
    d->uygulamaYollari();
    d->port = d->bagla(d->uygulama, d->ayar.port);
    if (d->ayar.webPort >= 0) {
        d->kur(d->web);
        d->webYollari();
        try {
            d->webPort = d->bagla(d->web, d->ayar.webPort);
        } catch (...) {
            d->uygulama.stop();
            throw;
        }
    }
    d->calisiyor = true;
    d->uygulamaIs = std::thread([this] { d->uygulama.listen_after_bind(); });
    if (d->webPort > 0)
        d->webIs = std::thread([this] { d->web.listen_after_bind(); });
    while (!d->uygulama.is_running() || (d->webPort > 0 && !d->web.is_running()))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void PelmoraSunucu::durdur()
{
    if (!d->calisiyor.exchange(false)) {
        return;
    }
    d->uygulama.stop();
    if (d->webPort > 0)
        d->web.stop();
    if (d->uygulamaIs.joinable())
        d->uygulamaIs.join();
    if (d->webIs.joinable())
        d->webIs.join();
    {
        std::lock_guard<std::mutex> k(d->bekleKilit);
    }
    d->bekleKosul.notify_all();
}

bool PelmoraSunucu::calisiyor() const
{
    return d->calisiyor;
}

void PelmoraSunucu::bekle()
{
    std::unique_lock<std::mutex> k(d->bekleKilit);
    d->bekleKosul.wait(k, [this] { return !d->calisiyor; });
}

int PelmoraSunucu::port() const
{
    return d->port;
}

int PelmoraSunucu::webPort() const
{
    return d->webPort;
}

QString PelmoraSunucu::adres() const
{
    return QStringLiteral("http://%1:%2/").arg(d->ayar.dinle).arg(d->port);
}

QString PelmoraSunucu::webAdres() const
{
    return QStringLiteral("http://%1:%2/").arg(d->ayar.dinle).arg(d->webPort);
}

Magaza& PelmoraSunucu::magaza()
{
    if (!d->magaza)
        d->magaza = std::make_unique<Magaza>(d->ayar.veriDosyasi);
    return *d->magaza;
}

// ------------------------------------------------------------ client

struct HttpIstemci::Ic {
    httplib::Client istemci;
    std::string tur;
    Ic(const std::string& host, int port) : istemci(host, port) {}
};

HttpIstemci::HttpIstemci(const QString& host, int port, int zamanAsimiSn)
    : d(std::make_unique<Ic>(host.toStdString(), port))
{
    d->istemci.set_keep_alive(true);
    d->istemci.set_tcp_nodelay(true);
    d->istemci.set_connection_timeout(15);
    d->istemci.set_read_timeout(zamanAsimiSn);
    d->istemci.set_write_timeout(zamanAsimiSn);
}

HttpIstemci::~HttpIstemci() = default;

namespace {
Cevap cevapAl(const httplib::Result& r, std::string& tur)
{
    Cevap c;
    if (!r) {
        c.durum = -1;
        c.govde = QByteArray::fromStdString(httplib::to_string(r.error()));
        tur.clear();
        return c;
    }
    c.durum = r->status;
    c.govde = QByteArray(r->body.data(), qsizetype(r->body.size()));
    tur = r->get_header_value("Content-Type");
    return c;
}
} // namespace

Cevap HttpIstemci::get(const QString& yol)
{
    return cevapAl(d->istemci.Get(yol.toStdString()), d->tur);
}

Cevap HttpIstemci::post(const QString& yol, const QByteArray& govde, const QByteArray& tur)
{
    return cevapAl(d->istemci.Post(yol.toStdString(), govde.constData(), size_t(govde.size()), tur.toStdString()),
                   d->tur);
}

Cevap HttpIstemci::cagir(const QString& metot, const QByteArray& govde)
{
    return post(QStringLiteral("/datasnap/rest/TServerMethods1/%22") + metot + QStringLiteral("%22"), govde);
}

QByteArray HttpIstemci::sonIcerikTuru() const
{
    return QByteArray::fromStdString(d->tur);
}

} // namespace pelsrv
