#include "ornekveri.h"

#include "medya.h"
#include "turkce.h"

#include "platform/datetime.h"
#include "platform/error.h"

#include <QSqlQuery>

#include <cmath>

namespace pelsrv {

namespace {

// splitmix64: the same numbers on every platform.
class Zar {
public:
    explicit Zar(quint64 tohum) : m_s(tohum) {}
    quint64 sonraki()
    {
        quint64 z = (m_s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int aralik(int alt, int ust) { return alt + int(sonraki() % quint64(ust - alt + 1)); }
    template <class T, size_t N> const T& sec(const T (&dizi)[N]) { return dizi[sonraki() % N]; }
    bool olasilik(int yuzde) { return int(sonraki() % 100) < yuzde; }

private:
    quint64 m_s;
};

struct Parca {
    const char16_t* adi;
    const char16_t* digerAdi;
    const char16_t* grup;
    const char16_t* birim;
    int fiyatAlt, fiyatUst;
};

const Parca kParcalar[] = {
    {u"FREN BALATASI ÖN", u"BRAKE PAD FRONT", u"FREN SİSTEMİ", u"TAKIM", 450, 1900},
    {u"FREN BALATASI ARKA", u"BRAKE PAD REAR", u"FREN SİSTEMİ", u"TAKIM", 380, 1600},
    {u"FREN DİSKİ ÖN", u"BRAKE DISC FRONT", u"FREN SİSTEMİ", u"ADET", 700, 3200},
    {u"FREN DİSKİ ARKA", u"BRAKE DISC REAR", u"FREN SİSTEMİ", u"ADET", 600, 2800},
    {u"FREN KALİPERİ ÖN SAĞ", u"BRAKE CALIPER", u"FREN SİSTEMİ", u"ADET", 1500, 5200},
    {u"ABS SENSÖRÜ ÖN", u"ABS SENSOR", u"FREN SİSTEMİ", u"ADET", 350, 1400},
    {u"YAĞ FİLTRESİ", u"OIL FILTER", u"FİLTRE", u"ADET", 90, 420},
    {u"HAVA FİLTRESİ", u"AIR FILTER", u"FİLTRE", u"ADET", 120, 560},
    {u"POLEN FİLTRESİ", u"CABIN FILTER", u"FİLTRE", u"ADET", 95, 380},
    {u"YAKIT FİLTRESİ", u"FUEL FILTER", u"FİLTRE", u"ADET", 150, 900},
    {u"DEBRİYAJ SETİ", u"CLUTCH KIT", u"ŞANZIMAN", u"SET", 2500, 9800},
    {u"DEBRİYAJ RULMANI", u"RELEASE BEARING", u"ŞANZIMAN", u"ADET", 450, 1800},
    {u"VOLANT", u"FLYWHEEL", u"ŞANZIMAN", u"ADET", 4200, 14500},
    {u"AMORTİSÖR ÖN", u"SHOCK ABSORBER FRONT", u"SÜSPANSİYON", u"ADET", 900, 3600},
    {u"AMORTİSÖR ARKA", u"SHOCK ABSORBER REAR", u"SÜSPANSİYON", u"ADET", 750, 3000},
    {u"ROT BAŞI", u"TIE ROD END", u"SÜSPANSİYON", u"ADET", 180, 760},
    {u"ROT MİLİ", u"AXIAL JOINT", u"SÜSPANSİYON", u"ADET", 220, 880},
    {u"SALINCAK ÖN SAĞ", u"CONTROL ARM RIGHT", u"SÜSPANSİYON", u"ADET", 650, 2600},
    {u"SALINCAK ÖN SOL", u"CONTROL ARM LEFT", u"SÜSPANSİYON", u"ADET", 650, 2600},
    {u"Z ROT", u"STABILISER LINK", u"SÜSPANSİYON", u"ADET", 150, 620},
    {u"HELEZON YAY ÖN", u"COIL SPRING", u"SÜSPANSİYON", u"ADET", 500, 1900},
    {u"TRİGER SETİ", u"TIMING BELT KIT", u"MOTOR", u"SET", 1400, 5600},
    {u"DEVİRDAİM POMPASI", u"WATER PUMP", u"SOĞUTMA", u"ADET", 800, 3400},
    {u"RADYATÖR", u"RADIATOR", u"SOĞUTMA", u"ADET", 1800, 7200},
    {u"TERMOSTAT", u"THERMOSTAT", u"SOĞUTMA", u"ADET", 250, 1100},
    {u"FAN MOTORU", u"RADIATOR FAN", u"SOĞUTMA", u"ADET", 1600, 5400},
    {u"BUJİ", u"SPARK PLUG", u"ATEŞLEME", u"ADET", 80, 420},
    {u"ATEŞLEME BOBİNİ", u"IGNITION COIL", u"ATEŞLEME", u"ADET", 600, 2400},
    {u"KIZDIRMA BUJİSİ", u"GLOW PLUG", u"ATEŞLEME", u"ADET", 220, 780},
    {u"MARŞ MOTORU", u"STARTER MOTOR", u"ELEKTRİK", u"ADET", 3200, 9800},
    {u"ŞARJ DİNAMOSU", u"ALTERNATOR", u"ELEKTRİK", u"ADET", 3800, 12500},
    {u"AKÜ 60 AH", u"BATTERY 60AH", u"ELEKTRİK", u"ADET", 2200, 4200},
    {u"V KAYIŞI", u"V-RIBBED BELT", u"MOTOR", u"ADET", 150, 650},
    {u"KAYIŞ GERGİ RULMANI", u"TENSIONER PULLEY", u"MOTOR", u"ADET", 400, 1600},
    {u"MOTOR TAKOZU", u"ENGINE MOUNT", u"MOTOR", u"ADET", 450, 1900},
    {u"SİLİNDİR KAPAK CONTASI", u"CYLINDER HEAD GASKET", u"MOTOR", u"ADET", 350, 1500},
    {u"YAĞ POMPASI", u"OIL PUMP", u"MOTOR", u"ADET", 1200, 4300},
    {u"ENJEKTÖR", u"INJECTOR", u"YAKIT SİSTEMİ", u"ADET", 2800, 9600},
    {u"YAKIT POMPASI", u"FUEL PUMP", u"YAKIT SİSTEMİ", u"ADET", 1400, 5200},
    {u"OKSİJEN SENSÖRÜ", u"LAMBDA SENSOR", u"ELEKTRİK", u"ADET", 900, 3300},
    {u"TEKER RULMANI ÖN", u"WHEEL BEARING FRONT", u"AKTARMA", u"ADET", 500, 2100},
    {u"AKS KÖRÜĞÜ", u"CV BOOT", u"AKTARMA", u"ADET", 120, 480},
    {u"AKS KOMPLE SAĞ", u"DRIVE SHAFT", u"AKTARMA", u"ADET", 2400, 8800},
    {u"EGZOZ SUSTURUCU ARKA", u"REAR SILENCER", u"EGZOZ", u"ADET", 700, 2800},
    {u"KATALİTİK KONVERTÖR", u"CATALYTIC CONVERTER", u"EGZOZ", u"ADET", 4500, 16000},
    {u"SİLECEK SÜPÜRGESİ", u"WIPER BLADE", u"AKSESUAR", u"TAKIM", 160, 620},
    {u"FAR SAĞ", u"HEADLAMP RIGHT", u"AYDINLATMA", u"ADET", 1800, 7600},
    {u"STOP LAMBASI SOL", u"TAIL LAMP LEFT", u"AYDINLATMA", u"ADET", 700, 2700},
    {u"KLİMA KOMPRESÖRÜ", u"AC COMPRESSOR", u"KLİMA", u"ADET", 6500, 19800},
    {u"HİDROLİK DİREKSİYON POMPASI", u"POWER STEERING PUMP", u"DİREKSİYON", u"ADET", 2600, 9200},
    {u"MOTOR YAĞI 5W30 4 LT", u"ENGINE OIL 5W30", u"YAĞ", u"LİTRE", 650, 1450},
    {u"ANTİFRİZ 3 LT", u"ANTIFREEZE", u"YAĞ", u"LİTRE", 180, 420},
};

struct Arac {
    const char16_t* model;
    int oemStil; // layout of the maker's part numbers
};

const Arac kAraclar[] = {
    {u"FIAT DOBLO 1.3 MJT", 0},   {u"FIAT EGEA 1.4", 0},        {u"FIAT LİNEA 1.3 MJT", 0},
    {u"RENAULT CLIO IV 1.5 DCI", 1}, {u"RENAULT MEGANE III 1.5 DCI", 1},
    {u"DACIA DUSTER 1.5 DCI", 1}, {u"VW PASSAT B6 1.6 TDI", 2}, {u"VW GOLF VII 1.4 TSI", 2},
    {u"VW CADDY 2.0 TDI", 2},     {u"FORD TRANSIT 2.2 TDCI", 3}, {u"FORD FOCUS III 1.6", 3},
    {u"FORD COURIER 1.5 TDCI", 3}, {u"TOYOTA COROLLA 1.6", 4},  {u"HYUNDAI ACCENT BLUE 1.6", 4},
    {u"OPEL ASTRA J 1.6", 5},     {u"PEUGEOT 301 1.6 HDI", 5},  {u"CITROEN BERLINGO 1.6 HDI", 5},
    {u"MERCEDES SPRINTER 313", 2}, {u"TOFAŞ ŞAHİN 1.6", 0},      {u"HONDA CIVIC 1.6", 4},
};

struct Marka {
    const char16_t* adi;
    const char16_t* onek;
};

const Marka kMarkalar[] = {
    {u"BOSCH", u"0 986 "},    {u"VALEO", u"8"},         {u"MANN FILTER", u"W "},
    {u"SACHS", u"3000 "},     {u"TRW", u"GDB"},         {u"LEMFÖRDER", u"3"},
    {u"FEBI", u"1"},          {u"MAHLE", u"OC "},       {u"NGK", u"BKR"},
    {u"GATES", u"K0"},        {u"SKF", u"VKBA "},       {u"BREMBO", u"P "},
    {u"DELPHI", u"LP"},       {u"CONTINENTAL", u"CT"},  {u"HELLA", u"1EL "},
    {u"KALE OTO", u"KL-"},    {u"MOTORSAN", u"MTS-"},   {u"ORJİNAL", u"OE-"},
};

const char16_t* const kOzelKodlar[] = {u"A1", u"A2", u"B1", u"B2", u"C1", u"İTHAL", u"YERLİ"};

QString ean13(const QString& on12)
{
    int t = 0;
    for (int i = 0; i < 12; ++i)
        t += (on12[i].unicode() - u'0') * ((i % 2) ? 3 : 1);
    return on12 + QChar(u'0' + (10 - t % 10) % 10);
}

QString oemNumarasi(Zar& z, int stil)
{
    auto r = [&](int basamak) {
        QString s;
        for (int i = 0; i < basamak; ++i)
            s += QChar(u'0' + z.aralik(0, 9));
        return s;
    };
    switch (stil) {
    case 0: return QStringLiteral("5") + r(7);                                   // Fiat
    case 1: return QStringLiteral("77 01 ") + r(3) + u' ' + r(3);                // Renault
    case 2: {                                                                    // VAG
        static const char16_t* h[] = {u"1K0", u"3C0", u"5Q0", u"2K5", u"7E0"};
        return QString::fromUtf16(z.sec(h)) + u' ' + r(3) + u' ' + r(3) + QStringLiteral(" A");
    }
    case 3: return r(7);                                                         // Ford
    case 4: return QStringLiteral("04465-") + r(5);                              // Toyota
    default: return QStringLiteral("16 ") + r(2) + u' ' + r(3) + u' ' + r(2);   // PSA/Opel
    }
}

struct Satici {
    const char16_t* adi;
    const char16_t* telefon;
    const char16_t* mail;
};

const Satici kSaticilar[] = {
    {u"AHMET YILMAZ", u"0532 411 20 31", u"ahmet.yilmaz@pelmora.com.tr"},
    {u"MEHMET KAYA", u"0533 512 40 22", u"mehmet.kaya@pelmora.com.tr"},
    {u"AYŞE DEMİR", u"0542 613 55 10", u"ayse.demir@pelmora.com.tr"},
    {u"MUSTAFA ÇELİK", u"0505 714 66 48", u"mustafa.celik@pelmora.com.tr"},
    {u"FATMA ŞAHİN", u"0544 815 77 93", u"fatma.sahin@pelmora.com.tr"},
};

const char16_t* const kFirmaAdlari[] = {
    u"ÖZDEMİR OTO YEDEK PARÇA", u"KARADENİZ OTOMOTİV", u"GÜNEŞ OTO SERVİS", u"YILDIZ OTO",
    u"ERDOĞAN MOTOR", u"ÇAĞDAŞ OTO ELEKTRİK", u"AKDENİZ YEDEK PARÇA", u"DOĞAN OTO BAKIM",
    u"ŞİMŞEK FREN", u"EGE OTO YEDEK", u"ANADOLU OTOMOTİV", u"BOZKURT OTO", u"TÜRKMEN MOTOR",
    u"ÖZKAN OTO SANAYİ", u"ARSLAN OTO PARÇA", u"KILIÇ OTO TAMİR", u"ATLAS YEDEK PARÇA",
    u"MARMARA OTO", u"KORKMAZ OTOMOTİV", u"UÇAR OTO SERVİS",
};
const char16_t* const kUnvanlar[] = {u"LTD. ŞTİ.", u"SAN. TİC. LTD. ŞTİ.", u"A.Ş.", u"TİC."};
const char16_t* const kKisiler[] = {
    u"HASAN ÖZTÜRK", u"ALİ KOÇ",      u"HÜSEYİN AYDIN", u"İBRAHİM ARSLAN", u"OSMAN DOĞAN",
    u"EMRE ŞEN",     u"MURAT ÇETİN",  u"SERKAN YURT",  u"GÖKHAN ERDEM",   u"CEM GÜLER",
};
struct Sehir {
    const char16_t* il;
    const char16_t* ilce;
    const char16_t* vd;
    const char16_t* alan;
};
const Sehir kSehirler[] = {
    {u"İSTANBUL", u"İKİTELLİ", u"İKİTELLİ V.D.", u"0212"}, {u"ANKARA", u"OSTİM", u"OSTİM V.D.", u"0312"},
    {u"İZMİR", u"BORNOVA", u"BORNOVA V.D.", u"0232"},      {u"BURSA", u"NİLÜFER", u"NİLÜFER V.D.", u"0224"},
    {u"KONYA", u"KARATAY", u"MEVLANA V.D.", u"0332"},      {u"ADANA", u"SEYHAN", u"5 OCAK V.D.", u"0322"},
    {u"SAMSUN", u"İLKADIM", u"GAZİLER V.D.", u"0362"},     {u"TRABZON", u"ORTAHİSAR", u"KARADENİZ V.D.", u"0462"},
    {u"ANTALYA", u"KEPEZ", u"DÜDEN V.D.", u"0242"},        {u"KAYSERİ", u"MELİKGAZİ", u"ERCİYES V.D.", u"0352"},
};

QString tel(Zar& z, const char16_t* alan)
{
    return QString::fromUtf16(alan) + QStringLiteral(" %1 %2 %3")
                                          .arg(z.aralik(200, 799))
                                          .arg(z.aralik(10, 99))
                                          .arg(z.aralik(10, 99));
}

const char* const kSilinecekler[] = {
    "sanalpos", "tahsilatlar", "faturasatirlari", "ekstre", "siparissatirlari", "siparisler",
    "sepet", "kargolar", "kargoturleri", "teslimler", "ekranlar", "bannerlar", "cihazlar",
    "stokara", "stoklar", "resimler", "cariler", "saticilar",
};

struct Cari {
    qint64 carino;
    int saticino;
    double ind[4];
    int vade;
    QString yetkili;
};

struct StokOzet {
    qint64 stokno;
    QString barkod, adi;
    double fiyat, kdv;
    int k;
};

} // namespace

QList<CihazKaydi> demoCihazlari()
{
    const QString sifre = QStringLiteral("1234");
    QList<CihazKaydi> l;
    auto ekle = [&](const char* id, const char* ad, int tip, const char* cari, bool aktif, int satici) {
        CihazKaydi k;
        k.bilgisayarId = QString::fromLatin1(id);
        k.kullanici = QString::fromLatin1(ad);
        k.sifre = sifre;
        k.tip = tip;
        k.cariKod = QString::fromLatin1(cari);
        k.aktif = aktif;
        k.saticiNo = satici;
        k.mail = k.kullanici.toLower() + QStringLiteral("@ornek-bayi.com.tr");
        l << k;
    };
    ekle("DEMO-MUSTERI", "MUSTERI", 0, "120.01.001", true, 0);
    ekle("DEMO-TEMSILCI", "TEMSILCI", 1, "", true, 1);
    ekle("DEMO-TEMSILCI2", "TEMSILCI2", 2, "", true, 2);
    ekle("DEMO-KISITLI", "KISITLI", 3, "120.01.002", true, 0);
    ekle("DEMO-KAMPANYASIZ", "KAMPANYASIZ", 4, "120.01.003", true, 0);
    ekle("DEMO-PASIF", "PASIF", 0, "120.01.004", false, 0);
    return l;
}

void ornekVeriKur(Magaza& m, int stokAdedi, QDate bugun)
{
    if (stokAdedi < 1 || stokAdedi > 1000000)
        throw pel::Error(QStringLiteral("Stok adedi 1 ile 1000000 arasında olmalı."));
    const double gun0 = pel::toDayCount(bugun);
    Zar z(0x50454C4D4F5241ull ^ quint64(stokAdedi));

    // Workstations registered by hand, kept across the rebuild.
    QList<CihazKaydi> elle;
    {
        const QStringList demoIdler = [] {
            QStringList l;
            for (const auto& d : demoCihazlari())
                l << d.bilgisayarId;
            return l;
        }();
        Sorgu s(m, QStringLiteral("SELECT c.bilgisayarid, c.adi, c.sifre, c.tip, k.carikod, c.aktif, "
                                  "c.mail FROM cihazlar c LEFT JOIN cariler k ON k.carino = c.carino"));
        s.calistir();
        while (s.sonraki()) {
            CihazKaydi k;
            k.bilgisayarId = s.metin(0);
            k.kullanici = s.metin(1);
            k.sifre = s.metin(2);
            k.tip = int(s.tamsayi(3));
            k.cariKod = s.metin(4);
            k.aktif = s.tamsayi(5) != 0;
            k.mail = s.metin(6);
            if (!demoIdler.contains(k.bilgisayarId))
                elle << k;
        }
    }

    m.islem([&] {
        QSqlDatabase db = m.db();
        for (const char* t : kSilinecekler)
            calistir(db, QStringLiteral("DELETE FROM %1").arg(QLatin1String(t)));
        calistir(db, QStringLiteral("DELETE FROM sqlite_sequence"));

        // Sales representatives.
        {
            int no = 1;
            for (const auto& st : kSaticilar) {
                Sorgu t(m, QStringLiteral("INSERT INTO saticilar(saticino, adi, telefon, mail) VALUES(?, ?, ?, ?)"));
                t.bagla(no++).bagla(QString::fromUtf16(st.adi)).bagla(QString::fromUtf16(st.telefon));
                t.bagla(QString::fromUtf16(st.mail)).calistir();
            }
        }

        // Customers.
        QList<Cari> cariler;
        {
            const int adet = 60;
            for (int i = 1; i <= adet; ++i) {
                Cari c;
                c.carino = i;
                c.saticino = (i - 1) % int(std::size(kSaticilar)) + 1;
                static const double r1[] = {10, 15, 20, 25};
                static const double r2[] = {0, 5, 10};
                static const double r3[] = {0, 0, 2.5, 5};
                static const double r4[] = {0, 0, 0, 1};
                c.ind[0] = z.sec(r1);
                c.ind[1] = z.sec(r2);
                c.ind[2] = z.sec(r3);
                c.ind[3] = z.sec(r4);
                static const int vadeler[] = {30, 45, 60, 90};
                c.vade = z.sec(vadeler);
                c.yetkili = QString::fromUtf16(z.sec(kKisiler));
                const Sehir& sh = kSehirler[(i * 7) % std::size(kSehirler)];
                QString ad = i == 1 ? QStringLiteral("DEMO OTO YEDEK PARÇA")
                                    : QString::fromUtf16(kFirmaAdlari[(i - 2) % std::size(kFirmaAdlari)]);
                if (i > 1 + int(std::size(kFirmaAdlari)))
                    ad += QStringLiteral(" ") + QString::fromUtf16(sh.il);
                ad += u' ' + QString::fromUtf16(z.sec(kUnvanlar));
                const QString kod = QStringLiteral("120.01.%1").arg(i, 3, 10, QChar(u'0'));
                Sorgu s(m, QStringLiteral(
                               "INSERT INTO cariler(carino, carikod, cariadi, saticino, yetkili, ozelkod, "
                               "anagrup, altgrup, adres1, adres2, ilce, il, vergidairesi, vergino, tel1, "
                               "tel2, fax1, fax2, gsm, email, vade, ind1, ind2, ind3, ind4, katla) "
                               "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
                s.bagla(c.carino).bagla(kod).bagla(ad).bagla(c.saticino).bagla(c.yetkili);
                s.bagla(i % 3 == 0 ? QStringLiteral("BAYİ") : QStringLiteral("SERVİS"));
                s.bagla(i % 2 ? QStringLiteral("TOPTAN") : QStringLiteral("PERAKENDE"));
                s.bagla(QStringLiteral("BÖLGE %1").arg((i % 4) + 1));
                s.bagla(QStringLiteral("%1 SANAYİ SİTESİ %2. BLOK NO:%3")
                            .arg(QString::fromUtf16(sh.ilce))
                            .arg(z.aralik(1, 12))
                            .arg(z.aralik(1, 80)));
                s.bagla(i % 2 ? QStringLiteral("OTO YEDEK PARÇA ÇARŞISI") : QString());
                s.bagla(QString::fromUtf16(sh.ilce)).bagla(QString::fromUtf16(sh.il));
                s.bagla(QString::fromUtf16(sh.vd)).bagla(QStringLiteral("%1").arg(1000000000 + i * 7919));
                s.bagla(tel(z, sh.alan)).bagla(i % 3 ? QString() : tel(z, sh.alan));
                s.bagla(tel(z, sh.alan)).bagla(QString());
                s.bagla(QStringLiteral("05%1 %2 %3 %4").arg(z.aralik(30, 55)).arg(z.aralik(100, 999)).arg(z.aralik(10, 99)).arg(z.aralik(10, 99)));
                s.bagla(QStringLiteral("info@bayi%1.com.tr").arg(i, 3, 10, QChar(u'0')));
                s.bagla(c.vade).bagla(c.ind[0]).bagla(c.ind[1]).bagla(c.ind[2]).bagla(c.ind[3]);
                s.bagla(katla(kod + u' ' + ad + u' ' + c.yetkili)).calistir();
                cariler << c;
            }
        }

        // Items, with pictures for a share of them.
        QList<StokOzet> stoklar;
        stoklar.reserve(stokAdedi);
        {
            Sorgu resim(m, QStringLiteral("INSERT INTO resimler(tip, veri) VALUES('image/jpeg', ?)"));
            for (int i = 1; i <= stokAdedi; ++i) {
                const Parca& p = kParcalar[z.sonraki() % std::size(kParcalar)];
                const Arac& a = kAraclar[z.sonraki() % std::size(kAraclar)];
                const Marka& mk = kMarkalar[z.sonraki() % std::size(kMarkalar)];
                const QString adi = QString::fromUtf16(p.adi);
                const QString barkod = ean13(QStringLiteral("8690%1").arg(i, 8, 10, QChar(u'0')));
                const QString oem1 = oemNumarasi(z, a.oemStil);
                const QString oem2 = z.olasilik(60) ? oemNumarasi(z, a.oemStil) : QString();
                const QString oem3 = z.olasilik(30) ? oemNumarasi(z, a.oemStil) : QString();
                const QString oem4 = z.olasilik(10) ? oemNumarasi(z, a.oemStil) : QString();
                const QString finish = QStringLiteral("%1").arg(1000000 + int(z.sonraki() % 8999999));
                const QString uretici = QString::fromUtf16(mk.onek) +
                                        QStringLiteral("%1").arg(z.aralik(100, 999)) + u' ' +
                                        QStringLiteral("%1").arg(z.aralik(100, 999));
                const double liste =
                    yuvarla2(z.aralik(p.fiyatAlt * 100, p.fiyatUst * 100) / 100.0);
                const int kamp = (i % 13 == 0) ? 1 : 0;
                const double kampFiyat = kamp ? yuvarla2(liste * 0.85) : 0.0;
                const int yeni = (i % 29 == 0 || i > stokAdedi - stokAdedi / 50) ? 1 : 0;
                static const int durumlar[] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 2, 2, 3, 3, 4, 5};
                const int durum = z.sec(durumlar);
                const double kalan = durum == 1 ? z.aralik(1, 250) : 0;
                const double kdv = QString::fromUtf16(p.grup) == QStringLiteral("YAĞ") ? 20 : 18;
                QVariant resimNo;
                if (i % 9 == 0) {
                    resim.bagla(parcaResmi(adi, QString::fromUtf16(mk.adi), barkod, i));
                    resim.calistir();
                    resimNo = resim.sonId();
                }
                const QString pkod = QString::fromUtf16(p.grup).left(3);
                Sorgu s(m, QStringLiteral(
                               "INSERT INTO stoklar(stokno, barkod, adi, oem1, oem2, oem3, oem4, oemno, "
                               "finishkod, ureticikodu, barkodno, digeradi, dpkod, birim, anagrup, ozelkod, "
                               "marka, model, pkod, departman, kdv, listefiyat, kampfiyat, kampanya, yeni, "
                               "durum, kalan, alinansiparis, verilensiparis, resim, katla) VALUES(?, ?, ?, ?, "
                               "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
                const QString oemno = QString(oem1).remove(u' ');
                const QString marka = QString::fromUtf16(mk.adi);
                const QString model = QString::fromUtf16(a.model);
                const QString diger = QString::fromUtf16(p.digerAdi);
                s.bagla(i).bagla(barkod).bagla(adi).bagla(oem1).bagla(oem2).bagla(oem3).bagla(oem4);
                s.bagla(oemno).bagla(finish).bagla(uretici).bagla(QStringLiteral("B%1").arg(i));
                s.bagla(diger).bagla(QStringLiteral("DP%1").arg(i % 50000, 5, 10, QChar(u'0')));
                s.bagla(QString::fromUtf16(p.birim)).bagla(QString::fromUtf16(p.grup));
                s.bagla(QString::fromUtf16(z.sec(kOzelKodlar))).bagla(marka).bagla(model);
                s.bagla(pkod).bagla(QString::fromUtf16(p.grup)).bagla(kdv).bagla(liste);
                s.bagla(kampFiyat).bagla(kamp).bagla(yeni).bagla(durum).bagla(kalan);
                s.bagla(double(z.aralik(0, 30))).bagla(double(z.aralik(0, 120))).bagla(resimNo);
                const QString kodlar = oem1 + u' ' + oem2 + u' ' + oem3 + u' ' + oem4 + u' ' +
                                       finish + u' ' + uretici;
                const QString aranan = katla(barkod + u' ' + adi + u' ' + kodlar + u' ' +
                                             QString(kodlar).remove(u' ') + u' ' + marka + u' ' + model);
                s.bagla(aranan);
                s.calistir();
                Sorgu ara(m, QStringLiteral("INSERT INTO stokara(stokno, katla) VALUES(?, ?)"));
                ara.bagla(i).bagla(aranan).calistir();
                stoklar << StokOzet{i, barkod, adi, kamp ? kampFiyat : liste, kdv, kamp};
            }
        }
        auto rastgeleStok = [&]() -> const StokOzet& {
            return stoklar[int(z.sonraki() % quint64(stoklar.size()))];
        };

        // Delivery kinds, cargo types, carriers.
        calistir(db, QStringLiteral("INSERT INTO teslimler(id, adi) VALUES(1, 'Depodan Teslim'), "
                                    "(2, 'Adrese Teslim'), (3, 'Şubeden Teslim')"));
        calistir(db, QStringLiteral("INSERT INTO kargoturleri(id, adi) VALUES(1, 'Anlaşmalı Kargo'), "
                                    "(2, 'Ambar'), (3, 'Pelmora Servis Aracı')"));
        calistir(db, QStringLiteral(
                         "INSERT INTO kargolar(sirano, tur, adi, uyari) VALUES"
                         "(1, 1, 'Yurtiçi Kargo', 'Saat 16:00''dan sonraki siparişler ertesi gün kargoya verilir.'),"
                         "(2, 1, 'Aras Kargo', ''),"
                         "(3, 1, 'MNG Kargo', 'Ağır parçalarda desi ücreti alıcıya aittir.'),"
                         "(4, 2, 'Özkaraman Ambarı', 'Ambar teslimleri alıcı ödemelidir.'),"
                         "(5, 2, 'Has Anadolu Ambarı', 'Yalnız Anadolu yakası teslim.'),"
                         "(6, 3, 'Pelmora Dağıtım', 'Servis aracı hafta içi 09:00-17:00 arası dağıtım yapar.')"));

        // Previous orders, their lines and open balances; baskets.
        const QString adlar[] = {QStringLiteral("MUSTERI"), QStringLiteral("TEMSILCI")};
        for (const Cari& c : cariler) {
            const int siparisAdet = z.aralik(3, 7);
            for (int o = 0; o < siparisAdet; ++o) {
                const double tarih = gun0 - z.aralik(1, 170) + z.aralik(8, 17) / 24.0;
                const int durum = z.aralik(2, 7);
                const int kargoTur = z.aralik(1, 3);
                const int kargo = kargoTur == 1 ? z.aralik(1, 3) : kargoTur == 2 ? z.aralik(4, 5) : 6;
                const QString veren = o % 3 == 0 ? QString::fromUtf16(kSaticilar[c.saticino - 1].adi) : c.yetkili;
                Sorgu s(m, QStringLiteral(
                               "INSERT INTO siparisler(carino, tarih, teslimid, kargoid, kargofirma, verenid, "
                               "veren, mesaj, alannotu, saticinotu, durum) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
                s.bagla(c.carino).bagla(tarih).bagla(z.aralik(1, 3)).bagla(kargoTur).bagla(kargo);
                s.bagla(0).bagla(veren);
                static const char16_t* mesajlar[] = {u"", u"Acil gönderim rica ederiz.",
                                                     u"Faturayı şirket adına kesiniz.",
                                                     u"Öğleden sonra teslim alınacak.", u""};
                static const char16_t* notlar[] = {u"", u"Eksik ürünler tedarikte.", u"Kargoya verildi.",
                                                   u"Ödeme teyidi alındı.", u""};
                s.bagla(QString::fromUtf16(z.sec(mesajlar))).bagla(QString::fromUtf16(z.sec(notlar)));
                s.bagla(o % 4 == 1 ? QStringLiteral("Müşteri ile telefonda görüşüldü.") : QString());
                s.bagla(durum).calistir();
                const qint64 idno = s.sonId();
                const int satirAdet = z.aralik(1, 6);
                for (int l = 0; l < satirAdet; ++l) {
                    const StokOzet& st = rastgeleStok();
                    const double miktar = z.aralik(1, 12);
                    double teslim = 0;
                    if (durum == 7)
                        teslim = z.olasilik(70) ? miktar : std::floor(miktar / 2);
                    else if (durum == 5)
                        teslim = std::floor(miktar / 2);
                    Sorgu l2(m, QStringLiteral(
                                    "INSERT INTO siparissatirlari(idno, sepetsirano, stokno, barkod, stokadi, "
                                    "miktar, teslimedilen, kalan, birimfiyat, ilkfiyat, ind1, ind2, ind3, "
                                    "ind4, kdv, k, tarih, verenid, veren) VALUES(?, 0, ?, ?, ?, ?, ?, ?, ?, ?, "
                                    "?, ?, ?, ?, ?, ?, ?, 0, ?)"));
                    l2.bagla(idno).bagla(st.stokno).bagla(st.barkod).bagla(st.adi).bagla(miktar);
                    l2.bagla(teslim).bagla(miktar - teslim).bagla(st.fiyat).bagla(st.fiyat);
                    l2.bagla(c.ind[0]).bagla(st.k ? 0.0 : c.ind[1]).bagla(st.k ? 0.0 : c.ind[2]);
                    l2.bagla(st.k ? 0.0 : c.ind[3]).bagla(st.kdv).bagla(st.k).bagla(tarih).bagla(veren);
                    l2.calistir();
                }
            }
            // Baskets: some customers have lines, the demo customers always.
            const int sepetAdet = c.carino <= 3 ? 3 : (c.carino % 4 == 0 ? z.aralik(1, 5) : 0);
            for (int l = 0; l < sepetAdet; ++l) {
                const StokOzet& st = rastgeleStok();
                Sorgu s(m, QStringLiteral(
                               "INSERT INTO sepet(carino, stokno, barkod, stokadi, miktar, birimfiyat, ind1, "
                               "ind2, ind3, ind4, kdv, k, sec, verenid, veren, tarih) VALUES(?, ?, ?, ?, ?, "
                               "?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?)"));
                s.bagla(c.carino).bagla(st.stokno).bagla(st.barkod).bagla(st.adi);
                s.bagla(double(z.aralik(1, 10))).bagla(st.fiyat).bagla(c.ind[0]);
                s.bagla(st.k ? 0.0 : c.ind[1]).bagla(st.k ? 0.0 : c.ind[2]).bagla(st.k ? 0.0 : c.ind[3]);
                s.bagla(st.kdv).bagla(st.k).bagla(l == 0 ? 1 : 0).bagla(c.yetkili);
                s.bagla(gun0 - z.aralik(1, 6) + z.aralik(8, 18) / 24.0).calistir();
            }
        }

        // Account statements: opening balance, invoices, collections.
        qint64 evrakNo = 1;
        int posNo = 1;
        for (const Cari& c : cariler) {
            const QString satici = QString::fromUtf16(kSaticilar[c.saticino - 1].adi);
            auto ekstreEkle = [&](double tarih, const QString& tur, double borc, double alacak,
                                  const QString& aciklama) {
                Sorgu s(m, QStringLiteral("INSERT INTO ekstre(idno, carino, tarih, turadi, evrak, borc, "
                                          "alacak, aciklama, vade, saticino) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
                const qint64 idno = evrakNo++;
                s.bagla(idno).bagla(c.carino).bagla(tarih).bagla(tur);
                s.bagla(QStringLiteral("PLM%1%2").arg(bugun.year()).arg(idno, 6, 10, QChar(u'0')));
                s.bagla(borc).bagla(alacak).bagla(aciklama).bagla(c.vade).bagla(c.saticino).calistir();
                return idno;
            };
            double tarih = gun0 - 200;
            ekstreEkle(tarih, QStringLiteral("Devir"), z.aralik(0, 2000000) / 100.0, 0,
                       QStringLiteral("Önceki dönemden devir"));
            bool kartli = false;
            const int adim = z.aralik(8, 14);
            for (int e = 0; e < adim; ++e) {
                tarih += z.aralik(5, 16);
                const int tur = int(z.sonraki() % 10);
                if (tur < 5) {
                    static const char16_t* faturaTurleri[] = {u"Satış Faturası", u"Satış Faturası",
                                                              u"Toptan Satış Faturası"};
                    const QString ft = QString::fromUtf16(z.sec(faturaTurleri));
                    const qint64 idno = ekstreEkle(tarih, ft, 0, 0, satici + QStringLiteral(" siparişi"));
                    double toplam = 0;
                    const int satir = z.aralik(1, 7);
                    for (int l = 0; l < satir; ++l) {
                        const StokOzet& st = rastgeleStok();
                        const double miktar = z.aralik(1, 10);
                        const double i1 = c.ind[0], i2 = c.ind[1];
                        Sorgu s(m, QStringLiteral("INSERT INTO faturasatirlari(idno, stokno, miktar, "
                                                  "birimfiyat, ind1, ind2, kdv, masraf) VALUES(?, ?, ?, ?, ?, ?, ?, ?)"));
                        s.bagla(idno).bagla(st.stokno).bagla(miktar).bagla(st.fiyat).bagla(i1).bagla(i2);
                        s.bagla(st.kdv).bagla(0.0).calistir();
                        const double net = yuvarla2(iskontoUygula(miktar * st.fiyat, i1, i2, 0, 0));
                        toplam += yuvarla2(net * (1 + st.kdv / 100));
                    }
                    Sorgu u(m, QStringLiteral("UPDATE ekstre SET borc = ? WHERE idno = ?"));
                    u.bagla(yuvarla2(toplam)).bagla(idno).calistir();
                } else if (tur == 5) {
                    const qint64 idno = ekstreEkle(tarih, QStringLiteral("İade Faturası"), 0, 0,
                                                   QStringLiteral("Hasarlı ürün iadesi"));
                    const StokOzet& st = rastgeleStok();
                    Sorgu s(m, QStringLiteral("INSERT INTO faturasatirlari(idno, stokno, miktar, birimfiyat, "
                                              "ind1, ind2, kdv, masraf) VALUES(?, ?, 1, ?, ?, 0, ?, 0)"));
                    s.bagla(idno).bagla(st.stokno).bagla(st.fiyat).bagla(c.ind[0]).bagla(st.kdv).calistir();
                    const double net = yuvarla2(iskontoUygula(st.fiyat, c.ind[0], 0, 0, 0));
                    Sorgu u(m, QStringLiteral("UPDATE ekstre SET alacak = ? WHERE idno = ?"));
                    u.bagla(yuvarla2(net * (1 + st.kdv / 100))).bagla(idno).calistir();
                } else if (tur == 6) {
                    const double tutar = z.aralik(10000, 200000) / 100.0;
                    const qint64 idno = ekstreEkle(tarih, QStringLiteral("Tediye"), tutar, 0,
                                                   QStringLiteral("Fazla ödeme iadesi"));
                    Sorgu s(m, QStringLiteral("INSERT INTO tahsilatlar(idno, cins, vade, tutar, aciklama, ref, "
                                              "saat) VALUES(?, 'Havale', ?, ?, ?, ?, ?)"));
                    s.bagla(idno).bagla(tarih).bagla(tutar).bagla(QStringLiteral("Banka havalesi ile ödendi"));
                    s.bagla(QStringLiteral("HV%1").arg(idno)).bagla(QStringLiteral("11:30")).calistir();
                } else {
                    const bool kart = !kartli || z.olasilik(20);
                    const double tutar = z.aralik(50000, 1500000) / 100.0;
                    const qint64 idno = ekstreEkle(tarih, QStringLiteral("Tahsilat"), 0, tutar,
                                                   kart ? QStringLiteral("Sanal POS ile kredi kartı tahsilatı")
                                                        : QStringLiteral("Tahsilat"));
                    static const char16_t* cinsler[] = {u"Nakit", u"Çek", u"Havale"};
                    const int parca = kart ? 1 : z.aralik(1, 2);
                    for (int pc = 0; pc < parca; ++pc) {
                        const QString cins = kart ? QStringLiteral("Kredi Kartı") : QString::fromUtf16(z.sec(cinsler));
                        Sorgu s(m, QStringLiteral("INSERT INTO tahsilatlar(idno, cins, vade, tutar, aciklama, "
                                                  "ref, saat) VALUES(?, ?, ?, ?, ?, ?, ?)"));
                        s.bagla(idno).bagla(cins).bagla(cins == QStringLiteral("Çek") ? tarih + 60 : tarih);
                        s.bagla(yuvarla2(tutar / parca)).bagla(cins + QStringLiteral(" tahsilatı"));
                        s.bagla(QStringLiteral("R%1-%2").arg(idno).arg(pc + 1));
                        s.bagla(QStringLiteral("%1:%2").arg(z.aralik(9, 17), 2, 10, QChar(u'0')).arg(z.aralik(0, 59), 2, 10, QChar(u'0')));
                        s.calistir();
                    }
                    if (kart) {
                        kartli = true;
                        const QDate d = pel::fromDayCount(tarih).date();
                        const QByteArray pdf = pdfYaz(
                            QStringLiteral("Sanal POS Ödeme Dekontu"),
                            QStringLiteral("Dekont No: %1   Tarih: %2").arg(posNo).arg(d.toString(QStringLiteral("dd.MM.yyyy"))),
                            {QStringLiteral("Açıklama"), QStringLiteral("Değer")},
                            {{QStringLiteral("Cari Kod"), QStringLiteral("120.01.%1").arg(c.carino, 3, 10, QChar(u'0'))},
                             {QStringLiteral("Kart"), QStringLiteral("**** **** **** %1").arg(z.aralik(1000, 9999))},
                             {QStringLiteral("Tutar"), tlBicim(tutar) + QStringLiteral(" TL")},
                             {QStringLiteral("Taksit"), QStringLiteral("Tek Çekim")},
                             {QStringLiteral("Onay Kodu"), QStringLiteral("%1").arg(z.aralik(100000, 999999))}},
                            {QStringLiteral("İşleminiz başarıyla tamamlanmıştır.")});
                        Sorgu s(m, QStringLiteral("INSERT INTO sanalpos(sirano, idno, pdf) VALUES(?, ?, ?)"));
                        s.bagla(posNo++).bagla(idno).bagla(pdf).calistir();
                    }
                }
            }
        }

        // Announcements (kind 1) and opening advertisements (kind 2).
        {
            const StokOzet& ornek = stoklar[std::min<int>(12, int(stoklar.size()) - 1)];
            struct Ekran {
                int tur;
                QString baslik, alt, arama;
                QColor renk;
            };
            const QList<Ekran> ekranlar = {
                {1, QStringLiteral("KAMPANYALI ÜRÜNLER"), QStringLiteral("Seçili ürünlerde %15 ek indirim"),
                 QStringLiteral("#KAMPANYA#"), QColor(170, 20, 30)},
                {1, QStringLiteral("YENİ GELEN ÜRÜNLER"), QStringLiteral("Bu ay stoklarımıza girenler"),
                 QStringLiteral("#YENİ#"), QColor(0, 52, 120)},
                {1, QStringLiteral("FREN BALATALARINDA FIRSAT"), QStringLiteral("Tüm markalarda uygun fiyat"),
                 QStringLiteral("FREN BALATASI"), QColor(20, 110, 60)},
                {1, ornek.adi, QStringLiteral("Parça No: ") + ornek.barkod, ornek.barkod, QColor(190, 90, 0)},
                {1, QStringLiteral("KIŞ BAKIMI"), QStringLiteral("Antifriz ve akü kontrolünü unutmayın"),
                 QString(), QColor(0, 110, 140)},
                {2, QStringLiteral("PELMORA KAMPANYA HAFTASI"), QStringLiteral("Kampanyalı ürünleri inceleyin"),
                 QStringLiteral("#KAMPANYA#"), QColor(150, 20, 30)},
                {2, QStringLiteral("YENİ ÜRÜNLER GELDİ"), QStringLiteral("Yeni stoklarımıza göz atın"),
                 QStringLiteral("#YENİ#"), QColor(0, 52, 120)},
                {2, QStringLiteral("YAĞ FİLTRESİ"), QStringLiteral("Orijinal kalite, uygun fiyat"),
                 QStringLiteral("YAG FILTRESI"), QColor(110, 40, 120)},
            };
            int sira[3] = {0, 0, 0};
            int no = 1;
            for (const Ekran& e : ekranlar) {
                Sorgu s(m, QStringLiteral("INSERT INTO ekranlar(sirano, tur, sira, baslik, arama, resim) "
                                          "VALUES(?, ?, ?, ?, ?, ?)"));
                const bool duyuru = e.tur == 1;
                s.bagla(no++).bagla(e.tur).bagla(sira[e.tur]++).bagla(e.baslik).bagla(e.arama);
                s.bagla(afisResmi(e.baslik, e.alt, e.renk, duyuru ? 800 : 640, duyuru ? 380 : 480));
                s.calistir();
            }
        }

        // Banners: animated GIF in the header, GIF strip, BMP at the bottom.
        {
            QList<QImage> kareler;
            const QString metinler[] = {QStringLiteral("PELMORA OTOMOTİV"), QStringLiteral("B2B SİPARİŞ"),
                                        QStringLiteral("KAMPANYALAR")};
            for (int i = 0; i < 3; ++i)
                kareler << bantKaresi(metinler[i], QColor(0, 52, 120), Qt::white, 300, 60, i * 13);
            Sorgu s(m, QStringLiteral("INSERT INTO bannerlar(no, tip, veri) VALUES(?, ?, ?)"));
            s.bagla(1).bagla(QStringLiteral("image/gif")).bagla(gifYaz(kareler, 150)).calistir();
            QList<QImage> ust;
            ust << bantKaresi(QStringLiteral("Kampanyalı ürünlerde %15'e varan indirim!"), QColor(170, 20, 30),
                              Qt::white, 1000, 70, 0)
                << bantKaresi(QStringLiteral("Siparişleriniz aynı gün kargoda"), QColor(170, 20, 30),
                              Qt::white, 1000, 70, 20);
            Sorgu s2(m, QStringLiteral("INSERT INTO bannerlar(no, tip, veri) VALUES(?, ?, ?)"));
            s2.bagla(2).bagla(QStringLiteral("image/gif")).bagla(gifYaz(ust, 300)).calistir();
            Sorgu s3(m, QStringLiteral("INSERT INTO bannerlar(no, tip, veri) VALUES(?, ?, ?)"));
            s3.bagla(3).bagla(QStringLiteral("image/bmp"));
            s3.bagla(bmpYaz(bantKaresi(QStringLiteral("PELMORA OTOMOTİV  •  Orijinal ve eşdeğer yedek parça  •  0850 000 00 00"),
                                       QColor(240, 240, 240), QColor(0, 52, 120), 1400, 50, 0)));
            s3.calistir();
        }

        m.ayarYaz(QStringLiteral("kayanyazi"),
                  QStringLiteral("<B>PELMORA OTOMOTİV</B> &bull; <FONT color=\"#C00000\">Kampanyalı "
                                 "ürünlerde %15'e varan indirim!</FONT> &bull; Saat 16:00'ya kadar verilen "
                                 "siparişler aynı gün kargoda &bull; <I>Yeni ürünler için Yeni Stoklar "
                                 "sekmesine bakınız.</I>"));
        m.ayarYaz(QStringLiteral("demo_stok_adedi"), QString::number(stokAdedi));
    });

    for (const CihazKaydi& k : demoCihazlari())
        m.cihazKaydet(k);
    for (const CihazKaydi& k : elle) {
        try {
            m.cihazKaydet(k);
        } catch (const pel::Error&) {
            // Its customer no longer exists; the workstation must be registered again.
        }
    }
}

} // namespace pelsrv
