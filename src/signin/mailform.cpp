#include "mailform.h"

#include "mailtext.h"
#include "remote/baglanti.h"
#include "remote/beklesinu.h"
#include "remote/kimlik.h"
#include "remote/proxim.h"
#include "remote/utils.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

Tmailform::Tmailform(QWidget* sahip) : QDialog(sahip)
{
    setWindowTitle(QStringLiteral("Mail Gönder"));
    baslik = new QLineEdit(this);
    baslik->setObjectName(QStringLiteral("baslik"));
    konu = new QPlainTextEdit(this);
    konu->setObjectName(QStringLiteral("konu"));
    konu->setLineWrapMode(QPlainTextEdit::NoWrap);
    konu->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    konu->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Button2 = new QPushButton(QStringLiteral("Gönder"), this);
    Button1 = new QPushButton(QStringLiteral("Kapat"), this);
    Button2->setAutoDefault(false);
    Button1->setAutoDefault(false);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Konu:"), baslik);
    form->addRow(QStringLiteral("Mail:"), konu);
    auto* dugmeler = new QHBoxLayout;
    dugmeler->addStretch();
    dugmeler->addWidget(Button2);
    dugmeler->addWidget(Button1);
    auto* kok = new QVBoxLayout(this);
    kok->addLayout(form, 1);
    kok->addLayout(dugmeler);
    connect(Button2, &QPushButton::clicked, this, [this] { Korumali([this] { Button2Click(); }); });
    connect(Button1, &QPushButton::clicked, this, &Tmailform::Button1Click);
    baslik->setFocus();
    resize(560, 420);
}

Tmailform::~Tmailform() = default;

Tmailform* Tmailform::Ac(QWidget* sahip, const TBaglanti& baglanti, const TSonucBilgisi& bilgi)
{
    auto* p = new Tmailform(sahip);
    p->con = baglanti.CloneConnection();
    p->Bilgim.Kopyala(bilgi);
    return p;
}

bool Tmailform::MailDenetle()
{
    if (baslik->text().trimmed().isEmpty()) {
        baslik->selectAll();
        baslik->setFocus();
        MesajGoster(QStringLiteral("Lütfen Başlık Giriniz !"), mtWarning, mbOKSeti, mbOK);
        return false;
    }
    if (konu->toPlainText().trimmed().isEmpty()) {
        konu->selectAll();
        konu->setFocus();
        MesajGoster(QStringLiteral("Lütfen Konu Giriniz !"), mtWarning, mbOKSeti, mbOK);
        return false;
    }
    return true;
}

void Tmailform::Button2Click()
{
    if (!MailDenetle())
        return;
    Button2->setEnabled(false);
    struct Kapanis {
        bool hata = false;
    };
    auto k = std::make_shared<Kapanis>();
    TBaglanti* bag = con.get();
    const QString konuBasligi = baslik->text();
    const QString duz = konu->toPlainText();
    QStringList satirlar = duz.split(u'\n');
    if (duz.endsWith(u'\n'))
        satirlar.removeLast();
    const QString metin = VirgulluMetin(satirlar);
    QPointer<Tmailform> self(this);
    Async([k, bag, konuBasligi, metin] {
        // MailGonder
        if (!BaglantiKontrol(*bag, 1)) {
            k->hata = true;
            return;
        }
        try {
            const QString id = BilgisayarIdAl();
            TServerMethods1Client istemci(bag->DBXConnection());
            const TMobilCariBilgisi* c = istemci.MobilCariBilgisiGetir(0, id);
            if (!c)
                throw pel::Error(QStringLiteral("Cari bilgisi bulunamadı"));
            TServerMethods1Client ikinci(bag->DBXConnection());
            ikinci.MailGonserCariNormal(id, konuBasligi, c->CARIADI(), c->ADRES1(), c->ADRES2(),
                                        c->ILCE(), c->SEHIR(), c->TEL1(), c->FAX1(),
                                        c->VERGIDAIRESI(), c->VERGINO(), c->YETKILI(),
                                        c->KULLANICIADI(), c->SIFRE(), c->MAIL(), QString(), metin);
            bag->Close();
        } catch (...) {
            bag->Close();
            k->hata = true;
        }
    })->Await([self, k] {
        if (!self)
            return;
        if (k->hata)
            MesajGoster(QStringLiteral("Mail Göndermede Hata\r\nLütfen Tekrar Deneyin !"), mtError,
                        mbOKSeti, mbOK);
        else
            MesajGoster(QStringLiteral("Mail Gönderildi !"), mtInformation, mbOKSeti, mbOK);
        self->Button2->setEnabled(true);
        Q_EMIT self->MailBitti(k->hata);
    });
}

void Tmailform::Button1Click()
{
    if (Button2->isEnabled())
        QDialog::reject();
}

void Tmailform::reject()
{
    Button1Click();
}
