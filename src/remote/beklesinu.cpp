#include "beklesinu.h"

#include "platform/error.h"
#include "platform/seams.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

std::mutex g_mutex;
THataIsleyici g_isleyici;
// Posting to the user-interface thread goes through here one at a time.
// Qt guards its event queue itself; this lock also makes that ordering
// visible to thread checkers that cannot see Qt's own lock.
std::mutex g_gonderim;

void arayuzeGonder(std::function<void()> f, Qt::ConnectionType tur)
{
    // Taking the lock on arrival orders the poster's writes before f.
    f = [g = std::move(f)] {
        { std::lock_guard gorus(g_gonderim); }
        g();
    };
    if (tur == Qt::BlockingQueuedConnection) {
        // The lock is released before waiting: the user-interface thread
        // may itself post while the caller waits.
        struct Bekleyen {
            std::mutex m;
            std::condition_variable cv;
            bool bitti = false;
        };
        auto b = std::make_shared<Bekleyen>();
        {
            std::lock_guard lock(g_gonderim);
            QMetaObject::invokeMethod(
                qApp,
                [f = std::move(f), b] {
                    struct Bitir {
                        Bekleyen& b;
                        ~Bitir()
                        {
                            std::lock_guard l(b.m);
                            b.bitti = true;
                            b.cv.notify_all();
                        }
                    } bitir{*b};
                    f();
                },
                Qt::QueuedConnection);
        }
        std::unique_lock l(b->m);
        b->cv.wait(l, [&] { return b->bitti; });
        return;
    }
    std::lock_guard lock(g_gonderim);
    QMetaObject::invokeMethod(qApp, std::move(f), tur);
}

// The shared pool of the background tasks. Loads mostly wait for the
// network, so it holds more threads than cores; threads start on demand and
// then wait for work. Never destroyed: running work is not waited for at
// program end.
class Havuz {
public:
    void baslat(std::function<void()> is)
    {
        std::lock_guard lock(m_mutex);
        m_isler.push_back(std::move(is));
        // Every waiting job needs an idle thread; start one when it has none.
        if (qsizetype(m_isler.size()) > m_bosta && m_sayi < m_enFazla) {
            ++m_sayi;
            std::thread([this] { calis(); }).detach();
        }
        m_cv.notify_one();
    }

private:
    void calis()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            ++m_bosta;
            m_cv.wait(lock, [this] { return !m_isler.empty(); });
            --m_bosta;
            std::function<void()> is = std::move(m_isler.front());
            m_isler.pop_front();
            lock.unlock();
            is();
            is = nullptr;
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<std::function<void()>> m_isler;
    int m_sayi = 0;
    qsizetype m_bosta = 0;
    const int m_enFazla = std::max(8, int(std::thread::hardware_concurrency()) * 2);
};

Havuz& havuz()
{
    static Havuz* h = new Havuz;
    return *h;
}

bool arayuzIsparcacigindami()
{
    return !qApp || QThread::currentThread() == qApp->thread();
}

void arayuzdeCalistir(std::function<void()> f)
{
    if (!qApp) {
        f();
        return;
    }
    arayuzeGonder(std::move(f), Qt::QueuedConnection);
}

QString hataMetni(std::exception_ptr hata)
{
    try {
        std::rethrow_exception(hata);
    } catch (const pel::Error& e) {
        return e.text();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Bilinmeyen hata");
    }
}

} // namespace

void SetVarsayilanHataIsleyici(THataIsleyici isleyici)
{
    std::lock_guard lock(g_mutex);
    g_isleyici = std::move(isleyici);
}

void VarsayilanHataIsle(std::exception_ptr hata)
{
    if (!hata)
        return;
    try {
        std::rethrow_exception(hata);
    } catch (const pel::ProcessEnded&) {
        return; // a test's end of the process: nothing more runs
    } catch (...) {
    }
    THataIsleyici k;
    {
        std::lock_guard lock(g_mutex);
        k = g_isleyici;
    }
    if (k) {
        k(hata);
        return;
    }
    QMessageBox kutu(QMessageBox::Critical, pel::programTitle(), hataMetni(hata), QMessageBox::Ok,
                     QApplication::activeWindow());
    if (auto* ok = kutu.button(QMessageBox::Ok))
        ok->setText(QStringLiteral("Tamam"));
    pel::execModal(kutu);
}

void Korumali(const std::function<void()>& eylem)
{
    try {
        eylem();
    } catch (...) {
        VarsayilanHataIsle(std::current_exception());
    }
}

void TAwait::Await(std::function<void()> completion)
{
    auto self = shared_from_this();
    havuz().baslat([self, completion = std::move(completion)]() mutable {
        std::exception_ptr hata;
        try {
            self->FAsync();
        } catch (...) {
            hata = std::current_exception();
        }
        arayuzdeCalistir([self, completion = std::move(completion), hata]() {
            try {
                if (completion)
                    completion();
            } catch (...) {
                VarsayilanHataIsle(std::current_exception());
            }
            if (hata)
                VarsayilanHataIsle(hata);
        });
    });
}

std::shared_ptr<IAwait> Async(std::function<void()> worker)
{
    return std::make_shared<TAwait>(std::move(worker));
}

void Senkronize(const std::function<void()>& f)
{
    if (arayuzIsparcacigindami()) {
        f();
        return;
    }
    std::exception_ptr hata;
    arayuzeGonder(
        [&] {
            try {
                f();
            } catch (...) {
                hata = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (hata)
        std::rethrow_exception(hata);
}

void Kuyruga(std::function<void()> f)
{
    arayuzdeCalistir([f = std::move(f)] {
        try {
            f();
        } catch (...) {
            VarsayilanHataIsle(std::current_exception());
        }
    });
}

void ArkaPlanIsiBaslat(std::function<void()> is)
{
    std::thread([is = std::move(is)] {
        try {
            is();
        } catch (...) {
            const std::exception_ptr hata = std::current_exception();
            Kuyruga([hata] { std::rethrow_exception(hata); });
        }
    }).detach();
}
