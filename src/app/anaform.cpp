#include "anaform.h"

#include "platform/grid/gridview.h"
#include "platform/grid/widgets.h"
#include "platform/icons.h"
#include "platform/localtable.h"
#include "platform/pagecontrol.h"
#include "platform/seams.h"
#include "remote/beklesinu.h"
#include "remote/kimlik.h"
#include "remote/proxim.h"
#include "remote/sunucuayarlari.h"
#include "remote/utils.h"
#include "signin/girisform.h"
#include "signin/kullanicikayit.h"
#include "signin/mailform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <mutex>

namespace {
std::mutex g_aciciKilit;
TForm1::TPencereAcici g_raporAcici;

QLabel* etiket(const QString& metin, QWidget* ust, bool deger = false)
{
    auto* l = new QLabel(metin, ust);
    if (deger)
        l->setProperty("deger", true);
    return l;
}
} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    // FormCreate
    _acilisadet = 0;
    QApplication::setApplicationDisplayName(QStringLiteral("Pelmora Otomotiv B2B"));
    setWindowTitle(QStringLiteral("Pelmora Otomotiv B2B Programı"));
    pel::setMessageFontPointSize(15);
    kur();

    sbilgi = TSonucBilgisi();
    sbilgi.SetBilgiSayarAdi(BilgisayarAdiAl());
    sbilgi.SetBilgisayarKullanici(KullaniciAdiAl());
    sbilgi.SetIcip(YerelIpAl());
    sbilgi.SetBILGISAYARID(BilgisayarIdAl());

    bagc.SetParam(u"HostName", SunucuAdresi);
    bagc.SetParam(u"Port", SunucuPortu());

    WebSitesi1->setText(WebAdresi);

    GirisYap();

    AcilisIslemleri();
    araedit->setFocus();
}

TForm1::~TForm1() = default;

// ---------------------------------------------------------------------------
// Frame

void TForm1::kur()
{
    auto* merkez = new QWidget(this);
    merkez->setObjectName(QStringLiteral("merkez"));
    auto* kok = new QVBoxLayout(merkez);
    kok->setContentsMargins(0, 0, 0, 0);
    kok->setSpacing(0);

    kok->addWidget(baslikKur());

    RxGIFAnimator2 = new pel::GifPicture(merkez);
    RxGIFAnimator2->setObjectName(QStringLiteral("RxGIFAnimator2"));
    RxGIFAnimator2->setStretch(true);
    RxGIFAnimator2->setFixedHeight(0); // until a banner arrives
    kok->addWidget(RxGIFAnimator2);

    kok->addWidget(aramaCubuguKur());

    sPageControl1 = new pel::PageControl(merkez);
    sPageControl1->setObjectName(QStringLiteral("sPageControl1"));
    sPageControl1->setTabSize(QSize(120, 45));
    sstoklistesi = sayfaOlustur("sstoklistesi");
    ssepet = sayfaOlustur("ssepet");
    sonceki = sayfaOlustur("sonceki");
    sccariekstre = sayfaOlustur("sccariekstre");
    syeniler = sayfaOlustur("syeniler");
    skampanyali = sayfaOlustur("skampanyali");
    sTabSheetduyuru = sayfaOlustur("sTabSheetduyuru");
    sTabbakiyeler = sayfaOlustur("sTabbakiyeler");
    sPageControl1->addPage(sstoklistesi, QStringLiteral("Stok Listesi"));
    sPageControl1->addPage(ssepet, QStringLiteral("Sepet"));
    sPageControl1->addPage(sonceki, QStringLiteral("Önceki Siparişler"));
    sPageControl1->addPage(sccariekstre, QStringLiteral("Cari Ekstre"));
    sPageControl1->addPage(syeniler, QStringLiteral("Yeni Stoklar"));
    sPageControl1->addPage(skampanyali, QStringLiteral("Kampanyalı Stoklar"));
    sPageControl1->addPage(sTabSheetduyuru, QStringLiteral("Duyurular"));
    sPageControl1->addPage(sTabbakiyeler, QStringLiteral("Bakiyeler"));
    sPageControl1->setActivePage(sstoklistesi);
    kok->addWidget(sPageControl1, 1);

    kok->addWidget(aciklamaKur());

    Panel5 = new QWidget(merkez);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setAttribute(Qt::WA_StyledBackground);
    Panel5->setFixedHeight(40);
    new QHBoxLayout(Panel5);
    Panel5->layout()->setContentsMargins(0, 0, 0, 0);
    kok->addWidget(Panel5);

    setCentralWidget(merkez);
    resize(1280, 800);
}

QWidget* TForm1::sayfaOlustur(const char* ad)
{
    auto* p = new QWidget;
    p->setObjectName(QString::fromLatin1(ad));
    auto* l = new QVBoxLayout(p);
    l->setContentsMargins(2, 2, 2, 2);
    return p;
}

QWidget* TForm1::baslikKur()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAttribute(Qt::WA_StyledBackground);
    auto* satir = new QHBoxLayout(Panel1);
    satir->setContentsMargins(8, 4, 8, 4);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(pel::logoPixmap());
    satir->addWidget(Image1);

    auto* GridPanel1 = new QWidget(Panel1);
    GridPanel1->setObjectName(QStringLiteral("GridPanel1"));
    auto* izgara = new QGridLayout(GridPanel1);
    izgara->setContentsMargins(12, 0, 12, 0);
    Label1 = etiket(QStringLiteral("Kullanıcı: "), GridPanel1);
    kullanicilbl = etiket(QString(), GridPanel1, true);
    Label3 = etiket(QStringLiteral("Firma: "), GridPanel1);
    cariadilbl = etiket(QString(), GridPanel1, true);
    Label5 = etiket(QStringLiteral("Temsilci: "), GridPanel1);
    saticilbl = etiket(QString(), GridPanel1, true);
    kullanicilbl->setObjectName(QStringLiteral("kullanicilbl"));
    cariadilbl->setObjectName(QStringLiteral("cariadilbl"));
    saticilbl->setObjectName(QStringLiteral("saticilbl"));
    izgara->addWidget(Label1, 0, 0);
    izgara->addWidget(kullanicilbl, 0, 1);
    izgara->addWidget(Label3, 1, 0);
    izgara->addWidget(cariadilbl, 1, 1);
    izgara->addWidget(Label5, 2, 0);
    izgara->addWidget(saticilbl, 2, 1);
    izgara->setColumnStretch(1, 1);
    satir->addWidget(GridPanel1, 1);

    RxGIFAnimator1 = new pel::GifPicture(Panel1);
    RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
    RxGIFAnimator1->setStretch(true);
    RxGIFAnimator1->setFixedSize(468, 60);
    satir->addWidget(RxGIFAnimator1);

    Button3 = new pel::SplitButton(QString(), Panel1);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setIcon(pel::menuIcon());
    Button3->setIconSize(QSize(32, 32));
    Genelmenu = Button3->dropDownMenu();
    Genelmenu->setObjectName(QStringLiteral("Genelmenu"));
    M1 = Genelmenu->addAction(QStringLiteral("Mail Gönder"));
    Genelmenu->addSeparator();
    N4 = Genelmenu->addAction(QStringLiteral("Şifre Değiştirme İsteği"));
    Genelmenu->addSeparator();
    WebSitesi1 = Genelmenu->addAction(QString());
    Genelmenu->addSeparator();
    G1 = Genelmenu->addAction(QStringLiteral("Çıkış"));
    Genelmenu->addSeparator();
    R1 = Genelmenu->addAction(QStringLiteral("Raporlar"));
    R1->setVisible(false);
    connect(M1, &QAction::triggered, this, &TForm1::M1Click);
    connect(N4, &QAction::triggered, this, &TForm1::SifreIstegiAc);
    connect(WebSitesi1, &QAction::triggered, this, &TForm1::WebSitesi1Click);
    connect(G1, &QAction::triggered, this, &TForm1::G1Click);
    connect(R1, &QAction::triggered, this, &TForm1::R1Click);
    satir->addWidget(Button3);
    return Panel1;
}

QWidget* TForm1::aramaCubuguKur()
{
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setAttribute(Qt::WA_StyledBackground);
    auto* satir = new QHBoxLayout(Panel2);
    satir->setContentsMargins(6, 4, 6, 4);

    Image2 = new QLabel(Panel2);
    Image2->setPixmap(pel::searchIcon().pixmap(24, 24));
    satir->addWidget(Image2);
    SpeedButton1 = new QToolButton(Panel2);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setToolTip(QStringLiteral("Temizle"));
    SpeedButton1->setIcon(QApplication::style()->standardIcon(QStyle::SP_LineEditClearButton));
    SpeedButton2 = new QToolButton(Panel2);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setToolTip(QStringLiteral("Ara"));
    SpeedButton2->setIcon(pel::searchIcon());
    satir->addWidget(SpeedButton1);
    satir->addWidget(SpeedButton2);

    const auto gosterge = [this](const char* ad) {
        auto* g = new pel::BusyIndicator(Panel2);
        g->setObjectName(QString::fromLatin1(ad));
        g->hide();
        return g;
    };
    gifstokara = gosterge("gifstokara");
    gifyeniler = gosterge("gifyeniler");
    gifkampanyali = gosterge("gifkampanyali");
    gifduyuru = gosterge("gifduyuru");
    gifekstre = gosterge("gifekstre");
    gifoncekiler = gosterge("gifoncekiler");
    gifsepet = gosterge("gifsepet");
    for (auto* g : {gifstokara, gifyeniler, gifkampanyali, gifduyuru, gifekstre, gifoncekiler,
                    gifsepet})
        satir->addWidget(g);

    araedit = new QLineEdit(Panel2);
    araedit->setObjectName(QStringLiteral("araedit"));
    QFont f = araedit->font();
    f.setPointSize(f.pointSize() + 3);
    araedit->setFont(f);
    satir->addWidget(araedit, 1);

    musteritus = new QPushButton(QStringLiteral("Başka Cari Seç"), Panel2);
    musteritus->setObjectName(QStringLiteral("musteritus"));
    musteritus->setVisible(false);
    connect(musteritus, &QPushButton::clicked, this, &TForm1::CariDegistir);
    satir->addWidget(musteritus);
    return Panel2;
}

QWidget* TForm1::aciklamaKur()
{
    Panel3 = new QWidget(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setAttribute(Qt::WA_StyledBackground);
    auto* satir = new QHBoxLayout(Panel3);
    satir->setContentsMargins(6, 2, 6, 2);
    const QColor renk(67, 76, 88);
    const auto yazi = [&](const QString& metin) {
        auto* l = new QLabel(metin, Panel3);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, renk);
        l->setPalette(p);
        satir->addWidget(l);
    };
    yazi(QStringLiteral("Durum Açıklaması:    "));
    const std::pair<int, const char*> kalemler[] = {
        {1, " Stok mevcut  "},        {2, " Telefon Açınız  "}, {3, " Yolda  "},
        {5, " Tedarik Sürecinde "},   {4, " Özel Sipariş  "},   {0, " Yok  "},
    };
    for (const auto& [kod, metin] : kalemler) {
        auto* ikon = new QLabel(Panel3);
        ikon->setPixmap(pel::statusIcon(kod).pixmap(16, 16));
        ikon->setProperty("durumKodu", kod);
        satir->addWidget(ikon);
        yazi(QString::fromUtf8(metin));
    }
    satir->addStretch();
    return Panel3;
}

// ---------------------------------------------------------------------------
// Sign-in, user kinds, header

void TForm1::GirisYap()
{
    {
        Tgirisform giris(this);
        giris.bagim = &bagc;
        giris.Bilgim = &sbilgi;
        if (pel::execModal(giris) != 1)
            pel::endProcess(0);
    }
    if (sbilgi.Disip().trimmed().isEmpty())
        pel::endProcess(0);
    KullaniciTipiKurallari();
}

void TForm1::KullaniciTipiKurallari()
{
    switch (sbilgi.MusteriTipi()) {
    case mtTemsilci:
    case mtFiyatYetkiliTemsilci:
        musteritus->setVisible(true);
        R1->setVisible(true);
        break;
    case mtKisitliMusteri:
        R1->setVisible(false);
        break;
    case mtKampanyasizMusteri:
        sPageControl1->setTabVisible(skampanyali, false);
        R1->setVisible(false);
        break;
    default:
        break;
    }
}

void TForm1::AnaBilgiAl()
{
    kullanicilbl->setText(sbilgi.ADI());
    cariadilbl->setText(sbilgi.CariAdi());
    saticilbl->setText(sbilgi.SaticiAdi() + QStringLiteral(" Telefonu: ") + sbilgi.SaticiTelefon() +
                       QStringLiteral(" email: ") + sbilgi.SaticiMail());
}

void TForm1::AcilisIslemleri()
{
    QPointer<TForm1> self(this);
    Async([self] {
        // Each step hands its changes of controls to the user-interface thread.
        Senkronize([self] {
            if (self)
                self->AnaBilgiAl();
        });
    })->Await([self] {
        if (self)
            Q_EMIT self->AcilisBitti();
    });
}

void TForm1::CariDegistir()
{
    // The sales-desk window is registered with the login's customer selection.
    // It writes the chosen customer into the identity record.
    Tgirisform::CariSecimGoster(this, bagc, sbilgi);
    AnaBilgiAl();
    sPageControl1->setCaption(sstoklistesi, SayiliBaslik(0, QStringLiteral("Stok Listesi")));
    sPageControl1->setActivePage(sstoklistesi);
    araedit->selectAll();
    araedit->setFocus();
}

QString TForm1::SayiliBaslik(qint64 sayi, const QString& ad)
{
    return QString::number(sayi) + QStringLiteral("=") + ad;
}

// ---------------------------------------------------------------------------
// Tab loads

void TForm1::SekmeYukle(TSekmeYukleme y)
{
    if (y.gif)
        y.gif->show();
    y.grid->setEnabled(false);
    y.grid->detach();
    y.grid->beginUpdate();

    struct Kapanis {
        bool hata = false;
        pel::TableData sonuc;
    };
    auto k = std::make_shared<Kapanis>();
    auto klon = std::shared_ptr<TBaglanti>(bagc.CloneConnection());
    auto cagri = y.cagri;
    const bool hataBasarisizliktir = y.hataBasarisizliktir;
    Async([k, klon, cagri, hataBasarisizliktir] {
        if (!BaglantiKontrol(*klon, 0)) {
            k->hata = true;
            return;
        }
        try {
            klon->Open();
            TServerMethods1Client istemci(klon->DBXConnection());
            k->sonuc = cagri(istemci);
        } catch (...) {
            klon->Close();
            if (hataBasarisizliktir) {
                k->hata = true;
                return;
            }
            throw;
        }
        klon->Close();
    })->Await([self = QPointer<TForm1>(this), y, k] {
        if (!self)
            return;
        if (!k->hata && y.liste) {
            y.liste->replaceContent(std::move(k->sonuc));
            SayiBicimiVer(*y.liste);
        }
        y.grid->attach();
        y.grid->endUpdate();
        y.grid->setEnabled(true);
        if (y.gif)
            y.gif->hide();
        if (k->hata)
            MesajGoster(kBaglantiKurulamiyor, mtError, mbOKSeti, mbOK);
        if (y.bitti)
            y.bitti(!k->hata);
    });
}

// ---------------------------------------------------------------------------
// General menu and closing

void TForm1::M1Click()
{
    std::unique_ptr<Tmailform> f(Tmailform::Ac(this, bagc, sbilgi));
    pel::execModal(*f);
}

void TForm1::SifreIstegiAc()
{
    std::unique_ptr<Tkullanicikayit> f(Tkullanicikayit::Ac(this, bagc, sbilgi));
    if (f)
        pel::execModal(*f);
}

void TForm1::WebSitesi1Click()
{
    pel::shellOpen(QStringLiteral("http://") + WebAdresi + QStringLiteral("/"));
    araedit->selectAll();
    araedit->setFocus();
}

void TForm1::G1Click()
{
    close();
}

void TForm1::SetRaporAcici(TPencereAcici acici)
{
    std::lock_guard lock(g_aciciKilit);
    g_raporAcici = std::move(acici);
}

void TForm1::R1Click()
{
    TPencereAcici acici;
    {
        std::lock_guard lock(g_aciciKilit);
        acici = g_raporAcici;
    }
    if (acici)
        acici(*this);
    else
        MesajGoster(QStringLiteral("Raporlar bu sürümde bulunmuyor."), mtInformation, mbOKSeti,
                    mbOK);
}

bool TForm1::FormCloseQuery()
{
    if (MesajGoster(QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"), mtConfirmation,
                    mbYesNoSeti, mbYes) == mrYes)
        pel::endProcess(0);
    return false;
}

void TForm1::closeEvent(QCloseEvent* e)
{
    e->ignore();
    try {
        FormCloseQuery();
    } catch (const pel::ProcessEnded&) {
        // Only a test's end-of-process hook gets here.
        e->accept();
    }
}
