#pragma once
// The password-change request: the firm's and the user's details,
// prefilled from the server, sent as a request mail.

#include "remote/baglantiu.h"

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class TBaglanti;

class Tkullanicikayit : public QDialog {
    Q_OBJECT
public:
    // Creates and prepares the window; the caller shows it modally and frees it.
    static Tkullanicikayit* Ac(QWidget* sahip, const TBaglanti& baglanti, const TSonucBilgisi& bilgi);
    ~Tkullanicikayit() override;

    std::unique_ptr<TBaglanti> con;
    TSonucBilgisi Bilgim;

    QLabel* lblid;
    QLineEdit* firmaadi;
    QLineEdit* adres1;
    QLineEdit* adres2;
    QLineEdit* ilce;
    QLineEdit* sehir;
    QLineEdit* telefon;
    QLineEdit* fax;
    QLineEdit* vd;
    QLineEdit* vn;
    QLineEdit* yetkili;
    QLineEdit* kullaniciadi;
    QLineEdit* sifre;
    QLineEdit* mail;
    QLineEdit* kargoambar;
    QPushButton* Button2; // Gönder
    QPushButton* Button1; // Kapat

    void CariBilgiDoldur();
    bool AlanlariDenetle();
    void IstekGonder();
    void Button2Click();

private:
    explicit Tkullanicikayit(QWidget* sahip);
};
