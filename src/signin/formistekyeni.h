#pragma once
// The window that shows the wholesaler's request form for a workstation the
// server does not know. This build has no embedded browser: the form opens
// in the system's browser and the window says so, with the address to copy.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class Tformistekyeni : public QDialog {
    Q_OBJECT
public:
    explicit Tformistekyeni(QWidget* parent = nullptr);

    // Shows `adres`: hands it to the system browser.
    void Navigate(const QString& adres);
    const QString& Adres() const { return m_adres; }

    QLabel* sitem;
    QLineEdit* adresKutusu;
    QPushButton* Button1;

private:
    QString m_adres;
};
