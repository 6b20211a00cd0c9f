#pragma once
// The dialog behind MesajGoster.

#include <QDialog>
#include <QList>

class QPushButton;

class TMesajPenceresi : public QDialog {
    Q_OBJECT
public:
    TMesajPenceresi(const QString& mesaj, int tip, quint16 butonlar, int secili,
                    QWidget* parent = nullptr);

    // The dialog's title for a type; empty for an unknown type.
    static QString TipBasligi(int tip);
    static QString ButonYazisi(int tur);
    static int ButonSonucu(int tur);
    static unsigned TipSesi(int tip);

    QList<QPushButton*> Butonlar() const { return m_butonlar; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    QPushButton* butonBul(int tur) const;
    QList<QPushButton*> m_butonlar;
};
