#include "formistekyeni.h"

#include "platform/seams.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tformistekyeni::Tformistekyeni(QWidget* parent) : QDialog(parent)
{
    sitem = new QLabel(this);
    sitem->setObjectName(QStringLiteral("sitem"));
    sitem->setWordWrap(true);
    sitem->setAlignment(Qt::AlignCenter);
    QFont f = sitem->font();
    f.setPointSize(f.pointSize() + 3);
    sitem->setFont(f);
    adresKutusu = new QLineEdit(this);
    adresKutusu->setReadOnly(true);
    Button1 = new QPushButton(QStringLiteral("Kapat"), this);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

    auto* alt = new QHBoxLayout;
    alt->addStretch();
    alt->addWidget(Button1);
    auto* kok = new QVBoxLayout(this);
    kok->addWidget(sitem, 1);
    kok->addWidget(adresKutusu);
    kok->addLayout(alt);
    resize(640, 320);
}

void Tformistekyeni::Navigate(const QString& adres)
{
    m_adres = adres;
    adresKutusu->setText(adres);
    const bool acildi = pel::shellOpen(adres);
    sitem->setText(acildi ? QStringLiteral("Bu bilgisayar sistemde kayıtlı değil.\n"
                                           "İstek formu web tarayıcınızda açıldı; lütfen formu "
                                           "doldurup gönderiniz.")
                          : QStringLiteral("Bu bilgisayar sistemde kayıtlı değil.\n"
                                           "İstek formu açılamadı; lütfen aşağıdaki adresi web "
                                           "tarayıcınızda açınız."));
}
