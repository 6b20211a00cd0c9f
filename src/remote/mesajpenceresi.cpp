#include "mesajpenceresi.h"

#include "platform/seams.h"
#include "utils.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

QString TMesajPenceresi::TipBasligi(int tip)
{
    switch (tip) {
    case mtWarning: return QStringLiteral("Uyarı");
    case mtError: return QStringLiteral("Hata");
    case mtInformation: return QStringLiteral("Bilgi");
    case mtConfirmation: return QStringLiteral("Soru");
    default: return {};
    }
}

QString TMesajPenceresi::ButonYazisi(int tur)
{
    switch (tur) {
    case mbYes: return QStringLiteral("Evet");
    case mbNo: return QStringLiteral("Hayır");
    case mbOK: return QStringLiteral("Tamam");
    case mbCancel: return QStringLiteral("Vazgeç");
    case mbAbort: return QStringLiteral("İptal");
    case mbRetry: return QStringLiteral("Tekrar");
    case mbIgnore: return QStringLiteral("Atla");
    case mbAll: return QStringLiteral("&All");
    case mbNoToAll: return QStringLiteral("Tümüne Hayır");
    case mbYesToAll: return QStringLiteral("Tümüne Evet");
    case mbHelp: return QStringLiteral("Yardım");
    case mbClose: return QStringLiteral("&Close");
    default: return {};
    }
}

int TMesajPenceresi::ButonSonucu(int tur)
{
    switch (tur) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbHelp: return mrHelp;
    case mbClose: return mrClose;
    default: return mrNone;
    }
}

unsigned TMesajPenceresi::TipSesi(int tip)
{
    switch (tip) {
    case mtWarning: return 0x30;
    case mtError: return 0x10;
    case mtInformation: return 0x40;
    case mtConfirmation: return 0x20;
    default: return 0;
    }
}

TMesajPenceresi::TMesajPenceresi(const QString& mesaj, int tip, quint16 butonlar, int secili,
                                 QWidget* parent)
    : QDialog(parent)
{
    const QString baslik = TipBasligi(tip);
    setWindowTitle(baslik.isEmpty() ? pel::programTitle() : baslik);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* ust = new QHBoxLayout;
    QStyle::StandardPixmap ikon = QStyle::SP_MessageBoxInformation;
    switch (tip) {
    case mtWarning: ikon = QStyle::SP_MessageBoxWarning; break;
    case mtError: ikon = QStyle::SP_MessageBoxCritical; break;
    case mtConfirmation: ikon = QStyle::SP_MessageBoxQuestion; break;
    default: break;
    }
    auto* ikonEtiketi = new QLabel(this);
    ikonEtiketi->setObjectName(QStringLiteral("ikon"));
    ikonEtiketi->setPixmap(style()->standardIcon(ikon).pixmap(32, 32));
    ikonEtiketi->setAlignment(Qt::AlignTop);
    auto* metin = new QLabel(mesaj, this);
    metin->setObjectName(QStringLiteral("mesaj"));
    metin->setWordWrap(true);
    metin->setTextFormat(Qt::PlainText);
    if (pel::messageFontPointSize() > 0) {
        QFont f = metin->font();
        f.setPointSize(pel::messageFontPointSize());
        metin->setFont(f);
    }
    ust->addWidget(ikonEtiketi);
    ust->addWidget(metin, 1);

    auto* alt = new QHBoxLayout;
    alt->addStretch();
    for (int tur = mbYes; tur <= mbClose; ++tur) {
        if (!(butonlar & (1u << tur)))
            continue;
        auto* b = new QPushButton(ButonYazisi(tur), this);
        b->setProperty("butonTuru", tur);
        b->setAutoDefault(true);
        const int sonuc = ButonSonucu(tur);
        connect(b, &QPushButton::clicked, this, [this, sonuc] { done(sonuc); });
        alt->addWidget(b);
        m_butonlar << b;
    }

    // The selected button comes first in the tab order and has the focus.
    if (QPushButton* s = butonBul(secili)) {
        QWidget* onceki = s;
        for (QPushButton* b : m_butonlar) {
            if (b == s)
                continue;
            setTabOrder(onceki, b);
            onceki = b;
        }
        s->setDefault(true);
        s->setFocus(Qt::OtherFocusReason);
        setFocusProxy(s);
    }

    auto* kok = new QVBoxLayout(this);
    kok->addLayout(ust);
    kok->addLayout(alt);
}

QPushButton* TMesajPenceresi::butonBul(int tur) const
{
    for (QPushButton* b : m_butonlar)
        if (b->property("butonTuru").toInt() == tur)
            return b;
    return nullptr;
}

void TMesajPenceresi::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        for (int tur : {int(mbCancel), int(mbNo), int(mbOK)}) {
            if (QPushButton* b = butonBul(tur)) {
                b->click();
                return;
            }
        }
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        auto* odak = qobject_cast<QPushButton*>(focusWidget());
        if (odak && m_butonlar.contains(odak)) {
            odak->click();
            return;
        }
    }
    QDialog::keyPressEvent(e);
}
