#pragma once
// Records every modal box the code under test shows, answers it with OK
// and notes on which thread it was shown.

#include "platform/seams.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QThread>

#include <mutex>

struct GorulenKutu {
    QString baslik;
    QString metin;
    bool duz = false;      // a plain QMessageBox (not the MesajGoster dialog)
    bool arayuzde = false; // shown on the user-interface thread
};

class KutuKaydi {
public:
    KutuKaydi()
    {
        pel::setModalHook([this](QDialog& d) {
            GorulenKutu k;
            k.baslik = d.windowTitle();
            k.arayuzde = QThread::currentThread() == qApp->thread();
            if (auto* m = qobject_cast<QMessageBox*>(&d)) {
                k.metin = m->text();
                k.duz = m->icon() == QMessageBox::NoIcon;
            } else {
                QStringList l;
                for (auto* lab : d.findChildren<QLabel*>())
                    if (!lab->text().isEmpty())
                        l << lab->text();
                k.metin = l.join(u'\n');
            }
            std::lock_guard lock(m_mutex);
            m_kutular << k;
            return 1;
        });
    }
    ~KutuKaydi() { pel::setModalHook({}); }

    QList<GorulenKutu> kutular() const
    {
        std::lock_guard lock(m_mutex);
        return m_kutular;
    }
    int duzSayisi() const
    {
        int n = 0;
        for (const auto& k : kutular())
            n += k.duz;
        return n;
    }
    void temizle()
    {
        std::lock_guard lock(m_mutex);
        m_kutular.clear();
    }

private:
    mutable std::mutex m_mutex;
    QList<GorulenKutu> m_kutular;
};
