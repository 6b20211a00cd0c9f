#pragma once
// The embedded SQLite store of the server: one connection per thread, the
// schema with its migrations, and the few settings kept in the store.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <atomic>
#include <functional>

namespace pelsrv {

// A workstation as the command line and the demo data register it.
struct CihazKaydi {
    QString bilgisayarId;
    QString kullanici;
    QString sifre;
    int tip = 0;           // MusteriTipi
    QString cariKod;       // empty: no customer account (representatives)
    bool aktif = true;
    QString mail;
    int saticiNo = 0;      // representatives: their sales representative record
};

class Magaza {
public:
    // Opens (creating when missing) the store file and brings its schema to
    // the current version. Throws pel::Error when the file cannot be used.
    explicit Magaza(QString dosya);
    ~Magaza();
    Magaza(const Magaza&) = delete;
    Magaza& operator=(const Magaza&) = delete;

    const QString& dosya() const { return m_dosya; }
    quint64 no() const { return m_no; }

    // This thread's connection to the store (opened on first use).
    QSqlDatabase db();
    // Closes this thread's connection (other threads close theirs on exit).
    void baglantiKapat();

    // Schema version that this program writes.
    static int semaSurumu();
    int kayitliSemaSurumu();

    bool bosMu();

    // Runs `is` inside one write transaction (BEGIN IMMEDIATE); commits when
    // it returns normally, rolls back when it throws. Busy stores are waited
    // for by the connection's busy timeout.
    void islem(const std::function<void()>& is);

    // Settings.
    QString ayar(const QString& anahtar, const QString& varsayilan = {});
    void ayarYaz(const QString& anahtar, const QString& deger);
    int yayinSurumu(); // the client version published to workstations
    void yayinSurumuYaz(int surum);

    // Registers (or replaces) a workstation. Throws pel::Error with a Turkish
    // text when the customer code is unknown or the fields are unusable.
    void cihazKaydet(const CihazKaydi& k);

private:
    void semaHazirla();

    QString m_dosya;
    quint64 m_no;
};

// A prepared statement of this thread's connection, kept prepared for reuse.
// Values are bound by position in the order of bagla() calls. Throws
// pel::Error on failure. The statement is reset when the object goes.
class Sorgu {
public:
    Sorgu(Magaza& m, const QString& sql);
    ~Sorgu();
    Sorgu(const Sorgu&) = delete;
    Sorgu& operator=(const Sorgu&) = delete;
    Sorgu& bagla(const QVariant& v);
    Sorgu& calistir();
    bool sonraki() { return m_q.next(); }
    QVariant deger(int i) const { return m_q.value(i); }
    qint64 tamsayi(int i) const { return m_q.value(i).toLongLong(); }
    double sayi(int i) const { return m_q.value(i).toDouble(); }
    QString metin(int i) const { return m_q.value(i).toString(); }
    qint64 sonId() const { return m_q.lastInsertId().toLongLong(); }
    int etkilenen() const { return m_q.numRowsAffected(); }

private:
    QSqlQuery& m_q;
    int m_sira = 0;
};

// Runs statements without parameters (';'-separated is not allowed: one each).
void calistir(QSqlDatabase db, const QString& sql);

} // namespace pelsrv
