#include "girisform.h"

#include "ayardosyasi.h"
#include "formistekyeni.h"
#include "media/dosyaindir.h"
#include "platform/seams.h"
#include "remote/baglanti.h"
#include "remote/baglantiu.h"
#include "remote/beklesinu.h"
#include "remote/kimlik.h"
#include "remote/proxim.h"
#include "remote/sunucuayarlari.h"
#include "remote/utils.h"

#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QGraphicsDropShadowEffect>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMovie>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <memory>
#include <mutex>

namespace {
const QString kBolum = QStringLiteral("kullanici");
const QString kHatirla = QStringLiteral("hatırla");
const QString kKimlikHatali = QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !");

std::atomic<long long> g_disIpBekleme{1000};
std::mutex g_aciciKilit;
Tgirisform::TCariSecimAcici g_cariSecimAcici;

// Turns typed letters into upper case as they arrive.
void buyukHarfYap(QLineEdit* kutu)
{
    QObject::connect(kutu, &QLineEdit::textEdited, kutu, [kutu](const QString& metin) {
        const QString buyuk = metin.toUpper();
        if (buyuk != metin) {
            const int imlec = kutu->cursorPosition();
            kutu->setText(buyuk);
            kutu->setCursorPosition(imlec);
        }
    });
}

// One GET of the external-address service: connect time-out 15000 ms,
// then 1500 ms for the answer. Throws on failure.
QString disIpSor(const QUrl& adres)
{
    QNetworkAccessManager ag;
    QNetworkRequest istek(adres);
    istek.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* yanit = ag.get(istek);
    QEventLoop dongu;
    QTimer sure;
    sure.setSingleShot(true);
    QObject::connect(&sure, &QTimer::timeout, yanit, &QNetworkReply::abort);
    QObject::connect(yanit, &QNetworkReply::metaDataChanged, &sure, [&sure] { sure.start(1500); });
    QObject::connect(yanit, &QNetworkReply::finished, &dongu, &QEventLoop::quit);
    sure.start(15000);
    dongu.exec();
    std::unique_ptr<QNetworkReply> sil(yanit);
    const int durum = yanit->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (yanit->error() != QNetworkReply::NoError || durum < 200 || durum > 299)
        throw pel::Error(yanit->errorString());
    return QString::fromUtf8(yanit->readAll());
}
} // namespace

Tgirisform::Tgirisform(QWidget* sahip) : QDialog(nullptr)
{
    // The desktop is the parent, so the window works while the main window
    // is still hidden; the owner only matters for centring.
    Q_UNUSED(sahip);
    kur();
    // FormCreate
    idsi = BilgisayarIdAl();
    AyarOku();
}

Tgirisform::~Tgirisform() = default;

void Tgirisform::kur()
{
    setWindowTitle(QStringLiteral("Giriş"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    QFont yazi(QStringLiteral("Tahoma"));
    yazi.setBold(true);
    setFont(yazi);
    setObjectName(QStringLiteral("girisform"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(QPixmap(QStringLiteral(":/pelmora/giris_arka.png")));
    Image1->setScaledContents(true);

    RxLabel1 = new QLabel(QStringLiteral("Pelmora Otomotiv Yedek Parça San. ve Tic. A.Ş.\n"
                                         "Organize Sanayi Bölgesi 4. Cadde No: 12 Ostim / Ankara\n"
                                         "b2b@pelmora.com.tr\n"
                                         "Tel: 0 312 385 40 40  Faks: 0 312 385 40 41"),
                          this);
    RxLabel1->setObjectName(QStringLiteral("RxLabel1"));
    RxLabel1->setAlignment(Qt::AlignCenter);
    RxLabel1->setWordWrap(true);
    QFont adresYazi(QStringLiteral("Arial"));
    adresYazi.setBold(true);
    adresYazi.setPixelSize(15);
    RxLabel1->setFont(adresYazi);
    RxLabel1->setStyleSheet(QStringLiteral("color: rgb(0,52,120); background: transparent;"));
    auto* golge = new QGraphicsDropShadowEffect(RxLabel1);
    golge->setColor(Qt::white);
    golge->setOffset(-1.5, 1.5);
    golge->setBlurRadius(0);
    RxLabel1->setGraphicsEffect(golge);

    const QString etiketStili =
        QStringLiteral("color: white; background-color: rgb(128,0,0); padding: 3px;");
    Label1 = new QLabel(QStringLiteral(" Kullanıcı Adı:"), this);
    Label1->setStyleSheet(etiketStili);
    Label2 = new QLabel(QStringLiteral(" Şifre:"), this);
    Label2->setStyleSheet(etiketStili);
    adi = new QLineEdit(this);
    adi->setObjectName(QStringLiteral("adi"));
    sifre = new QLineEdit(this);
    sifre->setObjectName(QStringLiteral("sifre"));
    sifre->setEchoMode(QLineEdit::Password);
    buyukHarfYap(adi);
    buyukHarfYap(sifre);
    adi->installEventFilter(this);
    sifre->installEventFilter(this);
    benihatirla = new QCheckBox(QStringLiteral("Beni hatırla"), this);
    benihatirla->setChecked(true);
    Button1 = new QPushButton(QStringLiteral("Giriş"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    Button2 = new QPushButton(QStringLiteral("Vazgeç"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAutoDefault(false);
    RxGIFAnimator1 = new QLabel(this);
    RxGIFAnimator1->setFixedSize(28, 28);
    RxGIFAnimator1->hide();
    m_bekleme = new QMovie(QStringLiteral(":/pelmora/bekleme.gif"), QByteArray(), this);
    m_bekleme->setScaledSize(QSize(28, 28));
    RxGIFAnimator1->setMovie(m_bekleme);

    connect(Button1, &QPushButton::clicked, this, &Tgirisform::Button1Click);
    connect(Button2, &QPushButton::clicked, this, [this] {
        try {
            Button2Click();
        } catch (...) {
            VarsayilanHataIsle(std::current_exception());
        }
    });

    auto* form = new QGridLayout;
    form->addWidget(Label1, 0, 0);
    form->addWidget(adi, 0, 1, 1, 2);
    form->addWidget(Label2, 1, 0);
    form->addWidget(sifre, 1, 1, 1, 2);
    form->addWidget(benihatirla, 2, 1);
    form->addWidget(RxGIFAnimator1, 2, 2, Qt::AlignRight);
    auto* dugmeler = new QHBoxLayout;
    dugmeler->addStretch();
    dugmeler->addWidget(Button1);
    dugmeler->addWidget(Button2);
    form->addLayout(dugmeler, 3, 0, 1, 3);

    auto* kok = new QVBoxLayout(this);
    kok->setContentsMargins(40, 30, 40, 30);
    kok->addWidget(RxLabel1);
    kok->addSpacing(16);
    kok->addLayout(form);
    setFixedSize(600, 360);
    Image1->setGeometry(rect());
    Image1->lower();
    adi->setFocus();
}

QString Tgirisform::AyarDosyasi()
{
    return VeriKlasoruAl() + QDir::separator() + QStringLiteral("ayar.ini");
}

void Tgirisform::AyarOku()
{
    TAyarDosyasi ini(AyarDosyasi());
    if (!ini.Varmi())
        return;
    benihatirla->setChecked(ini.ReadBool(kBolum, kHatirla, true));
    if (benihatirla->isChecked()) {
        adi->setText(ini.ReadString(kBolum, QStringLiteral("isim"), QString()));
        sifre->setText(ini.ReadString(kBolum, QStringLiteral("sifre"), QString()));
    }
}

void Tgirisform::AyarKaydet()
{
    TAyarDosyasi ini(AyarDosyasi());
    ini.WriteString(kBolum, QStringLiteral("isim"), adi->text());
    ini.WriteString(kBolum, QStringLiteral("sifre"), sifre->text());
    ini.WriteBool(kBolum, kHatirla, benihatirla->isChecked());
    ini.Kaydet();
}

void Tgirisform::uyariKutusu(const QString& mesaj)
{
    QMessageBox kutu(QMessageBox::Warning, pel::programTitle(), mesaj, QMessageBox::Ok, this);
    if (auto* ok = kutu.button(QMessageBox::Ok))
        ok->setText(QStringLiteral("Tamam"));
    pel::execModal(kutu);
}

bool Tgirisform::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() != QEvent::KeyPress || (o != adi && o != sifre))
        return QDialog::eventFilter(o, e);
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter)
        return QDialog::eventFilter(o, e);
    QLineEdit* kutu = static_cast<QLineEdit*>(o);
    if (kutu->text().trimmed().isEmpty()) {
        pel::playSystemSound(0x10);
        uyariKutusu(kutu == adi ? QStringLiteral("Lütfen kullanıcı adını giriniz !")
                                : QStringLiteral("Lütfen kullanıcı şifresini giriniz !"));
        kutu->selectAll();
        kutu->setFocus();
        return true;
    }
    if (kutu == adi) {
        sifre->selectAll();
        sifre->setFocus();
    } else if (Button1->isEnabled()) {
        Button1Click();
    }
    return true;
}

void Tgirisform::SetDisIpBekleme(std::chrono::milliseconds bekleme)
{
    g_disIpBekleme = bekleme.count();
}

QString Tgirisform::DisIpAl()
{
    const QUrl adres(DagitimAyarlari().DisIpServisi + QStringLiteral("/ip"));
    for (;;) {
        try {
            return disIpSor(adres).trimmed();
        } catch (...) {
            QThread::msleep(static_cast<unsigned long>(g_disIpBekleme.load()));
        }
    }
}

void Tgirisform::Button1Click()
{
    Button1->setText(QStringLiteral("Bağlanıyor..."));
    Button1->setEnabled(false);
    RxGIFAnimator1->show();
    m_bekleme->start();
    struct Kapanis {
        QString i;
    };
    auto k = std::make_shared<Kapanis>();
    QPointer<Tgirisform> self(this);
    Async([k] { k->i = DisIpAl(); })->Await([self, k] {
        if (!self)
            return;
        self->Button1->setText(QStringLiteral("Giriş!"));
        self->RxGIFAnimator1->hide();
        self->m_bekleme->stop();
        self->Devamet(k->i);
    });
}

void Tgirisform::Button2Click()
{
    pel::endProcess(0);
}

void Tgirisform::Devamet(const QString& disIp)
{
    if (disIp.trimmed().isEmpty()) {
        MesajGoster(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"), mtError,
                    mbOKSeti, mbOK);
        Button1->setEnabled(true);
        Q_EMIT GirisBitti();
        return;
    }
    if (OfisAgindaMi(disIp))
        LanAdresleriKur();
    Bilgim->SetDisip(disIp);
    bagim->SetParam(u"HostName", SunucuAdresi);
    struct Kapanis {
        bool dogrusonuc = false;
    };
    auto k = std::make_shared<Kapanis>();
    QPointer<Tgirisform> self(this);
    RxGIFAnimator1->show();
    m_bekleme->start();
    Async([self, k] { k->dogrusonuc = self && self->KimlikBilgisiGetir(); })->Await([self, k] {
        if (self)
            self->KararVer(k->dogrusonuc);
    });
}

bool Tgirisform::KimlikBilgisiGetir()
{
    std::unique_ptr<TBaglanti> klon = bagim->CloneConnection();
    if (!BaglantiKontrol(*klon, 0))
        return false;
    try {
        klon->Open();
        {
            TServerMethods1Client istemci(klon->DBXConnection());
            const TSonucBilgisi* kayit = istemci.BuyukGetir(idsi);
            if (!kayit)
                return false;
            Bilgim->Kopyala(*kayit);
        }
        klon->Close();
    } catch (...) {
        return false;
    }
    Bilgim->SetBilgiSayarAdi(BilgisayarAdiAl());
    Bilgim->SetBilgisayarKullanici(KullaniciAdiAl());
    Bilgim->SetIcip(YerelIpAl());
    Bilgim->SetBILGISAYARID(BilgisayarIdAl());
    Bilgim->SetDisip(DisIpAl());
    return true;
}

void Tgirisform::KararVer(bool basarili)
{
    RxGIFAnimator1->hide();
    m_bekleme->stop();
    struct Bitti {
        Tgirisform* f;
        ~Bitti() { Q_EMIT f->GirisBitti(); }
    } bitti{this};
    if (!basarili) {
        MesajGoster(QStringLiteral("Bağlantı Kurulamadı !"), mtError, mbOKSeti, mbOK);
        BasarisizlikSifirla();
        return;
    }
    if (Bilgim->Version() != kIstemciSurumu)
        YeniVersiyonIndir();
    if (!Bilgim->Varmi()) {
        IstekFormuAc(SunucuUrl);
        pel::endProcess(0);
    }
    if (adi->text() != Bilgim->ADI() || sifre->text() != Bilgim->SIFRE()) {
        MesajGoster(kKimlikHatali, mtWarning, mbOKSeti, mbOK);
        BasarisizlikSifirla();
        return;
    }
    AyarKaydet();
    if (Bilgim->AKTIF() != 1) {
        MesajGoster(kKimlikHatali, mtWarning, mbOKSeti, mbOK);
        BasarisizlikSifirla();
        return;
    }
    if (Bilgim->MusteriTipi() == mtTemsilci || Bilgim->MusteriTipi() == mtFiyatYetkiliTemsilci)
        CariSecimAc();
    done(1);
}

void Tgirisform::BasarisizlikSifirla()
{
    Button1->setEnabled(true);
    adi->selectAll();
    adi->setFocus();
}

void Tgirisform::SetCariSecimAcici(TCariSecimAcici acici)
{
    std::lock_guard lock(g_aciciKilit);
    g_cariSecimAcici = std::move(acici);
}

int Tgirisform::CariSecimGoster(QWidget* sahip, TBaglanti& bag, TSonucBilgisi& bilgi)
{
    TCariSecimAcici acici;
    {
        std::lock_guard lock(g_aciciKilit);
        acici = g_cariSecimAcici;
    }
    if (!acici) {
        MesajGoster(QStringLiteral("Cari seçimi bu sürümde bulunmuyor."), mtError, mbOKSeti, mbOK);
        return 0;
    }
    return acici(sahip, bag, bilgi);
}

void Tgirisform::CariSecimAc()
{
    if (CariSecimGoster(this, *bagim, *Bilgim) != 1)
        pel::endProcess(0);
}

void Tgirisform::YeniVersiyonIndir()
{
    std::unique_ptr<Tdosyaindir> p(Tdosyaindir::Yeni(
        this, Bilgim->Version(),
        QUrl(DagitimAyarlari().IndirmeSunucusu + QStringLiteral("/exe/PelmoraSetup.exe"))));
    pel::execModal(*p);
}

void Tgirisform::IstekFormuAc(const QString& adres)
{
    Tformistekyeni form(this);
    form.setWindowTitle(QStringLiteral("Pelmora Otomotiv B2B İstek Formu"));
    form.Navigate(adres + QStringLiteral("formmailgonder.aspx?carino=0&kullanici= &id=") +
                  BilgisayarIdAl());
    pel::execModal(form);
}
