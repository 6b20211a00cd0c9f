#pragma once
// "Mail Gönder": a free mail to the wholesaler; the server adds the
// sender's customer details.

#include "remote/baglantiu.h"

#include <QDialog>

#include <memory>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TBaglanti;

class Tmailform : public QDialog {
    Q_OBJECT
public:
    static Tmailform* Ac(QWidget* sahip, const TBaglanti& baglanti, const TSonucBilgisi& bilgi);
    ~Tmailform() override;

    std::unique_ptr<TBaglanti> con;
    TSonucBilgisi Bilgim;

    QLineEdit* baslik;
    QPlainTextEdit* konu;
    QPushButton* Button2; // Gönder
    QPushButton* Button1; // Kapat

    bool MailDenetle();
    void Button2Click();
    void Button1Click();

Q_SIGNALS:
    void MailBitti(bool hata); // after the message of a send (for tests)

protected:
    void reject() override; // the close box too: not while a mail is being sent

private:
    explicit Tmailform(QWidget* sahip);
};
