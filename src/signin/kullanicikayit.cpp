#include "kullanicikayit.h"

#include "remote/baglanti.h"
#include "remote/beklesinu.h"
#include "remote/kimlik.h"
#include "remote/proxim.h"
#include "remote/utils.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QWidget* ikili(QWidget* ust, QLineEdit* a, QLineEdit* b)
{
    auto* w = new QWidget(ust);
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(a);
    l->addWidget(b);
    return w;
}

QLabel* baslik(const QString& metin, QWidget* ust)
{
    auto* l = new QLabel(metin, ust);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    l->setFont(f);
    return l;
}
} // namespace

Tkullanicikayit::Tkullanicikayit(QWidget* sahip) : QDialog(sahip)
{
    const auto kutu = [this](const char* ad) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(ad));
        return e;
    };
    lblid = new QLabel(this);
    lblid->setObjectName(QStringLiteral("lblid"));
    firmaadi = kutu("firmaadi");
    adres1 = kutu("adres1");
    adres2 = kutu("adres2");
    ilce = kutu("ilce");
    sehir = kutu("sehir");
    telefon = kutu("telefon");
    fax = kutu("fax");
    vd = kutu("vd");
    vn = kutu("vn");
    yetkili = kutu("yetkili");
    kullaniciadi = kutu("kullaniciadi");
    sifre = kutu("sifre");
    mail = kutu("mail");
    kargoambar = kutu("kargoambar");
    Button2 = new QPushButton(QStringLiteral("Gönder"), this);
    Button1 = new QPushButton(QStringLiteral("Kapat"), this);
    Button2->setAutoDefault(false);
    Button1->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(baslik(QStringLiteral("Firma Bilgileri"), this));
    form->addRow(QStringLiteral("Firma Adı:"), firmaadi);
    form->addRow(QStringLiteral("Adres:"), adres1);
    form->addRow(QStringLiteral("Adres2:"), adres2);
    form->addRow(QStringLiteral("İlçe/Şehir:"), ikili(this, ilce, sehir));
    form->addRow(QStringLiteral("Telefon/Fax:"), ikili(this, telefon, fax));
    form->addRow(QStringLiteral("Vergi Dairesi / No:"), ikili(this, vd, vn));
    form->addRow(QStringLiteral("Yetkili:"), yetkili);
    form->addRow(baslik(QStringLiteral("Kullanıcı Bilgileri"), this));
    form->addRow(QStringLiteral("Kullanıcı Adı:"), kullaniciadi);
    form->addRow(QStringLiteral("Şifre:"), sifre);
    form->addRow(QStringLiteral("Mail:"), mail);
    form->addRow(QStringLiteral("Kargo Ambar:"), kargoambar);
    auto* dugmeler = new QHBoxLayout;
    dugmeler->addStretch();
    dugmeler->addWidget(Button2);
    dugmeler->addWidget(Button1);
    auto* kok = new QVBoxLayout(this);
    kok->addWidget(lblid);
    kok->addLayout(form);
    kok->addLayout(dugmeler);

    QWidget* sira[] = {firmaadi, adres1, adres2, ilce, sehir, telefon, fax,
                       vd, vn, yetkili, kullaniciadi, sifre, mail, kargoambar};
    for (size_t i = 1; i < std::size(sira); ++i)
        setTabOrder(sira[i - 1], sira[i]);

    connect(Button2, &QPushButton::clicked, this, [this] { Korumali([this] { Button2Click(); }); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 560);
}

Tkullanicikayit::~Tkullanicikayit() = default;

Tkullanicikayit* Tkullanicikayit::Ac(QWidget* sahip, const TBaglanti& baglanti,
                                     const TSonucBilgisi& bilgi)
{
    auto p = std::unique_ptr<Tkullanicikayit>(new Tkullanicikayit(sahip));
    p->con = baglanti.CloneConnection();
    p->Bilgim.Kopyala(bilgi);
    p->lblid->setText(QStringLiteral("Bilgisayar ID: ") + BilgisayarIdAl());
    p->kullaniciadi->setText(p->Bilgim.ADI());
    p->firmaadi->setText(p->Bilgim.CariAdi());
    p->CariBilgiDoldur();
    p->setWindowTitle(QStringLiteral("Şifre Değiştirme İsteği"));
    return p.release();
}

void Tkullanicikayit::CariBilgiDoldur()
{
    con->Close();
    if (!BaglantiKontrol(*con, 1))
        return;
    con->Open();
    {
        TServerMethods1Client istemci(con->DBXConnection());
        const TMobilCariBilgisi* cari = istemci.MobilCariBilgisiGetir(0, BilgisayarIdAl());
        if (!cari)
            throw pel::Error(QStringLiteral("Cari bilgisi bulunamadı"));
        adres1->setText(cari->ADRES1());
        adres2->setText(cari->ADRES2());
        ilce->setText(cari->ILCE());
        sehir->setText(cari->SEHIR());
        telefon->setText(cari->TEL1());
        fax->setText(cari->FAX1());
        vd->setText(cari->VERGIDAIRESI());
        vn->setText(cari->VERGINO());
    }
    con->Close();
}

bool Tkullanicikayit::AlanlariDenetle()
{
    const std::pair<QLineEdit*, const char*> kurallar[] = {
        {firmaadi, "Firma Adı boş olamaz !"},   {adres1, "Adres boş olamaz !"},
        {ilce, "İlçe Adı boş olamaz !"},        {sehir, "Şehir Adı boş olamaz !"},
        {telefon, "Telefon  boş olamaz !"},     {yetkili, "Yetkili  boş olamaz !"},
        {kullaniciadi, "Kullanıcı  boş olamaz !"}, {sifre, "Şifre  boş olamaz !"},
        {mail, "Mail  boş olamaz !"},
    };
    for (const auto& [kutu, mesaj] : kurallar) {
        if (kutu->text().trimmed().isEmpty()) {
            kutu->selectAll();
            kutu->setFocus();
            MesajGoster(QString::fromUtf8(mesaj), mtWarning, mbOKSeti, mbOK);
            return false;
        }
    }
    return true;
}

void Tkullanicikayit::IstekGonder()
{
    con->Close();
    if (!BaglantiKontrol(*con, 1))
        return;
    con->Open();
    {
        TServerMethods1Client istemci(con->DBXConnection());
        istemci.MailGonserCari(BilgisayarIdAl(), QStringLiteral("Şifre Değiştirme İsteği"),
                               firmaadi->text(), adres1->text(), adres2->text(), ilce->text(),
                               sehir->text(), telefon->text(), fax->text(), vd->text(), vn->text(),
                               yetkili->text(), kullaniciadi->text(), sifre->text(), mail->text(),
                               kargoambar->text());
        con->Close();
    }
    MesajGoster(QStringLiteral("İsteğiniz Gönderildi!"), mtInformation, mbOKSeti, mbOK);
}

void Tkullanicikayit::Button2Click()
{
    if (AlanlariDenetle())
        IstekGonder();
}
