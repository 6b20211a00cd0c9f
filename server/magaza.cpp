#include "magaza.h"

#include "platform/error.h"

#include <QFileInfo>
#include <QSqlError>
#include <QThread>

#include <map>
#include <mutex>
#include <unordered_map>

namespace pelsrv {

namespace {

std::atomic<quint64> g_magazaNo{1};

// This thread's open connections, one per store, with their prepared
// statements. Closed when the thread ends or the store goes.
struct IpBaglantilari {
    struct Baglanti {
        QString ad;
        std::unordered_map<QString, std::unique_ptr<QSqlQuery>> sorgular;
    };
    std::map<quint64, Baglanti> baglantilar;

    void kapat(quint64 no)
    {
        auto it = baglantilar.find(no);
        if (it == baglantilar.end())
            return;
        const QString ad = it->second.ad;
        it->second.sorgular.clear();
        baglantilar.erase(it);
        {
            QSqlDatabase db = QSqlDatabase::database(ad, false);
            if (db.isValid())
                db.close();
        }
        QSqlDatabase::removeDatabase(ad);
    }
    ~IpBaglantilari()
    {
        while (!baglantilar.empty())
            kapat(baglantilar.begin()->first);
    }
};

thread_local IpBaglantilari t_baglantilar;

[[noreturn]] void hata(const QString& ne, const QSqlError& e)
{
    throw pel::Error(QStringLiteral("Veri deposu hatası (%1): %2").arg(ne, e.text()),
                     QStringLiteral("EDatabaseError"));
}

// Migrations, each bringing the schema one version further.
const char* const kGocler[] = {
    // 1: the whole first schema.
    R"SQL(
CREATE TABLE ayarlar (anahtar TEXT PRIMARY KEY, deger TEXT NOT NULL);
CREATE TABLE saticilar (
  saticino INTEGER PRIMARY KEY, adi TEXT NOT NULL, telefon TEXT NOT NULL DEFAULT '',
  mail TEXT NOT NULL DEFAULT '');
CREATE TABLE cariler (
  carino INTEGER PRIMARY KEY, carikod TEXT NOT NULL UNIQUE, cariadi TEXT NOT NULL,
  saticino INTEGER REFERENCES saticilar(saticino), yetkili TEXT NOT NULL DEFAULT '',
  ozelkod TEXT NOT NULL DEFAULT '', anagrup TEXT NOT NULL DEFAULT '', altgrup TEXT NOT NULL DEFAULT '',
  adres1 TEXT NOT NULL DEFAULT '', adres2 TEXT NOT NULL DEFAULT '', ilce TEXT NOT NULL DEFAULT '',
  il TEXT NOT NULL DEFAULT '', ulke TEXT NOT NULL DEFAULT 'TÜRKİYE',
  vergidairesi TEXT NOT NULL DEFAULT '', vergino TEXT NOT NULL DEFAULT '',
  tel1 TEXT NOT NULL DEFAULT '', tel2 TEXT NOT NULL DEFAULT '', fax1 TEXT NOT NULL DEFAULT '',
  fax2 TEXT NOT NULL DEFAULT '', gsm TEXT NOT NULL DEFAULT '', email TEXT NOT NULL DEFAULT '',
  vade INTEGER NOT NULL DEFAULT 30, ind1 REAL NOT NULL DEFAULT 0, ind2 REAL NOT NULL DEFAULT 0,
  ind3 REAL NOT NULL DEFAULT 0, ind4 REAL NOT NULL DEFAULT 0, katla TEXT NOT NULL DEFAULT '');
CREATE TABLE cihazlar (
  sirano INTEGER PRIMARY KEY, bilgisayarid TEXT NOT NULL UNIQUE, adi TEXT NOT NULL,
  sifre TEXT NOT NULL, mail TEXT NOT NULL DEFAULT '', aktif INTEGER NOT NULL DEFAULT 1,
  tip INTEGER NOT NULL DEFAULT 0, carino INTEGER REFERENCES cariler(carino),
  saticino INTEGER REFERENCES saticilar(saticino));
CREATE TABLE resimler (id INTEGER PRIMARY KEY, tip TEXT NOT NULL, veri BLOB NOT NULL);
CREATE TABLE stoklar (
  stokno INTEGER PRIMARY KEY, barkod TEXT NOT NULL, adi TEXT NOT NULL,
  oem1 TEXT NOT NULL DEFAULT '', oem2 TEXT NOT NULL DEFAULT '', oem3 TEXT NOT NULL DEFAULT '',
  oem4 TEXT NOT NULL DEFAULT '', oemno TEXT NOT NULL DEFAULT '', finishkod TEXT NOT NULL DEFAULT '',
  ureticikodu TEXT NOT NULL DEFAULT '', barkodno TEXT NOT NULL DEFAULT '',
  digeradi TEXT NOT NULL DEFAULT '', dpkod TEXT NOT NULL DEFAULT '', birim TEXT NOT NULL DEFAULT 'ADET',
  anagrup TEXT NOT NULL DEFAULT '', ozelkod TEXT NOT NULL DEFAULT '', marka TEXT NOT NULL DEFAULT '',
  model TEXT NOT NULL DEFAULT '', pkod TEXT NOT NULL DEFAULT '', departman TEXT NOT NULL DEFAULT '',
  kdv REAL NOT NULL DEFAULT 18, listefiyat REAL NOT NULL DEFAULT 0, kampfiyat REAL NOT NULL DEFAULT 0,
  kampanya INTEGER NOT NULL DEFAULT 0, yeni INTEGER NOT NULL DEFAULT 0, durum INTEGER NOT NULL DEFAULT 0,
  kalan REAL NOT NULL DEFAULT 0, alinansiparis REAL NOT NULL DEFAULT 0,
  verilensiparis REAL NOT NULL DEFAULT 0, resim INTEGER REFERENCES resimler(id),
  katla TEXT NOT NULL);
CREATE INDEX stoklar_barkod ON stoklar(barkod);
CREATE INDEX stoklar_yeni ON stoklar(yeni) WHERE yeni <> 0;
CREATE INDEX stoklar_kampanya ON stoklar(kampanya) WHERE kampanya <> 0;
CREATE TABLE sepet (
  sirano INTEGER PRIMARY KEY AUTOINCREMENT, carino INTEGER NOT NULL REFERENCES cariler(carino),
  stokno INTEGER NOT NULL REFERENCES stoklar(stokno), barkod TEXT NOT NULL, stokadi TEXT NOT NULL,
  miktar REAL NOT NULL, birimfiyat REAL NOT NULL, ind1 REAL NOT NULL DEFAULT 0,
  ind2 REAL NOT NULL DEFAULT 0, ind3 REAL NOT NULL DEFAULT 0, ind4 REAL NOT NULL DEFAULT 0,
  kdv REAL NOT NULL, k INTEGER NOT NULL DEFAULT 0, sec INTEGER NOT NULL DEFAULT 0,
  verenid INTEGER NOT NULL DEFAULT 0, veren TEXT NOT NULL DEFAULT '', tarih REAL NOT NULL,
  aciklama TEXT NOT NULL DEFAULT '');
CREATE INDEX sepet_cari ON sepet(carino);
CREATE TABLE teslimler (id INTEGER PRIMARY KEY, adi TEXT NOT NULL);
CREATE TABLE kargoturleri (id INTEGER PRIMARY KEY, adi TEXT NOT NULL);
CREATE TABLE kargolar (
  sirano INTEGER PRIMARY KEY, tur INTEGER NOT NULL REFERENCES kargoturleri(id),
  adi TEXT NOT NULL, uyari TEXT NOT NULL DEFAULT '');
CREATE TABLE siparisler (
  idno INTEGER PRIMARY KEY AUTOINCREMENT, carino INTEGER NOT NULL REFERENCES cariler(carino),
  tarih REAL NOT NULL, teslimid INTEGER NOT NULL, kargoid INTEGER NOT NULL,
  kargofirma INTEGER NOT NULL, verenid INTEGER NOT NULL DEFAULT 0, veren TEXT NOT NULL DEFAULT '',
  mesaj TEXT NOT NULL DEFAULT '', alannotu TEXT NOT NULL DEFAULT '',
  saticinotu TEXT NOT NULL DEFAULT '', durum INTEGER NOT NULL DEFAULT 2);
CREATE INDEX siparisler_cari ON siparisler(carino);
CREATE TABLE siparissatirlari (
  stokharno INTEGER PRIMARY KEY AUTOINCREMENT, idno INTEGER NOT NULL REFERENCES siparisler(idno),
  sepetsirano INTEGER NOT NULL DEFAULT 0, stokno INTEGER NOT NULL REFERENCES stoklar(stokno),
  barkod TEXT NOT NULL, stokadi TEXT NOT NULL, miktar REAL NOT NULL,
  teslimedilen REAL NOT NULL DEFAULT 0, kalan REAL NOT NULL, birimfiyat REAL NOT NULL,
  ilkfiyat REAL NOT NULL, ind1 REAL NOT NULL DEFAULT 0, ind2 REAL NOT NULL DEFAULT 0,
  ind3 REAL NOT NULL DEFAULT 0, ind4 REAL NOT NULL DEFAULT 0, kdv REAL NOT NULL,
  k INTEGER NOT NULL DEFAULT 0, tarih REAL NOT NULL, verenid INTEGER NOT NULL DEFAULT 0,
  veren TEXT NOT NULL DEFAULT '');
CREATE INDEX siparissatirlari_siparis ON siparissatirlari(idno);
CREATE INDEX siparissatirlari_stok ON siparissatirlari(stokno);
CREATE TABLE ekstre (
  idno INTEGER PRIMARY KEY, carino INTEGER NOT NULL REFERENCES cariler(carino),
  tarih REAL NOT NULL, turadi TEXT NOT NULL, evrak TEXT NOT NULL, borc REAL NOT NULL DEFAULT 0,
  alacak REAL NOT NULL DEFAULT 0, kur TEXT NOT NULL DEFAULT 'TL', aciklama TEXT NOT NULL DEFAULT '',
  vade INTEGER NOT NULL DEFAULT 0, saticino INTEGER);
CREATE INDEX ekstre_cari ON ekstre(carino, tarih);
CREATE TABLE faturasatirlari (
  id INTEGER PRIMARY KEY, idno INTEGER NOT NULL REFERENCES ekstre(idno),
  stokno INTEGER NOT NULL REFERENCES stoklar(stokno), miktar REAL NOT NULL,
  birimfiyat REAL NOT NULL, ind1 REAL NOT NULL DEFAULT 0, ind2 REAL NOT NULL DEFAULT 0,
  kdv REAL NOT NULL, masraf REAL NOT NULL DEFAULT 0, siparisidno INTEGER);
CREATE INDEX faturasatirlari_fatura ON faturasatirlari(idno);
CREATE INDEX faturasatirlari_stok ON faturasatirlari(stokno);
CREATE TABLE tahsilatlar (
  id INTEGER PRIMARY KEY, idno INTEGER NOT NULL REFERENCES ekstre(idno), cins TEXT NOT NULL,
  vade REAL NOT NULL, tutar REAL NOT NULL, aciklama TEXT NOT NULL DEFAULT '',
  ref TEXT NOT NULL DEFAULT '', saat TEXT NOT NULL DEFAULT '');
CREATE INDEX tahsilatlar_evrak ON tahsilatlar(idno);
CREATE TABLE sanalpos (
  sirano INTEGER PRIMARY KEY, idno INTEGER NOT NULL UNIQUE REFERENCES ekstre(idno),
  pdf BLOB NOT NULL);
CREATE TABLE ekranlar (
  sirano INTEGER PRIMARY KEY, tur INTEGER NOT NULL, sira INTEGER NOT NULL, baslik TEXT NOT NULL,
  arama TEXT NOT NULL DEFAULT '', resim BLOB);
CREATE TABLE bannerlar (no INTEGER PRIMARY KEY, tip TEXT NOT NULL, veri BLOB NOT NULL);
CREATE TABLE istekler (
  id INTEGER PRIMARY KEY AUTOINCREMENT, zaman REAL NOT NULL, tur TEXT NOT NULL,
  bilgisayarid TEXT NOT NULL DEFAULT '', baslik TEXT NOT NULL DEFAULT '',
  icerik TEXT NOT NULL, adres TEXT NOT NULL DEFAULT '');
)SQL",
    // 2: the folded search text in a narrow table, so a search scans little.
    R"SQL(
CREATE TABLE stokara (stokno INTEGER PRIMARY KEY REFERENCES stoklar(stokno), katla TEXT NOT NULL);
INSERT INTO stokara(stokno, katla) SELECT stokno, katla FROM stoklar;
)SQL",
};

} // namespace

Magaza::Magaza(QString dosya) : m_dosya(std::move(dosya)), m_no(g_magazaNo++)
{
    if (m_dosya.trimmed().isEmpty())
        throw pel::Error(QStringLiteral("Veri dosyası belirtilmedi."));
    semaHazirla();
}

Magaza::~Magaza()
{
    baglantiKapat();
}

QSqlDatabase Magaza::db()
{
    auto it = t_baglantilar.baglantilar.find(m_no);
    if (it != t_baglantilar.baglantilar.end())
        return QSqlDatabase::database(it->second.ad, false);

    static std::atomic<quint64> sayac{0};
    const QString ad = QStringLiteral("pelsrv-%1-%2").arg(m_no).arg(++sayac);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ad);
    db.setDatabaseName(m_dosya);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
    if (!db.open()) {
        const QSqlError e = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(ad);
        throw pel::Error(QStringLiteral("Veri dosyası açılamadı: %1 (%2)").arg(m_dosya, e.text()),
                         QStringLiteral("EDatabaseError"));
    }
    t_baglantilar.baglantilar[m_no].ad = ad;
    calistir(db, QStringLiteral("PRAGMA journal_mode=WAL"));
    calistir(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
    calistir(db, QStringLiteral("PRAGMA foreign_keys=ON"));
    // The item table is scanned by every search: keep it in memory.
    calistir(db, QStringLiteral("PRAGMA cache_size=-65536"));
    calistir(db, QStringLiteral("PRAGMA mmap_size=268435456"));
    return db;
}

void Magaza::baglantiKapat()
{
    t_baglantilar.kapat(m_no);
}

int Magaza::semaSurumu()
{
    return int(std::size(kGocler));
}

int Magaza::kayitliSemaSurumu()
{
    QSqlQuery q(db());
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        hata(QStringLiteral("user_version"), q.lastError());
    return q.value(0).toInt();
}

void Magaza::semaHazirla()
{
    const int mevcut = kayitliSemaSurumu();
    if (mevcut > semaSurumu())
        throw pel::Error(QStringLiteral("Veri dosyası bu sunucudan yeni bir sürüme ait (şema %1).")
                             .arg(mevcut),
                         QStringLiteral("EDatabaseError"));
    for (int v = mevcut; v < semaSurumu(); ++v) {
        islem([&] {
            QSqlDatabase d = db();
            const QStringList komutlar =
                QString::fromUtf8(kGocler[v]).split(u';', Qt::SkipEmptyParts);
            for (const QString& k : komutlar)
                if (!k.trimmed().isEmpty())
                    calistir(d, k);
            calistir(d, QStringLiteral("PRAGMA user_version=%1").arg(v + 1));
        });
    }
}

bool Magaza::bosMu()
{
    Sorgu s(*this, QStringLiteral("SELECT COUNT(*) FROM stoklar"));
    s.calistir();
    return !s.sonraki() || s.tamsayi(0) == 0;
}

void Magaza::islem(const std::function<void()>& is)
{
    QSqlDatabase d = db();
    calistir(d, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        is();
        calistir(d, QStringLiteral("COMMIT"));
    } catch (...) {
        QSqlQuery q(d);
        q.exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

QString Magaza::ayar(const QString& anahtar, const QString& varsayilan)
{
    Sorgu s(*this, QStringLiteral("SELECT deger FROM ayarlar WHERE anahtar = ?"));
    s.bagla(anahtar).calistir();
    return s.sonraki() ? s.metin(0) : varsayilan;
}

void Magaza::ayarYaz(const QString& anahtar, const QString& deger)
{
    Sorgu s(*this, QStringLiteral("INSERT INTO ayarlar(anahtar, deger) VALUES(?, ?) "
                                  "ON CONFLICT(anahtar) DO UPDATE SET deger = excluded.deger"));
    s.bagla(anahtar).bagla(deger).calistir();
}

int Magaza::yayinSurumu()
{
    bool ok = false;
    const int v = ayar(QStringLiteral("surum"), QStringLiteral("1")).toInt(&ok);
    return ok ? v : 1;
}

void Magaza::yayinSurumuYaz(int surum)
{
    ayarYaz(QStringLiteral("surum"), QString::number(surum));
}

void Magaza::cihazKaydet(const CihazKaydi& k)
{
    const QString id = k.bilgisayarId.trimmed();
    if (id.isEmpty())
        throw pel::Error(QStringLiteral("Bilgisayar ID boş olamaz."));
    if (k.kullanici.trimmed().isEmpty())
        throw pel::Error(QStringLiteral("Kullanıcı adı boş olamaz."));
    if (k.tip < 0 || k.tip > 4)
        throw pel::Error(QStringLiteral("Kullanıcı tipi 0 ile 4 arasında olmalı."));
    islem([&] {
        QVariant carino;
        QVariant saticino;
        if (!k.cariKod.trimmed().isEmpty()) {
            Sorgu c(*this, QStringLiteral("SELECT carino, saticino FROM cariler WHERE carikod = ?"));
            c.bagla(k.cariKod.trimmed()).calistir();
            if (!c.sonraki())
                throw pel::Error(QStringLiteral("Cari kodu bulunamadı: %1").arg(k.cariKod));
            carino = c.deger(0);
            saticino = c.deger(1);
        } else if (k.tip != 1 && k.tip != 2) {
            throw pel::Error(QStringLiteral("Müşteri kullanıcısı için cari kodu gerekli."));
        }
        if ((k.tip == 1 || k.tip == 2) && k.saticiNo > 0) {
            Sorgu s(*this, QStringLiteral("SELECT saticino FROM saticilar WHERE saticino = ?"));
            s.bagla(k.saticiNo).calistir();
            if (!s.sonraki())
                throw pel::Error(QStringLiteral("Satıcı bulunamadı: %1").arg(k.saticiNo));
            saticino = k.saticiNo;
        } else if (k.tip == 1 || k.tip == 2) {
            // A representative without a record becomes one under his own name.
            Sorgu s(*this, QStringLiteral("SELECT saticino FROM saticilar WHERE adi = ?"));
            s.bagla(k.kullanici).calistir();
            if (s.sonraki()) {
                saticino = s.deger(0);
            } else {
                Sorgu e(*this, QStringLiteral("INSERT INTO saticilar(adi, mail) VALUES(?, ?)"));
                e.bagla(k.kullanici).bagla(k.mail).calistir();
                saticino = e.sonId();
            }
        }
        Sorgu s(*this, QStringLiteral(
                           "INSERT INTO cihazlar(bilgisayarid, adi, sifre, mail, aktif, tip, carino, "
                           "saticino) VALUES(?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT(bilgisayarid) DO "
                           "UPDATE SET adi = excluded.adi, sifre = excluded.sifre, mail = "
                           "excluded.mail, aktif = excluded.aktif, tip = excluded.tip, carino = "
                           "excluded.carino, saticino = excluded.saticino"));
        s.bagla(id).bagla(k.kullanici).bagla(k.sifre).bagla(k.mail).bagla(k.aktif ? 1 : 0);
        s.bagla(k.tip).bagla(carino).bagla(saticino).calistir();
    });
}

namespace {

QSqlQuery& hazirSorgu(Magaza& m, const QString& sql)
{
    QSqlDatabase d = m.db();
    auto& b = t_baglantilar.baglantilar[m.no()];
    auto it = b.sorgular.find(sql);
    if (it != b.sorgular.end())
        return *it->second;
    auto q = std::make_unique<QSqlQuery>(d);
    if (!q->prepare(sql))
        hata(sql.left(60), q->lastError());
    return *b.sorgular.emplace(sql, std::move(q)).first->second;
}

} // namespace

Sorgu::Sorgu(Magaza& m, const QString& sql) : m_q(hazirSorgu(m, sql)) {}

Sorgu::~Sorgu()
{
    m_q.finish();
}

Sorgu& Sorgu::bagla(const QVariant& v)
{
    // A null text is stored as an empty one; only an invalid QVariant is NULL.
    if (v.typeId() == QMetaType::QString && v.toString().isNull())
        m_q.bindValue(m_sira++, QStringLiteral(""));
    else
        m_q.bindValue(m_sira++, v);
    return *this;
}

Sorgu& Sorgu::calistir()
{
    m_sira = 0;
    if (!m_q.exec())
        hata(m_q.lastQuery().left(60), m_q.lastError());
    return *this;
}

void calistir(QSqlDatabase db, const QString& sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        hata(sql.trimmed().left(60), q.lastError());
}

} // namespace pelsrv
