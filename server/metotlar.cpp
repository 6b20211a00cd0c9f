#include "metotlar.h"

#include "medya.h"
#include "turkce.h"

#include "platform/datetime.h"
#include "platform/error.h"

#include <QDateTime>

#include <cmath>
#include <map>

namespace pelsrv {

using pel::FieldType;

namespace {

constexpr auto T = FieldType::WideString;
constexpr auto I = FieldType::Int32;
constexpr auto D = FieldType::Double;
constexpr auto DT = FieldType::DateTime;
constexpr auto DA = FieldType::Date;

struct Kolon {
    const char* ad;
    FieldType tip;
    int boy = 0;
};

pel::TableData yeniTablo(std::initializer_list<Kolon> kolonlar)
{
    QList<pel::FieldDef> l;
    for (const Kolon& k : kolonlar) {
        pel::FieldDef f;
        f.name = QString::fromUtf8(k.ad);
        f.type = k.tip;
        f.size = k.boy ? k.boy : (k.tip == T ? 100 : 0);
        l << f;
    }
    return pel::TableData(l);
}

// Appends one row and fills it column after column.
class Satir {
public:
    explicit Satir(pel::TableData& t) : m_t(t), m_r(t.appendRows(1)) {}
    Satir& operator<<(int v) { return tam(v); }
    Satir& operator<<(qint64 v) { return tam(v); }
    Satir& operator<<(double v)
    {
        if (std::isfinite(v))
            m_t.setReal(m_r, m_c, v);
        else
            m_t.setNull(m_r, m_c);
        ++m_c;
        return *this;
    }
    Satir& operator<<(const QString& v)
    {
        m_t.setText(m_r, m_c++, v);
        return *this;
    }
    Satir& operator<<(const char16_t* v) { return *this << QString::fromUtf16(v); }

private:
    Satir& tam(qint64 v)
    {
        m_t.setInt(m_r, m_c++, v);
        return *this;
    }
    pel::TableData& m_t;
    int m_r;
    int m_c = 0;
};

double bugunSayi()
{
    return pel::toDayCount(QDateTime::currentDateTime());
}

bool sayiGecerli(double v, double alt, double ust)
{
    return std::isfinite(v) && v >= alt && v <= ust;
}

double oranSinirla(double r)
{
    if (!std::isfinite(r) || r < 0)
        return 0;
    return std::min(r, 100.0);
}

QString siparisDurumu(int d)
{
    switch (d) {
    case 2: return QStringLiteral("Alındı");
    case 3: return QStringLiteral("Onaylandı");
    case 4: return QStringLiteral("Görüldü");
    case 5: return QStringLiteral("Eksik Hazırlandı");
    case 6: return QStringLiteral("Hazırlandı");
    case 7: return QStringLiteral("Sevk Edildi");
    default: return QStringLiteral("Beklemede");
    }
}

QString hex(const QByteArray& b)
{
    return QString::fromLatin1(b.toHex().toUpper());
}

QString kirp(const QString& s, int n)
{
    return s.size() > n ? s.left(n) : s;
}

// Line amounts of a basket or order line.
struct Tutarlar {
    double tutar, indirim, net, netBirim, vergi;
};

Tutarlar hesapla(double miktar, double birim, const double r[4], double kdv)
{
    Tutarlar t;
    t.tutar = yuvarla2(miktar * birim);
    t.net = yuvarla2(iskontoUygula(t.tutar, r[0], r[1], r[2], r[3]));
    t.indirim = yuvarla2(t.tutar - t.net);
    t.netBirim = miktar != 0 ? yuvarla2(t.net / miktar) : 0.0;
    t.vergi = yuvarla2(t.net * kdv / 100.0);
    return t;
}

} // namespace

// ------------------------------------------------------------ identity

Arayan Metotlar::arayan(const TSonucBilgisi& b)
{
    Arayan a;
    if (b.BILGISAYARID().trimmed().isEmpty())
        return a;
    Sorgu s(m_m, QStringLiteral("SELECT sirano, aktif, tip, carino, saticino, adi FROM cihazlar "
                                "WHERE bilgisayarid = ?"));
    s.bagla(b.BILGISAYARID().trimmed()).calistir();
    if (!s.sonraki())
        return a;
    a.kayitli = true;
    a.sirano = qint32(s.tamsayi(0));
    a.aktif = s.tamsayi(1) != 0;
    a.tip = qint32(s.tamsayi(2));
    a.carino = qint32(s.tamsayi(3));
    a.saticino = qint32(s.tamsayi(4));
    a.adi = s.metin(5);
    return a;
}

bool Metotlar::cariYetkili(const Arayan& a, qint32 carino)
{
    if (!a.kayitli || !a.aktif || carino <= 0)
        return false;
    if (a.tip == 1 || a.tip == 2) {
        Sorgu s(m_m, QStringLiteral("SELECT saticino FROM cariler WHERE carino = ?"));
        s.bagla(carino).calistir();
        if (!s.sonraki())
            return false;
        return a.tip == 2 || s.tamsayi(0) == a.saticino;
    }
    return a.carino == carino;
}

QString Metotlar::kapsamKosulu(const Arayan& a, const QString& sutun)
{
    if (!a.kayitli || !a.aktif)
        return QStringLiteral("0");
    if (a.tip == 2)
        return QStringLiteral("1");
    if (a.tip == 1)
        return QStringLiteral("%1 IN (SELECT carino FROM cariler WHERE saticino = %2)")
            .arg(sutun)
            .arg(a.saticino);
    return QStringLiteral("%1 = %2").arg(sutun).arg(a.carino);
}

TSonucBilgisi Metotlar::BuyukGetir(const QString& idsi)
{
    TSonucBilgisi b;
    b.SetBILGISAYARID(idsi);
    b.SetVersion(m_m.yayinSurumu());
    if (idsi.trimmed().isEmpty())
        return b;
    Sorgu s(m_m, QStringLiteral(
                     "SELECT d.sirano, d.adi, d.sifre, d.mail, d.aktif, d.tip, d.carino, "
                     "COALESCE(c.cariadi, ''), COALESCE(c.carikod, ''), COALESCE(t.saticino, 0), "
                     "COALESCE(t.adi, ''), COALESCE(t.telefon, ''), COALESCE(t.mail, '') "
                     "FROM cihazlar d LEFT JOIN cariler c ON c.carino = d.carino "
                     "LEFT JOIN saticilar t ON t.saticino = COALESCE(c.saticino, d.saticino) "
                     "WHERE d.bilgisayarid = ?"));
    s.bagla(idsi.trimmed()).calistir();
    if (!s.sonraki())
        return b;
    b.SetVarmi(true);
    b.SetSirano(qint32(s.tamsayi(0)));
    b.SetADI(s.metin(1));
    b.SetSIFRE(s.metin(2));
    b.SetKullanicimail(s.metin(3));
    b.SetAKTIF(qint32(s.tamsayi(4)));
    b.SetMusteriTipi(qint32(s.tamsayi(5)));
    b.SetCARINO(qint32(s.tamsayi(6)));
    b.SetCariAdi(s.metin(7));
    b.Setcarikod(s.metin(8));
    b.SetSaticiNo(qint32(s.tamsayi(9)));
    b.SetSaticiAdi(s.metin(10));
    b.SetSaticiTelefon(s.metin(11));
    b.SetSaticiMail(s.metin(12));
    return b;
}

// ------------------------------------------------------------ stock lists

pel::TableData Metotlar::stokListesi(const QString& kosul, const QVariantList& degerler,
                                     qint32 carino, bool kampanyaAcik, bool kampanyaFiyatli,
                                     int sinir)
{
    pel::TableData t = yeniTablo({
        {"STOK_STOKNO", I}, {"DURUM", I}, {"BARKOD", T, 50}, {"ADI", T, 100}, {"OEM1", T, 50},
        {"OEM2", T, 50}, {"OEM3", T, 50}, {"OEM4", T, 50}, {"OEMNO", T, 50}, {"FINISHKOD", T, 50},
        {"URETICIKODU", T, 50}, {"BARKOD_BARKODNO", T, 50}, {"DIGERADI", T, 100}, {"BIRIM", T, 20},
        {"ANAGRUP", T, 50}, {"OZELKOD", T, 50}, {"MARKA", T, 50}, {"MODEL", T, 100},
        {"DPKOD", T, 20}, {"PKOD", T, 20}, {"RESIM", I}, {"KALAN", D}, {"ALINANSIPARIS", D},
        {"VERILENSIPARIS", D}, {"KDV", D}, {"LISTEFIYAT1", D}, {"KAMPFIYAT", D}, {"FIYAT", D},
        {"ESKIFIYAT", D}, {"NETFIYAT", D}, {"KDVDAHIL", D}, {"IND1", D}, {"IND2", D}, {"IND3", D},
        {"IND4", D}, {"INDIRIMYAZI", T, 50}, {"INDIRIM", D}, {"Y", I}, {"K", I},
    });
    double r[4] = {0, 0, 0, 0};
    if (carino > 0) {
        Sorgu c(m_m, QStringLiteral("SELECT ind1, ind2, ind3, ind4 FROM cariler WHERE carino = ?"));
        c.bagla(carino).calistir();
        if (c.sonraki())
            for (int i = 0; i < 4; ++i)
                r[i] = c.sayi(i);
    }
    Sorgu s(m_m, QStringLiteral(
                     "SELECT stokno, durum, barkod, adi, oem1, oem2, oem3, oem4, oemno, finishkod, "
                     "ureticikodu, barkodno, digeradi, birim, anagrup, ozelkod, marka, model, dpkod, "
                     "pkod, resim IS NOT NULL, kalan, alinansiparis, verilensiparis, kdv, listefiyat, "
                     "kampfiyat, kampanya, yeni FROM stoklar WHERE %1 ORDER BY stokno LIMIT %2")
                     .arg(kosul)
                     .arg(sinir));
    for (const QVariant& v : degerler)
        s.bagla(v);
    s.calistir();
    while (s.sonraki()) {
        Satir satir(t);
        for (int i = 0; i < 20; ++i) {
            if (i <= 1)
                satir << s.tamsayi(i);
            else
                satir << s.metin(i);
        }
        const double liste = s.sayi(25);
        const bool kamp = kampanyaAcik && s.tamsayi(27) != 0;
        const double kampFiyat = kamp ? s.sayi(26) : 0.0;
        const double kdv = s.sayi(24);
        const double fiyat = kamp ? kampFiyat : liste;
        const double oran[4] = {r[0], kamp ? 0 : r[1], kamp ? 0 : r[2], kamp ? 0 : r[3]};
        const double net = yuvarla2(iskontoUygula(fiyat, oran[0], oran[1], oran[2], oran[3]));
        satir << s.tamsayi(20) << s.sayi(21) << s.sayi(22) << s.sayi(23) << kdv << liste
              << kampFiyat << (kampanyaFiyatli ? kampFiyat : fiyat) << liste << net
              << yuvarla2(net * (1 + kdv / 100.0)) << oran[0] << oran[1] << oran[2] << oran[3]
              << indirimYazisi(oran[0], oran[1], oran[2], oran[3])
              << (fiyat > 0 ? yuvarla2(100.0 * (1 - net / fiyat)) : 0.0) << s.tamsayi(28)
              << (kamp ? 1 : 0);
    }
    return t;
}

pel::TableData Metotlar::StokAraGetir(const QString& kod, const TSonucBilgisi& bilgi)
{
    const QStringList kelimeler = katla(kod).split(u' ', Qt::SkipEmptyParts).mid(0, 6);
    const Arayan a = arayan(bilgi);
    const qint32 tip = a.kayitli ? a.tip : bilgi.MusteriTipi();
    const qint32 carino = a.kayitli && tip != 1 && tip != 2 ? a.carino : bilgi.CARINO();
    QStringList kosullar;
    QVariantList degerler;
    for (const QString& k : kelimeler) {
        kosullar << QStringLiteral("instr(katla, ?) > 0");
        degerler << k;
    }
    if (kosullar.isEmpty())
        return stokListesi(QStringLiteral("0"), {}, carino, tip != 4, false, kAramaSiniri);
    return stokListesi(QStringLiteral("stokno IN (SELECT stokno FROM stokara WHERE %1)")
                           .arg(kosullar.join(QStringLiteral(" AND "))),
                       degerler, carino, tip != 4, false, kAramaSiniri);
}

pel::TableData Metotlar::YenilerVer2(qint32 carino)
{
    return stokListesi(QStringLiteral("yeni <> 0"), {}, carino, true, false, 5000);
}

pel::TableData Metotlar::KampanyaliVer2(qint32 cario, qint32 satici)
{
    const QString kosul = satici == 4 ? QStringLiteral("0") : QStringLiteral("kampanya <> 0");
    return stokListesi(kosul, {}, cario, true, true, 5000);
}

QByteArray Metotlar::ResimVer5(qint32 stokno)
{
    const auto r = stokResmi(stokno);
    return r ? r->first : QByteArray();
}

std::optional<std::pair<QByteArray, QString>> Metotlar::stokResmi(qint32 stokno)
{
    Sorgu s(m_m, QStringLiteral("SELECT r.veri, r.tip FROM stoklar s JOIN resimler r ON r.id = s.resim "
                                "WHERE s.stokno = ?"));
    s.bagla(stokno).calistir();
    if (!s.sonraki())
        return std::nullopt;
    return std::make_pair(s.deger(0).toByteArray(), s.metin(1));
}

pel::TableData Metotlar::StokHareketVer(qint32 carino, qint32 stokno)
{
    pel::TableData t = yeniTablo({
        {"BARKOD", T, 50}, {"TARIH", DT}, {"TURU", T, 50}, {"EVRAKSERI", T, 10}, {"EVRAKSIRA", I},
        {"MIKTAR", D}, {"TLBIRIMFIYAT", D}, {"TLVERGI", D}, {"TLTUTAR", D}, {"INDIRIM1", D},
        {"INDIRIM2", D}, {"INDIRIM3", D}, {"INDIRIM4", D}, {"INDIRIM5", D}, {"INDIRIM6", D},
        {"INDIRIM7", D}, {"INDIRIM8", D}, {"TOPLAMINDIRIM", D}, {"MASRAF1", D}, {"MASRAF2", D},
        {"TOPLAMMASRAF", D}, {"NETBIRIMFIYAT", D}, {"NETTLTUTAR", D}, {"VADE", I},
        {"STOKCARIKOD", T, 25}, {"KDVDAHILBIRIMFIYAT", D}, {"KDVDAHILTUTAR", D}, {"SATICI", T, 50},
    });
    Sorgu s(m_m, QStringLiteral(
                     "SELECT st.barkod, e.tarih, e.turadi, e.idno, f.miktar, f.birimfiyat, f.ind1, "
                     "f.ind2, f.kdv, f.masraf, e.vade, c.carikod, COALESCE(t.adi, ''), e.alacak > 0 "
                     "FROM faturasatirlari f JOIN ekstre e ON e.idno = f.idno "
                     "JOIN stoklar st ON st.stokno = f.stokno JOIN cariler c ON c.carino = e.carino "
                     "LEFT JOIN saticilar t ON t.saticino = e.saticino "
                     "WHERE e.carino = ? AND f.stokno = ? ORDER BY e.tarih, f.id"));
    s.bagla(carino).bagla(stokno).calistir();
    while (s.sonraki()) {
        const double miktar = s.sayi(4), birim = s.sayi(5), kdv = s.sayi(8), masraf = s.sayi(9);
        const double r[4] = {s.sayi(6), s.sayi(7), 0, 0};
        const Tutarlar u = hesapla(miktar, birim, r, kdv);
        const double isaret = s.tamsayi(13) ? -1.0 : 1.0;
        Satir(t) << s.metin(0) << s.sayi(1) << s.metin(2) << QStringLiteral("PLM") << s.tamsayi(3)
                 << isaret * miktar << birim << u.vergi << u.tutar << r[0] << r[1] << 0.0 << 0.0
                 << 0.0 << 0.0 << 0.0 << 0.0 << u.indirim << masraf << 0.0 << masraf << u.netBirim
                 << u.net << s.tamsayi(10) << s.metin(11) << yuvarla2(u.netBirim * (1 + kdv / 100))
                 << yuvarla2(u.net + u.vergi) << s.metin(12);
    }
    return t;
}

// ------------------------------------------------------------ basket

pel::TableData Metotlar::SepetVer2(qint32 carino)
{
    pel::TableData t = yeniTablo({
        {"SIRANO", I}, {"SEC", I}, {"STOKNO", I}, {"BARKOD", T, 50}, {"STOKADI", T, 100},
        {"MARKA", T, 50}, {"FINISHKOD", T, 50}, {"MODEL", T, 100}, {"OEMNO", T, 50}, {"MIKTAR", D},
        {"BIRIMFIYAT", D}, {"INDIRIMORANI1", D}, {"INDIRIMORANI2", D}, {"INDIRIMORANI3", D},
        {"INDIRIMORANI4", D}, {"INDIRIMYAZI", T, 50}, {"INDIRIMTUTAR", D}, {"NETBIRIMFIYAT", D},
        {"KDV", D}, {"TUTAR", D}, {"VERGITUTARI", D}, {"NETTUTAR", D}, {"VERILISTARIHI", DT},
        {"VEREN", T, 50}, {"DURUM", I}, {"KALAN", D}, {"SIPARISNO", I}, {"CARINO", I},
        {"TARIH", DT}, {"AKTAR", I}, {"KUR", T, 5}, {"KURTL", D}, {"VERENIDNO", I}, {"SAAT", T, 8},
        {"TESLIMID", I}, {"KARGOID", I}, {"ACIKLAMA", T, 250}, {"IDNO", I}, {"VERENSIRANO", I},
        {"CARIKOD", T, 25}, {"CARIADI", T, 100}, {"OEM1", T, 50}, {"OEM2", T, 50}, {"OEM3", T, 50},
        {"OEM4", T, 50}, {"STOK_STOKNO", I}, {"URETICIKODU", T, 50}, {"DIGERADI", T, 100},
        {"DPKOD", T, 20}, {"ANAGRUP", T, 50}, {"OZELKOD", T, 50}, {"PKOD", T, 20},
    });
    Sorgu s(m_m, QStringLiteral(
                     "SELECT b.sirano, b.sec, b.stokno, b.barkod, b.stokadi, st.marka, st.finishkod, "
                     "st.model, st.oemno, b.miktar, b.birimfiyat, b.ind1, b.ind2, b.ind3, b.ind4, "
                     "b.kdv, b.tarih, b.veren, st.durum, st.kalan, b.carino, b.verenid, b.aciklama, "
                     "c.carikod, c.cariadi, st.oem1, st.oem2, st.oem3, st.oem4, st.ureticikodu, "
                     "st.digeradi, st.dpkod, st.anagrup, st.ozelkod, st.pkod "
                     "FROM sepet b JOIN stoklar st ON st.stokno = b.stokno "
                     "JOIN cariler c ON c.carino = b.carino WHERE b.carino = ? ORDER BY b.sirano"));
    s.bagla(carino).calistir();
    while (s.sonraki()) {
        const double r[4] = {s.sayi(11), s.sayi(12), s.sayi(13), s.sayi(14)};
        const double miktar = s.sayi(9), kdv = s.sayi(15);
        const Tutarlar u = hesapla(miktar, s.sayi(10), r, kdv);
        const double tarih = s.sayi(16);
        Satir satir(t);
        satir << s.tamsayi(0) << s.tamsayi(1) << s.tamsayi(2);
        for (int i = 3; i <= 8; ++i)
            satir << s.metin(i);
        satir << miktar << s.sayi(10) << r[0] << r[1] << r[2] << r[3]
              << indirimYazisi(r[0], r[1], r[2], r[3]) << u.indirim << u.netBirim << kdv << u.tutar
              << u.vergi << u.net << tarih << s.metin(17) << s.tamsayi(18) << s.sayi(19) << 0
              << s.tamsayi(20) << tarih << 0 << QStringLiteral("TL") << 1.0 << s.tamsayi(21)
              << pel::fromDayCount(tarih).time().toString(QStringLiteral("HH:mm")) << 0 << 0
              << s.metin(22) << 0 << s.tamsayi(21) << s.metin(23) << s.metin(24) << s.metin(25)
              << s.metin(26) << s.metin(27) << s.metin(28) << s.tamsayi(2);
        for (int i = 29; i <= 34; ++i)
            satir << s.metin(i);
    }
    return t;
}

qint32 Metotlar::SepetEkle2(const TSonucBilgisi& bilgim, qint32 carino, qint32 stokno,
                            const QString& barkod, const QString& stokadi, double miktar,
                            double kdv, double fiyat, double ind1, qint32 verenid, qint32 k,
                            double ind2, double ind3, double ind4)
{
    if (!sayiGecerli(miktar, 0.001, 1000000) || !sayiGecerli(fiyat, 0, 1e9))
        return 0;
    qint32 sonuc = 0;
    m_m.islem([&] {
        const Arayan a = arayan(bilgim);
        if (!cariYetkili(a, carino))
            return;
        Sorgu st(m_m, QStringLiteral("SELECT barkod, adi, kdv, listefiyat, kampfiyat, kampanya "
                                     "FROM stoklar WHERE stokno = ?"));
        st.bagla(stokno).calistir();
        if (!st.sonraki())
            return;
        const bool temsilci = a.tip == 1 || a.tip == 2;
        const bool kamp = st.tamsayi(5) != 0 && (temsilci ? k != 0 : a.tip != 4);
        double birim = fiyat;
        double r[4] = {oranSinirla(ind1), oranSinirla(ind2), oranSinirla(ind3), oranSinirla(ind4)};
        if (!temsilci) {
            // Customers buy at the store's own prices and rates.
            Sorgu c(m_m, QStringLiteral("SELECT ind1, ind2, ind3, ind4 FROM cariler WHERE carino = ?"));
            c.bagla(carino).calistir();
            c.sonraki();
            birim = kamp ? st.sayi(4) : st.sayi(3);
            r[0] = c.sayi(0);
            r[1] = kamp ? 0 : c.sayi(1);
            r[2] = kamp ? 0 : c.sayi(2);
            r[3] = kamp ? 0 : c.sayi(3);
        }
        Sorgu s(m_m, QStringLiteral(
                         "INSERT INTO sepet(carino, stokno, barkod, stokadi, miktar, birimfiyat, ind1, "
                         "ind2, ind3, ind4, kdv, k, sec, verenid, veren, tarih) VALUES(?, ?, ?, ?, ?, ?, "
                         "?, ?, ?, ?, ?, ?, 0, ?, ?, ?)"));
        s.bagla(carino).bagla(stokno).bagla(st.metin(0)).bagla(st.metin(1)).bagla(miktar).bagla(birim);
        s.bagla(r[0]).bagla(r[1]).bagla(r[2]).bagla(r[3]).bagla(st.sayi(2)).bagla(kamp ? 1 : 0);
        s.bagla(a.sirano).bagla(a.adi).bagla(bugunSayi()).calistir();
        sonuc = 1;
    });
    Q_UNUSED(barkod) Q_UNUSED(stokadi) Q_UNUSED(kdv) Q_UNUSED(verenid)
    return sonuc;
}

qint32 Metotlar::SepetGuncelle2(const TSonucBilgisi& bilgim, qint32 carino, qint32 stokno,
                                const QString& barkod, const QString& stokadi, double miktar,
                                double kdv, double fiyat, double ind1, qint32 verenid,
                                qint32 sepetsirano, double ind2, double ind3, double ind4)
{
    if (!sayiGecerli(miktar, 0.001, 1000000) || !sayiGecerli(fiyat, 0, 1e9))
        return 0;
    qint32 sonuc = 0;
    m_m.islem([&] {
        const Arayan a = arayan(bilgim);
        if (!cariYetkili(a, carino))
            return;
        const bool temsilci = a.tip == 1 || a.tip == 2;
        Sorgu s(m_m, temsilci
                         ? QStringLiteral("UPDATE sepet SET miktar = ?, birimfiyat = ?, ind1 = ?, ind2 = ?, "
                                          "ind3 = ?, ind4 = ? WHERE sirano = ? AND carino = ?")
                         : QStringLiteral("UPDATE sepet SET miktar = ? WHERE sirano = ? AND carino = ?"));
        s.bagla(miktar);
        if (temsilci)
            s.bagla(fiyat).bagla(oranSinirla(ind1)).bagla(oranSinirla(ind2)).bagla(oranSinirla(ind3))
                .bagla(oranSinirla(ind4));
        s.bagla(sepetsirano).bagla(carino).calistir();
        sonuc = s.etkilenen() == 1 ? 1 : 0;
    });
    Q_UNUSED(stokno) Q_UNUSED(barkod) Q_UNUSED(stokadi) Q_UNUSED(kdv) Q_UNUSED(verenid)
    return sonuc;
}

qint32 Metotlar::SepetSatirSil(const TSonucBilgisi& bilgi, qint32 satirno, const QString& aciklamam)
{
    Q_UNUSED(aciklamam)
    qint32 sonuc = 0;
    m_m.islem([&] {
        if (!cariYetkili(arayan(bilgi), bilgi.CARINO()))
            return;
        Sorgu s(m_m, QStringLiteral("DELETE FROM sepet WHERE sirano = ? AND carino = ?"));
        s.bagla(satirno).bagla(bilgi.CARINO()).calistir();
        sonuc = s.etkilenen() == 1 ? 1 : 0;
    });
    return sonuc;
}

qint32 Metotlar::SepetHepsiniSil(const TSonucBilgisi& bilgi)
{
    qint32 sonuc = 0;
    m_m.islem([&] {
        if (!cariYetkili(arayan(bilgi), bilgi.CARINO()))
            return;
        Sorgu s(m_m, QStringLiteral("DELETE FROM sepet WHERE carino = ?"));
        s.bagla(bilgi.CARINO()).calistir();
        sonuc = 1;
    });
    return sonuc;
}

void Metotlar::SepetSecimGuncelle(qint32 sirano, qint32 secim)
{
    m_m.islem([&] {
        Sorgu s(m_m, QStringLiteral("UPDATE sepet SET sec = ? WHERE sirano = ?"));
        s.bagla(secim != 0 ? 1 : 0).bagla(sirano).calistir();
    });
}

bool Metotlar::SiparisKaydet(const TSonucBilgisi& BB, qint32 carino, qint32 teslim, qint32 kargo,
                             const QString& aciklama, qint32 verenid, qint32 kargoyeni)
{
    Q_UNUSED(verenid)
    bool sonuc = false;
    m_m.islem([&] {
        const Arayan a = arayan(BB);
        if (!cariYetkili(a, carino))
            return;
        {
            Sorgu s(m_m, QStringLiteral("SELECT (SELECT COUNT(*) FROM teslimler WHERE id = ?), "
                                        "(SELECT COUNT(*) FROM kargolar WHERE sirano = ? AND tur = ?)"));
            s.bagla(teslim).bagla(kargoyeni).bagla(kargo).calistir();
            if (!s.sonraki() || s.tamsayi(0) != 1 || s.tamsayi(1) != 1)
                return;
        }
        struct Hat {
            qint64 sirano, stokno;
            QString barkod, adi;
            double miktar, birim, r[4], kdv;
            qint64 k;
        };
        QList<Hat> hatlar;
        {
            Sorgu s(m_m, QStringLiteral("SELECT sirano, stokno, barkod, stokadi, miktar, birimfiyat, "
                                        "ind1, ind2, ind3, ind4, kdv, k FROM sepet "
                                        "WHERE carino = ? AND sec = 1 ORDER BY sirano"));
            s.bagla(carino).calistir();
            while (s.sonraki())
                hatlar << Hat{s.tamsayi(0), s.tamsayi(1), s.metin(2), s.metin(3), s.sayi(4), s.sayi(5),
                              {s.sayi(6), s.sayi(7), s.sayi(8), s.sayi(9)}, s.sayi(10), s.tamsayi(11)};
        }
        if (hatlar.isEmpty())
            return;
        const double simdi = bugunSayi();
        Sorgu o(m_m, QStringLiteral("INSERT INTO siparisler(carino, tarih, teslimid, kargoid, kargofirma, "
                                    "verenid, veren, mesaj, durum) VALUES(?, ?, ?, ?, ?, ?, ?, ?, 2)"));
        o.bagla(carino).bagla(simdi).bagla(teslim).bagla(kargo).bagla(kargoyeni).bagla(a.sirano);
        o.bagla(a.adi).bagla(kirp(aciklama, 4000)).calistir();
        const qint64 idno = o.sonId();
        for (const Hat& h : hatlar) {
            Sorgu l(m_m, QStringLiteral(
                             "INSERT INTO siparissatirlari(idno, sepetsirano, stokno, barkod, stokadi, "
                             "miktar, teslimedilen, kalan, birimfiyat, ilkfiyat, ind1, ind2, ind3, ind4, "
                             "kdv, k, tarih, verenid, veren) VALUES(?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, "
                             "?, ?, ?, ?, ?, ?)"));
            l.bagla(idno).bagla(h.sirano).bagla(h.stokno).bagla(h.barkod).bagla(h.adi).bagla(h.miktar);
            l.bagla(h.miktar).bagla(h.birim).bagla(h.birim).bagla(h.r[0]).bagla(h.r[1]).bagla(h.r[2]);
            l.bagla(h.r[3]).bagla(h.kdv).bagla(h.k).bagla(simdi).bagla(a.sirano).bagla(a.adi).calistir();
            Sorgu d(m_m, QStringLiteral("DELETE FROM sepet WHERE sirano = ? AND sec = 1"));
            d.bagla(h.sirano).calistir();
            if (d.etkilenen() != 1)
                throw pel::Error(QStringLiteral("Sepet satırı sipariş sırasında değişti."));
            Sorgu u(m_m, QStringLiteral("UPDATE stoklar SET alinansiparis = alinansiparis + ? WHERE stokno = ?"));
            u.bagla(h.miktar).bagla(h.stokno).calistir();
        }
        sonuc = true;
    });
    return sonuc;
}

pel::TableData Metotlar::idAdListesi(const QString& sql)
{
    pel::TableData t = yeniTablo({{"ID", I}, {"ADI", T, 50}});
    Sorgu s(m_m, sql);
    s.calistir();
    while (s.sonraki())
        Satir(t) << s.tamsayi(0) << s.metin(1);
    return t;
}

pel::TableData Metotlar::TeslimVer()
{
    return idAdListesi(QStringLiteral("SELECT id, adi FROM teslimler ORDER BY id"));
}

pel::TableData Metotlar::KargoVer()
{
    return idAdListesi(QStringLiteral("SELECT id, adi FROM kargoturleri ORDER BY id"));
}

pel::TableData Metotlar::KargolarVer(qint32 gn)
{
    pel::TableData t = yeniTablo({{"SIRANO", I}, {"ADI", T, 50}, {"UYARI", T, 250}, {"TUR", I}});
    Sorgu s(m_m, QStringLiteral("SELECT sirano, adi, uyari, tur FROM kargolar WHERE tur = ? ORDER BY sirano"));
    s.bagla(gn).calistir();
    while (s.sonraki())
        Satir(t) << s.tamsayi(0) << s.metin(1) << s.metin(2) << s.tamsayi(3);
    return t;
}

// ------------------------------------------------------------ orders

pel::TableData Metotlar::OncekiSiparisler(qint32 carino)
{
    pel::TableData t = yeniTablo({
        {"CARINO", I}, {"IDNO", I}, {"TARIH", DT}, {"KUR", T, 5}, {"KURTL", D}, {"VERENIDNO", I},
        {"KARGO", T, 50}, {"TESLIM", T, 50}, {"VEREN", T, 50}, {"CARIKOD", T, 25},
        {"CARIADI", T, 100}, {"VERGI", D}, {"NETTUTAR", D}, {"TUTAR", D}, {"DURUM", T, 100},
        {"KARGOADI", T, 50}, {"VERENINNOTU", T, 4000}, {"ALANNOTU", T, 4000},
    });
    Sorgu s(m_m, QStringLiteral(
                     "SELECT o.carino, o.idno, o.tarih, o.verenid, COALESCE(kt.adi, ''), "
                     "COALESCE(te.adi, ''), o.veren, c.carikod, c.cariadi, o.durum, COALESCE(k.adi, ''), "
                     "o.mesaj, o.alannotu FROM siparisler o JOIN cariler c ON c.carino = o.carino "
                     "LEFT JOIN kargoturleri kt ON kt.id = o.kargoid LEFT JOIN teslimler te ON te.id = "
                     "o.teslimid LEFT JOIN kargolar k ON k.sirano = o.kargofirma "
                     "WHERE o.carino = ? ORDER BY o.tarih DESC, o.idno DESC"));
    s.bagla(carino).calistir();
    Sorgu l(m_m, QStringLiteral("SELECT miktar, birimfiyat, ind1, ind2, ind3, ind4, kdv FROM "
                                "siparissatirlari WHERE idno = ?"));
    while (s.sonraki()) {
        double vergi = 0, net = 0, tutar = 0;
        l.bagla(s.tamsayi(1)).calistir();
        while (l.sonraki()) {
            const double r[4] = {l.sayi(2), l.sayi(3), l.sayi(4), l.sayi(5)};
            const Tutarlar u = hesapla(l.sayi(0), l.sayi(1), r, l.sayi(6));
            vergi = yuvarla2(vergi + u.vergi);
            net = yuvarla2(net + u.net);
            tutar = yuvarla2(tutar + u.tutar);
        }
        Satir(t) << s.tamsayi(0) << s.tamsayi(1) << s.sayi(2) << QStringLiteral("TL") << 1.0
                 << s.tamsayi(3) << s.metin(4) << s.metin(5) << s.metin(6) << s.metin(7) << s.metin(8)
                 << vergi << net << tutar << siparisDurumu(int(s.tamsayi(9))) << s.metin(10)
                 << s.metin(11) << s.metin(12);
    }
    return t;
}

pel::TableData Metotlar::siparisSatirlari(const QString& kosul, const QVariantList& degerler)
{
    pel::TableData t = yeniTablo({
        {"SIRANO", I}, {"SIPARISNO", I}, {"CARINO", I}, {"TARIH", DT}, {"AKTAR", I}, {"STOKNO", I},
        {"VERILISTARIHI", DT}, {"BARKOD", T, 50}, {"FINISHKOD", T, 50}, {"OEMNO", T, 50},
        {"STOKADI", T, 100}, {"MIKTAR", D}, {"BIRIMFIYAT", D}, {"ILKFIYAT", D}, {"TUTAR", D},
        {"INDIRIMORANI1", D}, {"INDIRIMORANI2", D}, {"INDIRIMORANI3", D}, {"INDIRIMORANI4", D},
        {"INDIRIMYAZI", T, 50}, {"INDIRIMTUTAR", D}, {"NETBIRIMFIYAT", D}, {"KDV", D},
        {"VERGITUTARI", D}, {"NETTUTAR", D}, {"VEREN", T, 50}, {"TESLIMEDILEN", D}, {"KALAN", D},
        {"DURUM", I}, {"KUR", T, 5}, {"KURTL", D}, {"VERENIDNO", I}, {"SAAT", T, 8},
        {"TESLIMID", I}, {"KARGOID", I}, {"ACIKLAMA", T, 250}, {"IDNO", I}, {"VERENSIRANO", I},
        {"CARIKOD", T, 25}, {"CARIADI", T, 100}, {"OEM1", T, 50}, {"OEM2", T, 50}, {"OEM3", T, 50},
        {"OEM4", T, 50}, {"STOK_STOKNO", I}, {"URETICIKODU", T, 50}, {"DIGERADI", T, 100},
        {"DPKOD", T, 20}, {"MARKA", T, 50}, {"MODEL", T, 100}, {"ANAGRUP", T, 50},
        {"OZELKOD", T, 50}, {"PKOD", T, 20}, {"TESLIM", T, 50}, {"KARGO", T, 50},
        {"STOKHAR_NO", I}, {"ELDEKI", D}, {"ALINANSIPARIS", D}, {"VERILENSIPARIS", D},
    });
    Sorgu s(m_m, QStringLiteral(
                     "SELECT l.sepetsirano, o.idno, o.carino, o.tarih, l.stokno, l.tarih, l.barkod, "
                     "st.finishkod, st.oemno, l.stokadi, l.miktar, l.birimfiyat, l.ilkfiyat, l.ind1, "
                     "l.ind2, l.ind3, l.ind4, l.kdv, l.veren, l.teslimedilen, l.kalan, st.durum, "
                     "l.verenid, o.teslimid, o.kargoid, o.mesaj, c.carikod, c.cariadi, st.oem1, "
                     "st.oem2, st.oem3, st.oem4, st.ureticikodu, st.digeradi, st.dpkod, st.marka, "
                     "st.model, st.anagrup, st.ozelkod, st.pkod, COALESCE(te.adi, ''), "
                     "COALESCE(kt.adi, ''), l.stokharno, st.kalan, st.alinansiparis, st.verilensiparis "
                     "FROM siparissatirlari l JOIN siparisler o ON o.idno = l.idno "
                     "JOIN stoklar st ON st.stokno = l.stokno JOIN cariler c ON c.carino = o.carino "
                     "LEFT JOIN teslimler te ON te.id = o.teslimid "
                     "LEFT JOIN kargoturleri kt ON kt.id = o.kargoid WHERE %1 "
                     "ORDER BY o.tarih DESC, l.idno DESC, l.stokharno")
                     .arg(kosul));
    for (const QVariant& v : degerler)
        s.bagla(v);
    s.calistir();
    while (s.sonraki()) {
        const double r[4] = {s.sayi(13), s.sayi(14), s.sayi(15), s.sayi(16)};
        const double miktar = s.sayi(10), kdv = s.sayi(17);
        const Tutarlar u = hesapla(miktar, s.sayi(11), r, kdv);
        const double satirTarih = s.sayi(5);
        Satir satir(t);
        satir << s.tamsayi(0) << s.tamsayi(1) << s.tamsayi(2) << s.sayi(3) << 0 << s.tamsayi(4)
              << satirTarih << s.metin(6) << s.metin(7) << s.metin(8) << s.metin(9) << miktar
              << s.sayi(11) << s.sayi(12) << u.tutar << r[0] << r[1] << r[2] << r[3]
              << indirimYazisi(r[0], r[1], r[2], r[3]) << u.indirim << u.netBirim << kdv << u.vergi
              << u.net << s.metin(18) << s.sayi(19) << s.sayi(20) << s.tamsayi(21)
              << QStringLiteral("TL") << 1.0 << s.tamsayi(22)
              << pel::fromDayCount(satirTarih).time().toString(QStringLiteral("HH:mm"))
              << s.tamsayi(23) << s.tamsayi(24) << s.metin(25) << s.tamsayi(1) << s.tamsayi(22)
              << s.metin(26) << s.metin(27) << s.metin(28) << s.metin(29) << s.metin(30)
              << s.metin(31) << s.tamsayi(4);
        for (int i = 32; i <= 41; ++i)
            satir << s.metin(i);
        satir << s.tamsayi(42) << s.sayi(43) << s.sayi(44) << s.sayi(45);
    }
    return t;
}

pel::TableData Metotlar::SiparisAyrintisi2(qint32 carino, qint32 idnosu)
{
    // The order detail asks with customer 0: any customer's order by its number.
    if (carino > 0)
        return siparisSatirlari(QStringLiteral("l.idno = ? AND o.carino = ?"), {idnosu, carino});
    return siparisSatirlari(QStringLiteral("l.idno = ?"), {idnosu});
}

pel::TableData Metotlar::BakiyelerVer2(qint32 carino)
{
    return siparisSatirlari(QStringLiteral("o.carino = ? AND l.kalan > 0"), {carino});
}

pel::TableData Metotlar::TumSiparislerVer(qint32 carino, qint32 stokno)
{
    if (stokno > 0)
        return siparisSatirlari(QStringLiteral("o.carino = ? AND l.stokno = ?"), {carino, stokno});
    return siparisSatirlari(QStringLiteral("o.carino = ?"), {carino});
}

std::optional<TSiparisDipAyrinti> Metotlar::SiparisAytintisiDip(qint32 carino, qint32 siranosu)
{
    Sorgu s(m_m, QStringLiteral(
                     "SELECT o.mesaj, o.durum, o.veren, COALESCE(k.adi, ''), o.alannotu, "
                     "COALESCE(te.adi, ''), COALESCE(kt.adi, ''), o.saticinotu, o.carino "
                     "FROM siparisler o LEFT JOIN kargolar k ON k.sirano = o.kargofirma "
                     "LEFT JOIN teslimler te ON te.id = o.teslimid "
                     "LEFT JOIN kargoturleri kt ON kt.id = o.kargoid WHERE o.idno = ?"));
    s.bagla(siranosu).calistir();
    if (!s.sonraki() || (carino > 0 && s.tamsayi(8) != carino))
        return std::nullopt;
    TSiparisDipAyrinti d;
    d.SetSizinMesaj(s.metin(0));
    d.SetDurumu(siparisDurumu(int(s.tamsayi(1))));
    d.SetVeren(s.metin(2));
    d.SetKargo(s.metin(3));
    d.SetBizimMesaj(s.metin(4));
    d.SetTeslimCinsi(s.metin(5));
    d.SetKargoCinsi(s.metin(6));
    d.SetSaticiNotu(s.metin(7));
    return d;
}

// ------------------------------------------------------------ balances

qint32 Metotlar::BakiyeDuzenle(const TSonucBilgisi& k, qint32 stokno, qint32 sepetsirano,
                               qint32 siparissirano, double Adet, double Bakiye,
                               const QString& barkod)
{
    Q_UNUSED(sepetsirano) Q_UNUSED(Adet) Q_UNUSED(Bakiye) Q_UNUSED(barkod)
    qint32 sonuc = 0;
    m_m.islem([&] {
        if (!cariYetkili(arayan(k), k.CARINO()))
            return;
        Sorgu s(m_m, QStringLiteral("UPDATE siparissatirlari SET kalan = 0 WHERE stokharno = ? AND "
                                    "(? = 0 OR stokno = ?) AND idno IN (SELECT idno FROM siparisler "
                                    "WHERE carino = ?)"));
        s.bagla(siparissirano).bagla(stokno).bagla(stokno).bagla(k.CARINO()).calistir();
        sonuc = s.etkilenen() == 1 ? 1 : 0;
    });
    return sonuc;
}

qint32 Metotlar::BakiyeDegistir(const TSonucBilgisi& k, qint32 stokno, qint32 sepetsirano,
                                qint32 siparissirano, double Adet, double Bakiye,
                                const QString& barkod)
{
    Q_UNUSED(sepetsirano) Q_UNUSED(Adet) Q_UNUSED(barkod)
    if (!sayiGecerli(Bakiye, 0, 1000000))
        return 0;
    qint32 sonuc = 0;
    m_m.islem([&] {
        if (!cariYetkili(arayan(k), k.CARINO()))
            return;
        Sorgu s(m_m, QStringLiteral("UPDATE siparissatirlari SET kalan = ?, miktar = teslimedilen + ? "
                                    "WHERE stokharno = ? AND (? = 0 OR stokno = ?) AND idno IN "
                                    "(SELECT idno FROM siparisler WHERE carino = ?)"));
        s.bagla(Bakiye).bagla(Bakiye).bagla(siparissirano).bagla(stokno).bagla(stokno);
        s.bagla(k.CARINO()).calistir();
        sonuc = s.etkilenen() == 1 ? 1 : 0;
    });
    return sonuc;
}

qint32 Metotlar::BakiyeFiyatDegistir(const TSonucBilgisi& k, qint32 stokno, qint32 sepetsirano,
                                     qint32 siparissirano, double Adet, double Bakiye,
                                     const QString& barkod, double fiyat, double ind)
{
    Q_UNUSED(sepetsirano) Q_UNUSED(Adet) Q_UNUSED(Bakiye) Q_UNUSED(barkod)
    if (!sayiGecerli(fiyat, 0, 1e9) || !std::isfinite(ind))
        return 0;
    qint32 sonuc = 0;
    m_m.islem([&] {
        const Arayan a = arayan(k);
        // Only representatives with price rights change prices.
        if (a.tip != 2 || !cariYetkili(a, k.CARINO()))
            return;
        Sorgu s(m_m, QStringLiteral("UPDATE siparissatirlari SET birimfiyat = ?, ind1 = ? "
                                    "WHERE stokharno = ? AND (? = 0 OR stokno = ?) AND kalan > 0 AND "
                                    "idno IN (SELECT idno FROM siparisler WHERE carino = ?)"));
        s.bagla(fiyat).bagla(oranSinirla(ind)).bagla(siparissirano).bagla(stokno).bagla(stokno);
        s.bagla(k.CARINO()).calistir();
        sonuc = s.etkilenen() == 1 ? 1 : 0;
    });
    return sonuc;
}

// ------------------------------------------------------------ statement

double Metotlar::cariBakiye(qint32 carino)
{
    Sorgu s(m_m, QStringLiteral("SELECT COALESCE(SUM(borc) - SUM(alacak), 0) FROM ekstre WHERE carino = ?"));
    s.bagla(carino).calistir();
    return s.sonraki() ? yuvarla2(s.sayi(0)) : 0.0;
}

pel::TableData Metotlar::CariEkstreVer(qint32 carino)
{
    pel::TableData t = yeniTablo({
        {"CARINO", I}, {"TARIH", DT}, {"TURADI", T, 50}, {"EVRAK", T, 25}, {"BORC", D},
        {"ALACAK", D}, {"KUR", T, 5}, {"BAKIYE", D}, {"D", T, 1}, {"IDNO", I},
        {"ACIKLAMA", T, 250},
    });
    Sorgu s(m_m, QStringLiteral("SELECT carino, tarih, turadi, evrak, borc, alacak, kur, idno, aciklama "
                                "FROM ekstre WHERE carino = ? ORDER BY tarih, idno"));
    s.bagla(carino).calistir();
    double b = 0;
    while (s.sonraki()) {
        b = yuvarla2(b + s.sayi(4) - s.sayi(5));
        Satir(t) << s.tamsayi(0) << s.sayi(1) << s.metin(2) << s.metin(3) << s.sayi(4) << s.sayi(5)
                 << s.metin(6) << b
                 << (b > 0 ? QStringLiteral("B") : b < 0 ? QStringLiteral("A") : QStringLiteral(" "))
                 << s.tamsayi(7) << s.metin(8);
    }
    return t;
}

pel::TableData Metotlar::FaturaGetir(qint32 carino, qint32 idnosu)
{
    pel::TableData t = yeniTablo({
        {"OEMNO", T, 50}, {"STOKADI", T, 100}, {"FINISHKOD", T, 50}, {"MARKA", T, 50},
        {"MODEL", T, 100}, {"ANAGRUP", T, 50}, {"BIRIM", T, 20}, {"STOKHAR_MIKTAR", D},
        {"STOKHAR_TLBIRIMFIYATI", D}, {"STOKHAR_TLTUTAR", D}, {"STOKHAR_INDIRIM1", D},
        {"STOKHAR_INDIRIM2", D}, {"KDV", D}, {"STOKHAR_TOPLAMINDIRIM", D},
        {"STOKHAR_TOPLAMMASRAF", D}, {"STOKHAR_NETTLBIRIMFIYATI", D}, {"STOKHAR_NETTLTUTAR", D},
        {"OZELKOD", T, 50}, {"BARKOD", T, 50}, {"STOKHAR_HAREKETTARIHI", DA},
        {"STOKHAR_HAREKETTIPI2", T, 50}, {"EVRAKNO", T, 25}, {"STOKHAR_TLVERGI", D},
        {"IRSALIYEEVRAKNO", T, 25}, {"STOKHAR_IRSTARIHI", DA}, {"SATIRACIKLMASI", T, 250},
        {"STOKHAR_SAAT", T, 8}, {"STOKHAR_VADE", I}, {"SIPARISEVRAKNO", T, 25},
        {"SIPARISTARIHI", DA}, {"IRSALIYETIP2", T, 50}, {"STOKHAR_INDIRIM3", D},
        {"STOKHAR_INDIRIM4", D}, {"STOKHAR_INDIRIM5", D}, {"STOKHAR_INDIRIM6", D},
        {"STOKHAR_INDIRIM7", D}, {"STOKHAR_INDIRIM8", D}, {"STOKHAR_DOVIZBIRIMFIYATI", D},
        {"STOKHAR_DOVIZVERGI", D}, {"STOKHAR_DOVIZTUTAR", D}, {"STOKHAR_PARTI", T, 20},
        {"STOKHAR_BEDEN", T, 20}, {"STOKHAR_RENK", T, 20}, {"STOKHAR_MASRAF1", D},
        {"STOKHAR_MASRAF2", D}, {"STOKHAR_DOVIZTOPLAMINDIRIM", D}, {"STOKHAR_DOVIZTOPLAMMASRAF", D},
        {"STOKHAR_NETDOVIZBIRIMFIYATI", D}, {"STOKHAR_NETDOVIZTUTAR", D}, {"STOKHAR_KURTL", D},
        {"SIPARISTIPI", T, 20}, {"IRSALIYETIPINO", I}, {"STOKCARIKOD", T, 25}, {"SUBE_NO", I},
        {"STOKHAR_CARINO", I}, {"KUR_KURSIMGE", T, 5}, {"SATICIADI", T, 50},
        {"URETICIKODU", T, 50}, {"DPKOD", T, 20}, {"ENADI", T, 100}, {"PKOD", T, 20},
        {"BELGENO", T, 25}, {"IDNO", I},
    });
    Sorgu s(m_m, QStringLiteral(
                     "SELECT st.oemno, st.adi, st.finishkod, st.marka, st.model, st.anagrup, st.birim, "
                     "f.miktar, f.birimfiyat, f.ind1, f.ind2, f.kdv, f.masraf, st.ozelkod, st.barkod, "
                     "e.tarih, e.turadi, e.evrak, e.vade, c.carikod, e.carino, COALESCE(t.adi, ''), "
                     "st.ureticikodu, st.dpkod, st.digeradi, st.pkod, e.idno "
                     "FROM faturasatirlari f JOIN ekstre e ON e.idno = f.idno "
                     "JOIN stoklar st ON st.stokno = f.stokno JOIN cariler c ON c.carino = e.carino "
                     "LEFT JOIN saticilar t ON t.saticino = e.saticino "
                     "WHERE f.idno = ? AND e.carino = ? ORDER BY f.id"));
    s.bagla(idnosu).bagla(carino).calistir();
    while (s.sonraki()) {
        const double miktar = s.sayi(7), birim = s.sayi(8), kdv = s.sayi(11), masraf = s.sayi(12);
        const double r[4] = {s.sayi(9), s.sayi(10), 0, 0};
        const Tutarlar u = hesapla(miktar, birim, r, kdv);
        const double tarih = s.sayi(15);
        Satir satir(t);
        for (int i = 0; i <= 6; ++i)
            satir << s.metin(i);
        satir << miktar << birim << u.tutar << r[0] << r[1] << kdv << u.indirim << masraf
              << u.netBirim << yuvarla2(u.net + masraf) << s.metin(13) << s.metin(14)
              << std::floor(tarih) << s.metin(16) << s.metin(17) << u.vergi
              << (QStringLiteral("IRS-") + s.metin(17)) << std::floor(tarih) << QString()
              << pel::fromDayCount(tarih).time().toString(QStringLiteral("HH:mm")) << s.tamsayi(18)
              << QString() << std::floor(tarih) << QStringLiteral("Satış İrsaliyesi");
        for (int i = 0; i < 6; ++i)
            satir << 0.0;
        satir << birim << u.vergi << u.tutar << QString() << QString() << QString() << 0.0 << 0.0
              << 0.0 << 0.0 << u.netBirim << u.net << 1.0 << QStringLiteral("Normal") << 1
              << s.metin(19) << 1 << s.tamsayi(20) << QStringLiteral("TL") << s.metin(21)
              << s.metin(22) << s.metin(23) << s.metin(24) << s.metin(25) << s.metin(17)
              << s.tamsayi(26);
    }
    return t;
}

pel::TableData Metotlar::FaturaAltGetir(qint32 idnosu)
{
    pel::TableData t = yeniTablo({{"TOPLAM", D}, {"TOPLAMINDIRIM", D}, {"MATRAH", D},
                                  {"KDVTUTAR", D}, {"KDVDAHIL", D}});
    Sorgu s(m_m, QStringLiteral("SELECT miktar, birimfiyat, ind1, ind2, kdv, masraf FROM faturasatirlari "
                                "WHERE idno = ? ORDER BY id"));
    s.bagla(idnosu).calistir();
    double toplam = 0, indirim = 0, masraf = 0, vergi = 0;
    bool var = false;
    while (s.sonraki()) {
        var = true;
        const double r[4] = {s.sayi(2), s.sayi(3), 0, 0};
        const Tutarlar u = hesapla(s.sayi(0), s.sayi(1), r, s.sayi(4));
        toplam = yuvarla2(toplam + u.tutar);
        indirim = yuvarla2(indirim + u.indirim);
        masraf = yuvarla2(masraf + s.sayi(5));
        vergi = yuvarla2(vergi + u.vergi);
    }
    if (var) {
        const double matrah = yuvarla2(toplam - indirim + masraf);
        Satir(t) << toplam << indirim << matrah << vergi << yuvarla2(matrah + vergi);
    }
    return t;
}

pel::TableData Metotlar::Tahsilat(qint32 idnosu)
{
    pel::TableData t = yeniTablo({
        {"Tarih", DT}, {"Türü", T, 50}, {"Cins", T, 50}, {"Vade", DA}, {"Tutar", D},
        {"Açıklama", T, 250}, {"EvrakNo", T, 25}, {"Ref", T, 50}, {"Saat", T, 8}, {"Kur", T, 5},
        {"KurTL", D}, {"Döviz Tutar", D},
    });
    Sorgu s(m_m, QStringLiteral("SELECT e.tarih, e.turadi, h.cins, h.vade, h.tutar, h.aciklama, e.evrak, "
                                "h.ref, h.saat FROM tahsilatlar h JOIN ekstre e ON e.idno = h.idno "
                                "WHERE h.idno = ? ORDER BY h.id"));
    s.bagla(idnosu).calistir();
    while (s.sonraki())
        Satir(t) << s.sayi(0) << s.metin(1) << s.metin(2) << std::floor(s.sayi(3)) << s.sayi(4)
                 << s.metin(5) << s.metin(6) << s.metin(7) << s.metin(8) << QStringLiteral("TL")
                 << 1.0 << s.sayi(4);
    return t;
}

qint32 Metotlar::SanalposSiranoVer(qint32 idnosu)
{
    Sorgu s(m_m, QStringLiteral("SELECT sirano FROM sanalpos WHERE idno = ?"));
    s.bagla(idnosu).calistir();
    return s.sonraki() ? qint32(s.tamsayi(0)) : 0;
}

QByteArray Metotlar::SAnalPosPdfVer(qint32 sirano)
{
    Sorgu s(m_m, QStringLiteral("SELECT pdf FROM sanalpos WHERE sirano = ?"));
    s.bagla(sirano).calistir();
    return s.sonraki() ? s.deger(0).toByteArray() : QByteArray();
}

QString Metotlar::CariVadeGunGecmismiBul(qint32 carino)
{
    // Collections pay the oldest debits first; what stays unpaid past its
    // term is overdue.
    Sorgu s(m_m, QStringLiteral("SELECT tarih, borc, alacak, vade FROM ekstre WHERE carino = ? "
                                "ORDER BY tarih, idno"));
    s.bagla(carino).calistir();
    struct Borc {
        double tarih, kalan;
        int vade;
    };
    QList<Borc> borclar;
    double alacak = 0;
    while (s.sonraki()) {
        if (s.sayi(1) > 0)
            borclar << Borc{s.sayi(0), s.sayi(1), int(s.tamsayi(3))};
        alacak += s.sayi(2);
    }
    const double bugun = std::floor(bugunSayi());
    double gecmis = 0;
    int enCokGun = 0;
    for (Borc& b : borclar) {
        const double odenen = std::min(alacak, b.kalan);
        b.kalan -= odenen;
        alacak -= odenen;
        const int gun = int(bugun - std::floor(b.tarih) - b.vade);
        if (b.kalan > 0.005 && gun > 0) {
            gecmis += b.kalan;
            enCokGun = std::max(enCokGun, gun);
        }
    }
    if (gecmis < 0.01)
        return {};
    return QStringLiteral("Vadesi %1 gün geçmiş %2 TL bakiyeniz bulunmaktadır. Lütfen ödemenizi "
                          "yapınız.")
        .arg(enCokGun)
        .arg(tlBicim(gecmis));
}

QString Metotlar::CariDurumVer(qint32 carino)
{
    const double b = cariBakiye(carino);
    return tlBicim(std::abs(b)) + QStringLiteral(" TL") +
           (b > 0 ? QStringLiteral(" (B)") : b < 0 ? QStringLiteral(" (A)") : QString());
}

// ------------------------------------------------------------ screens

pel::TableData Metotlar::BalonGetir(const TSonucBilgisi& bil)
{
    pel::TableData t = yeniTablo({{"SEPET", I}, {"YENI", I}, {"KAMPANYA", I}, {"DUYURU", I},
                                  {"BAKIYE", D}});
    const qint32 carino = bil.CARINO();
    Sorgu s(m_m, QStringLiteral(
                     "SELECT (SELECT COUNT(*) FROM sepet WHERE carino = ?), "
                     "(SELECT COUNT(*) FROM stoklar WHERE yeni <> 0), "
                     "(SELECT COUNT(*) FROM stoklar WHERE kampanya <> 0), "
                     "(SELECT COUNT(*) FROM ekranlar WHERE tur = 1)"));
    s.bagla(carino).calistir();
    s.sonraki();
    double bakiye = 0;
    {
        Sorgu l(m_m, QStringLiteral("SELECT l.kalan, l.birimfiyat, l.ind1, l.ind2, l.ind3, l.ind4, l.kdv "
                                    "FROM siparissatirlari l JOIN siparisler o ON o.idno = l.idno "
                                    "WHERE o.carino = ? AND l.kalan > 0"));
        l.bagla(carino).calistir();
        while (l.sonraki()) {
            const double r[4] = {l.sayi(2), l.sayi(3), l.sayi(4), l.sayi(5)};
            bakiye = yuvarla2(bakiye + hesapla(l.sayi(0), l.sayi(1), r, l.sayi(6)).net);
        }
    }
    const bool kampanyasiz = arayan(bil).tip == 4;
    Satir(t) << s.tamsayi(0) << s.tamsayi(1) << (kampanyasiz ? 0 : s.tamsayi(2)) << s.tamsayi(3)
             << bakiye;
    return t;
}

TAcilisEkranlariki Metotlar::AcilisEkranlarVer2()
{
    TAcilisEkranlariki e;
    QList<TAcilisEkran> l;
    Sorgu s(m_m, QStringLiteral("SELECT sirano, resim, baslik, arama FROM ekranlar WHERE tur = 1 ORDER BY sira"));
    s.calistir();
    while (s.sonraki()) {
        TAcilisEkran k;
        k.SetSiraNo(qint32(s.tamsayi(0)));
        k.SetResim(hex(s.deger(1).toByteArray()));
        k.SetBaslik(s.metin(2));
        k.SetArama(s.metin(3));
        l << k;
    }
    e.SetEkranlar(l);
    return e;
}

QString Metotlar::KayanYaziGetir()
{
    return m_m.ayar(QStringLiteral("kayanyazi"));
}

QByteArray Metotlar::BannerResimVer(int no)
{
    Sorgu s(m_m, QStringLiteral("SELECT veri FROM bannerlar WHERE no = ?"));
    s.bagla(no).calistir();
    return s.sonraki() ? s.deger(0).toByteArray() : QByteArray();
}

qint32 Metotlar::AcilisReklamAdet()
{
    Sorgu s(m_m, QStringLiteral("SELECT COUNT(*) FROM ekranlar WHERE tur = 2"));
    s.calistir();
    return s.sonraki() ? qint32(s.tamsayi(0)) : 0;
}

std::optional<TAcilisEkran> Metotlar::AcilisREklamVer(qint32 sira)
{
    if (sira < 0)
        return std::nullopt;
    Sorgu s(m_m, QStringLiteral("SELECT sirano, resim, baslik, arama FROM ekranlar WHERE tur = 2 "
                                "ORDER BY sira LIMIT 1 OFFSET ?"));
    s.bagla(sira).calistir();
    if (!s.sonraki())
        return std::nullopt;
    TAcilisEkran k;
    k.SetSiraNo(qint32(s.tamsayi(0)));
    k.SetResim(hex(s.deger(1).toByteArray()));
    k.SetBaslik(s.metin(2));
    k.SetArama(s.metin(3));
    return k;
}

// ------------------------------------------------------------ representative desk

pel::TableData Metotlar::cariListesi(const Arayan& a, const QString& kosul, const QVariantList& degerler)
{
    pel::TableData t = yeniTablo({
        {"CARINO", I}, {"CARIKOD", T, 25}, {"CARIADI", T, 100}, {"SATICISI", T, 50},
        {"TLBAKIYE", D}, {"DURUM", T, 20}, {"SEPET", I}, {"ALINDI", I}, {"ONAYLANDI", I},
        {"GORULDU", I}, {"HAZIRLANDI", I}, {"PARCALIHAZIRLANDI", I}, {"YETKILI", T, 50},
        {"OZELKOD", T, 50}, {"ANAGRUP", T, 50}, {"ALTGRUP", T, 50}, {"ADRES1", T, 100},
        {"ADRES2", T, 100}, {"ILCE", T, 50}, {"IL", T, 50}, {"VERGIDAIRESI", T, 50},
        {"VERGINO", T, 20}, {"TEL1", T, 25}, {"TEL2", T, 25}, {"FAX1", T, 25}, {"FAX2", T, 25},
        {"GSM", T, 25}, {"EMAIL", T, 100}, {"VADE", I}, {"INDIRIM", D}, {"KOD1", T, 20},
        {"KOD2", T, 20}, {"KOD3", T, 20}, {"KOD4", T, 20}, {"KOD5", T, 20}, {"VADEKONTROLGUN", I},
        {"VADEKONTROLAY", I},
    });
    Sorgu s(m_m, QStringLiteral(
                     "SELECT c.carino, c.carikod, c.cariadi, COALESCE(t.adi, ''), "
                     "(SELECT COALESCE(SUM(borc) - SUM(alacak), 0) FROM ekstre e WHERE e.carino = c.carino), "
                     "(SELECT COUNT(*) FROM sepet b WHERE b.carino = c.carino), "
                     "(SELECT COUNT(*) FROM siparisler o WHERE o.carino = c.carino AND o.durum = 2), "
                     "(SELECT COUNT(*) FROM siparisler o WHERE o.carino = c.carino AND o.durum = 3), "
                     "(SELECT COUNT(*) FROM siparisler o WHERE o.carino = c.carino AND o.durum = 4), "
                     "(SELECT COUNT(*) FROM siparisler o WHERE o.carino = c.carino AND o.durum = 6), "
                     "(SELECT COUNT(*) FROM siparisler o WHERE o.carino = c.carino AND o.durum = 5), "
                     "c.yetkili, c.ozelkod, c.anagrup, c.altgrup, c.adres1, c.adres2, c.ilce, c.il, "
                     "c.vergidairesi, c.vergino, c.tel1, c.tel2, c.fax1, c.fax2, c.gsm, c.email, c.vade, "
                     "c.ind1 FROM cariler c LEFT JOIN saticilar t ON t.saticino = c.saticino "
                     "WHERE (%1) AND (%2) ORDER BY c.carikod")
                     .arg(kapsamKosulu(a, QStringLiteral("c.carino")), kosul));
    for (const QVariant& v : degerler)
        s.bagla(v);
    s.calistir();
    while (s.sonraki()) {
        const double b = yuvarla2(s.sayi(4));
        Satir satir(t);
        satir << s.tamsayi(0) << s.metin(1) << s.metin(2) << s.metin(3) << b
              << (b > 0 ? QStringLiteral("Borç") : b < 0 ? QStringLiteral("Alacak") : QString());
        for (int i = 5; i <= 10; ++i)
            satir << s.tamsayi(i);
        for (int i = 11; i <= 26; ++i)
            satir << s.metin(i);
        satir << s.tamsayi(27) << s.sayi(28) << QString() << QString() << QString() << QString()
              << QString() << s.tamsayi(27) << 0;
    }
    return t;
}

pel::TableData Metotlar::CariAra(const TSonucBilgisi& bil, const QString& aranan)
{
    const QStringList kelimeler = katla(aranan).split(u' ', Qt::SkipEmptyParts).mid(0, 6);
    QStringList kosullar;
    QVariantList degerler;
    for (const QString& k : kelimeler) {
        kosullar << QStringLiteral("instr(c.katla, ?) > 0");
        degerler << k;
    }
    if (kosullar.isEmpty())
        kosullar << QStringLiteral("1");
    return cariListesi(arayan(bil), kosullar.join(QStringLiteral(" AND ")), degerler);
}

pel::TableData Metotlar::CariSepetVer(const TSonucBilgisi& bil, qint32 n)
{
    if (n == 1)
        return cariListesi(arayan(bil), QStringLiteral("c.carino IN (SELECT carino FROM sepet)"), {});
    if (n >= 2 && n <= 7)
        return cariListesi(arayan(bil),
                           QStringLiteral("c.carino IN (SELECT carino FROM siparisler WHERE durum = ?)"),
                           {n});
    return cariListesi(arayan(bil), QStringLiteral("0"), {});
}

qint32 Metotlar::SepetSayisi(const TSonucBilgisi& bil)
{
    Sorgu s(m_m, QStringLiteral("SELECT COUNT(DISTINCT carino) FROM sepet WHERE %1")
                     .arg(kapsamKosulu(arayan(bil), QStringLiteral("carino"))));
    s.calistir();
    return s.sonraki() ? qint32(s.tamsayi(0)) : 0;
}

TTusSonuclari Metotlar::TusSonuclariVer(const TSonucBilgisi& bil)
{
    TTusSonuclari t;
    Sorgu s(m_m, QStringLiteral("SELECT durum, COUNT(*) FROM siparisler WHERE %1 GROUP BY durum")
                     .arg(kapsamKosulu(arayan(bil), QStringLiteral("carino"))));
    s.calistir();
    while (s.sonraki()) {
        const qint32 n = qint32(s.tamsayi(1));
        switch (s.tamsayi(0)) {
        case 2: t.SetAlindi(n); break;
        case 3: t.SetOnaylandi(n); break;
        case 4: t.SetGoruldu(n); break;
        case 5: t.SetParcaliHazirlandi(n); break;
        case 6: t.SetHazirlandi(n); break;
        case 7: t.SetSevkEdildi(n); break;
        default: break;
        }
    }
    return t;
}

pel::TableData Metotlar::RaporAlinanSiparisler(const TSonucBilgisi& bilgi, double tarih1, double tarih2)
{
    pel::TableData t = yeniTablo({
        {"SATICIADI", T, 50}, {"IDNO", D}, {"CARINO", I}, {"TARIH", DA}, {"KUR", T, 5},
        {"KURTL", D}, {"VERENIDNO", I}, {"KARGO", T, 50}, {"TESLIM", T, 50}, {"VEREN", T, 50},
        {"CARIKOD", T, 25}, {"CARIADI", T, 100}, {"DURUM", T, 100}, {"KARGOADI", T, 50},
        {"VERGI", D}, {"NETTUTAR", D}, {"TUTAR", D},
    });
    if (!std::isfinite(tarih1) || !std::isfinite(tarih2))
        return t;
    Sorgu s(m_m, QStringLiteral(
                     "SELECT COALESCE(sa.adi, ''), o.idno, o.carino, o.tarih, o.verenid, "
                     "COALESCE(kt.adi, ''), COALESCE(te.adi, ''), o.veren, c.carikod, c.cariadi, o.durum, "
                     "COALESCE(k.adi, '') FROM siparisler o JOIN cariler c ON c.carino = o.carino "
                     "LEFT JOIN saticilar sa ON sa.saticino = c.saticino "
                     "LEFT JOIN kargoturleri kt ON kt.id = o.kargoid "
                     "LEFT JOIN teslimler te ON te.id = o.teslimid "
                     "LEFT JOIN kargolar k ON k.sirano = o.kargofirma "
                     "WHERE (%1) AND o.tarih >= ? AND o.tarih < ? ORDER BY 1, o.tarih")
                     .arg(kapsamKosulu(arayan(bilgi), QStringLiteral("o.carino"))));
    s.bagla(std::floor(tarih1)).bagla(std::floor(tarih2) + 1).calistir();
    Sorgu l(m_m, QStringLiteral("SELECT miktar, birimfiyat, ind1, ind2, ind3, ind4, kdv FROM "
                                "siparissatirlari WHERE idno = ?"));
    while (s.sonraki()) {
        double vergi = 0, net = 0, tutar = 0;
        l.bagla(s.tamsayi(1)).calistir();
        while (l.sonraki()) {
            const double r[4] = {l.sayi(2), l.sayi(3), l.sayi(4), l.sayi(5)};
            const Tutarlar u = hesapla(l.sayi(0), l.sayi(1), r, l.sayi(6));
            vergi = yuvarla2(vergi + u.vergi);
            net = yuvarla2(net + u.net);
            tutar = yuvarla2(tutar + u.tutar);
        }
        Satir(t) << s.metin(0) << double(s.tamsayi(1)) << s.tamsayi(2) << std::floor(s.sayi(3))
                 << QStringLiteral("TL") << 1.0 << s.tamsayi(4) << s.metin(5) << s.metin(6)
                 << s.metin(7) << s.metin(8) << s.metin(9) << siparisDurumu(int(s.tamsayi(10)))
                 << s.metin(11) << vergi << net << tutar;
    }
    return t;
}

pel::TableData Metotlar::RaporEnCokSatilanStoklar(const TSonucBilgisi& bilgi, double tarih1,
                                                   double tarih2)
{
    pel::TableData t = yeniTablo({{"BARKOD", T, 50}, {"KOD", T, 50}, {"ADI", T, 100},
                                  {"DEPARTMAN", T, 50}, {"MIKTAR", D}, {"NETTUTAR", D},
                                  {"TLVERGI", D}, {"TUTAR", D}});
    if (!std::isfinite(tarih1) || !std::isfinite(tarih2))
        return t;
    Sorgu s(m_m, QStringLiteral(
                     "SELECT l.stokno, st.barkod, st.ureticikodu, st.adi, st.departman, l.miktar, "
                     "l.birimfiyat, l.ind1, l.ind2, l.ind3, l.ind4, l.kdv FROM siparissatirlari l "
                     "JOIN siparisler o ON o.idno = l.idno JOIN stoklar st ON st.stokno = l.stokno "
                     "WHERE (%1) AND o.tarih >= ? AND o.tarih < ?")
                     .arg(kapsamKosulu(arayan(bilgi), QStringLiteral("o.carino"))));
    s.bagla(std::floor(tarih1)).bagla(std::floor(tarih2) + 1).calistir();
    struct Top {
        QString barkod, kod, adi, departman;
        double miktar = 0, net = 0, vergi = 0, tutar = 0;
    };
    std::map<qint64, Top> toplamlar;
    while (s.sonraki()) {
        Top& tp = toplamlar[s.tamsayi(0)];
        tp.barkod = s.metin(1);
        tp.kod = s.metin(2);
        tp.adi = s.metin(3);
        tp.departman = s.metin(4);
        const double r[4] = {s.sayi(7), s.sayi(8), s.sayi(9), s.sayi(10)};
        const Tutarlar u = hesapla(s.sayi(5), s.sayi(6), r, s.sayi(11));
        tp.miktar += s.sayi(5);
        tp.net = yuvarla2(tp.net + u.net);
        tp.vergi = yuvarla2(tp.vergi + u.vergi);
        tp.tutar = yuvarla2(tp.tutar + u.tutar);
    }
    std::vector<const Top*> sirali;
    for (const auto& [no, tp] : toplamlar)
        sirali.push_back(&tp);
    std::stable_sort(sirali.begin(), sirali.end(),
                     [](const Top* a, const Top* b) { return a->miktar > b->miktar; });
    for (size_t i = 0; i < sirali.size() && i < 200; ++i) {
        const Top& tp = *sirali[i];
        Satir(t) << tp.barkod << tp.kod << tp.adi << tp.departman << tp.miktar << tp.net << tp.vergi
                 << tp.tutar;
    }
    return t;
}

QByteArray Metotlar::RaporGetir(qint32 raporno, qint32 bolum, qint32 idno, qint32 carino,
                                const QString& saticiadi, double tarih1, double tarih2)
{
    Q_UNUSED(bolum) Q_UNUSED(idno)
    if (!std::isfinite(tarih1) || !std::isfinite(tarih2))
        throw pel::Error(QStringLiteral("Rapor tarihleri geçersiz."));
    const QString t1 = pel::fromDayCount(std::floor(tarih1)).date().toString(QStringLiteral("dd.MM.yyyy"));
    const QString t2 = pel::fromDayCount(std::floor(tarih2)).date().toString(QStringLiteral("dd.MM.yyyy"));
    if (raporno == 6 && carino > 0) {
        Sorgu c(m_m, QStringLiteral("SELECT carikod, cariadi, yetkili, il, vade FROM cariler WHERE carino = ?"));
        c.bagla(carino).calistir();
        if (!c.sonraki())
            throw pel::Error(QStringLiteral("Cari bulunamadı."));
        const QString baslik = QStringLiteral("Cari Özeti");
        const QString alt = QStringLiteral("%1 %2  -  Tarih: %3").arg(c.metin(0), c.metin(1), t1);
        QList<QStringList> satirlar;
        Sorgu e(m_m, QStringLiteral("SELECT tarih, turadi, evrak, borc, alacak FROM ekstre WHERE carino = ? "
                                    "AND tarih < ? ORDER BY tarih, idno"));
        e.bagla(carino).bagla(std::floor(tarih1) + 1).calistir();
        double b = 0;
        while (e.sonraki()) {
            b = yuvarla2(b + e.sayi(3) - e.sayi(4));
            satirlar << QStringList{pel::fromDayCount(e.sayi(0)).date().toString(QStringLiteral("dd.MM.yyyy")),
                                    e.metin(1), e.metin(2), tlBicim(e.sayi(3)), tlBicim(e.sayi(4)),
                                    tlBicim(b)};
        }
        return pdfYaz(baslik, alt, {QStringLiteral("Tarih"), QStringLiteral("Tür"), QStringLiteral("Evrak No"),
                                    QStringLiteral("Borç"), QStringLiteral("Alacak"), QStringLiteral("Bakiye")},
                      satirlar,
                      {QStringLiteral("Bakiye: %1 TL %2").arg(tlBicim(std::abs(b)),
                                                            b > 0 ? QStringLiteral("(B)") : b < 0 ? QStringLiteral("(A)") : QString()),
                       QStringLiteral("Vade: %1 gün").arg(c.tamsayi(4))});
    }
    if (raporno == 6) {
        // Receivables of all customers, or of one representative's.
        QString kosul = QStringLiteral("1");
        QVariantList degerler;
        if (saticiadi.trimmed() != QStringLiteral(".") && !saticiadi.trimmed().isEmpty()) {
            kosul = QStringLiteral("c.saticino IN (SELECT saticino FROM saticilar WHERE adi = ?1 UNION "
                                   "SELECT saticino FROM cihazlar WHERE adi = ?1)");
            degerler << saticiadi.trimmed();
        }
        Sorgu s(m_m, QStringLiteral("SELECT c.carino, c.carikod, c.cariadi, c.vade FROM cariler c "
                                    "WHERE %1 ORDER BY c.carikod").arg(kosul));
        for (const QVariant& v : degerler)
            s.bagla(v);
        s.calistir();
        QList<QStringList> satirlar;
        double toplam = 0;
        struct C { qint64 no; QString kod, adi; qint64 vade; };
        QList<C> cl;
        while (s.sonraki())
            cl << C{s.tamsayi(0), s.metin(1), s.metin(2), s.tamsayi(3)};
        for (const C& c : cl) {
            const double b = cariBakiye(qint32(c.no));
            if (std::abs(b) < 0.005)
                continue;
            toplam = yuvarla2(toplam + b);
            satirlar << QStringList{c.kod, c.adi, QString::number(c.vade), tlBicim(b)};
        }
        return pdfYaz(QStringLiteral("Cari Toplu Alacak Vadeleri"),
                      QStringLiteral("Tarih: %1  -  Satıcı: %2").arg(t1, saticiadi),
                      {QStringLiteral("Cari Kod"), QStringLiteral("Cari Adı"), QStringLiteral("Vade"),
                       QStringLiteral("Bakiye")},
                      satirlar, {QStringLiteral("Toplam alacak: %1 TL").arg(tlBicim(toplam))});
    }
    if (raporno == 7) {
        Sorgu c(m_m, QStringLiteral("SELECT carikod, cariadi FROM cariler WHERE carino = ?"));
        c.bagla(carino).calistir();
        if (!c.sonraki())
            throw pel::Error(QStringLiteral("Cari bulunamadı."));
        Sorgu e(m_m, QStringLiteral("SELECT strftime('%Y-%m', tarih + 2415018.5), SUM(borc), SUM(alacak) "
                                    "FROM ekstre WHERE carino = ? AND tarih >= ? AND tarih < ? "
                                    "GROUP BY 1 ORDER BY 1"));
        e.bagla(carino).bagla(std::floor(tarih1)).bagla(std::floor(tarih2) + 1).calistir();
        QList<QStringList> satirlar;
        double satis = 0, tahsilat = 0;
        while (e.sonraki()) {
            satis = yuvarla2(satis + e.sayi(1));
            tahsilat = yuvarla2(tahsilat + e.sayi(2));
            satirlar << QStringList{e.metin(0), tlBicim(e.sayi(1)), tlBicim(e.sayi(2))};
        }
        return pdfYaz(QStringLiteral("Cari Alış Satış Tablosu"),
                      QStringLiteral("%1 %2  -  %3 / %4  -  Satıcı: %5").arg(c.metin(0), c.metin(1), t1, t2, saticiadi),
                      {QStringLiteral("Ay"), QStringLiteral("Satış (Borç)"), QStringLiteral("Tahsilat (Alacak)")},
                      satirlar,
                      {QStringLiteral("Toplam satış: %1 TL").arg(tlBicim(satis)),
                       QStringLiteral("Toplam tahsilat: %1 TL").arg(tlBicim(tahsilat))});
    }
    throw pel::Error(QStringLiteral("Rapor bulunamadı: %1").arg(raporno));
}

std::optional<TMobilCariBilgisi> Metotlar::MobilCariBilgisiGetir(qint32 sirano, const QString& idsi)
{
    Q_UNUSED(sirano)
    Sorgu s(m_m, QStringLiteral(
                     "SELECT d.adi, d.sifre, d.mail, d.carino, COALESCE(c.carikod, ''), "
                     "COALESCE(c.cariadi, ''), COALESCE(c.adres1, ''), COALESCE(c.adres2, ''), "
                     "COALESCE(c.ilce, ''), COALESCE(c.il, ''), COALESCE(c.ulke, ''), "
                     "COALESCE(c.tel1, ''), COALESCE(c.tel2, ''), COALESCE(c.fax1, ''), "
                     "COALESCE(c.fax2, ''), COALESCE(c.gsm, ''), COALESCE(c.email, ''), "
                     "COALESCE(c.vergidairesi, ''), COALESCE(c.vergino, ''), COALESCE(c.yetkili, ''), "
                     "COALESCE(c.anagrup, ''), COALESCE(c.altgrup, ''), COALESCE(c.ozelkod, ''), "
                     "COALESCE(t.adi, ''), COALESCE(t.telefon, ''), COALESCE(t.mail, '') "
                     "FROM cihazlar d LEFT JOIN cariler c ON c.carino = d.carino "
                     "LEFT JOIN saticilar t ON t.saticino = COALESCE(c.saticino, d.saticino) "
                     "WHERE d.bilgisayarid = ?"));
    s.bagla(idsi.trimmed()).calistir();
    if (idsi.trimmed().isEmpty() || !s.sonraki())
        return std::nullopt;
    TMobilCariBilgisi m;
    const qint32 carino = qint32(s.tamsayi(3));
    m.SetBILGISAYARID(idsi.trimmed());
    m.SetKULLANICIADI(s.metin(0));
    m.SetSIFRE(s.metin(1));
    m.SetMAIL(s.metin(2));
    m.SetCARINO(carino);
    m.SetCARIKOD(s.metin(4));
    m.SetCARIADI(s.metin(5));
    m.SetADRES1(s.metin(6));
    m.SetADRES2(s.metin(7));
    m.SetILCE(s.metin(8));
    m.SetSEHIR(s.metin(9));
    m.SetULKE(s.metin(10));
    m.SetTEL1(s.metin(11));
    m.SetTEL2(s.metin(12));
    m.SetFAX1(s.metin(13));
    m.SetFAX2(s.metin(14));
    m.SetGSM(s.metin(15));
    m.SetEMAIL(s.metin(16));
    m.SetVERGIDAIRESI(s.metin(17));
    m.SetVERGINO(s.metin(18));
    m.SetYETKILI(s.metin(19));
    m.SetAnaGrup(s.metin(20));
    m.SetAltGrup(s.metin(21));
    m.SetOzelKod(s.metin(22));
    m.SetSATICIADI(s.metin(23));
    m.SetSATICITELEFON(s.metin(24));
    m.SetSATICIMAIL(s.metin(25));
    if (carino > 0) {
        Sorgu e(m_m, QStringLiteral("SELECT COALESCE(SUM(borc), 0), COALESCE(SUM(alacak), 0) FROM ekstre WHERE carino = ?"));
        e.bagla(carino).calistir();
        if (e.sonraki()) {
            m.SetTLBORC(yuvarla2(e.sayi(0)));
            m.SetTLALACAK(yuvarla2(e.sayi(1)));
            m.SetTLBAKIYE(yuvarla2(e.sayi(0) - e.sayi(1)));
        }
    }
    return m;
}

namespace {
const char* const kMailAlanlari[] = {"idsi",  "baslik",  "firmaadi", "adres1", "adres2", "ilce",
                                     "sehir", "telefon", "fax",      "vd",     "vn",     "yetkili",
                                     "kullaniciadi", "sifre", "mail", "kargoambar"};
}

qint32 Metotlar::MailGonserCari(const QStringList& alanlar)
{
    return MailGonserCariNormal(alanlar, QString());
}

qint32 Metotlar::MailGonserCariNormal(const QStringList& alanlar, const QString& konu)
{
    if (alanlar.size() != 16)
        return 0;
    QStringList satirlar;
    for (int i = 2; i < 16; ++i)
        satirlar << QStringLiteral("%1: %2").arg(QLatin1String(kMailAlanlari[i]), kirp(alanlar[i], 1000));
    if (!konu.isEmpty())
        satirlar << QStringLiteral("konu: %1").arg(kirp(konu, 20000));
    m_m.islem([&] {
        Sorgu s(m_m, QStringLiteral("INSERT INTO istekler(zaman, tur, bilgisayarid, baslik, icerik) "
                                    "VALUES(?, ?, ?, ?, ?)"));
        s.bagla(bugunSayi()).bagla(konu.isEmpty() ? QStringLiteral("kayit") : QStringLiteral("mail"));
        s.bagla(kirp(alanlar[0], 200)).bagla(kirp(alanlar[1], 500)).bagla(satirlar.join(u'\n')).calistir();
    });
    return 1;
}

void Metotlar::webIstegiKaydet(const QString& bilgisayarId, const QString& icerik, const QString& adres)
{
    m_m.islem([&] {
        Sorgu s(m_m, QStringLiteral("INSERT INTO istekler(zaman, tur, bilgisayarid, baslik, icerik, adres) "
                                    "VALUES(?, 'web', ?, 'İstek Formu', ?, ?)"));
        s.bagla(bugunSayi()).bagla(kirp(bilgisayarId, 200)).bagla(kirp(icerik, 20000)).bagla(kirp(adres, 64));
        s.calistir();
    });
}

} // namespace pelsrv
