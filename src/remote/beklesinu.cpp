#include "beklesinu.h"

#include "platform/error.h"
#include "platform/seams.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QThreadPool>

#include <mutex>
#include <thread>

namespace {

std::mutex g_mutex;
THataIsleyici g_isleyici;

// The shared pool of the background tasks. Loads mostly wait for the
// network, so it holds more threads than cores. Never destroyed: running
// work is not waited for at program end.
QThreadPool& havuz()
{
    static QThreadPool* p = [] {
        auto* h = new QThreadPool;
        h->setMaxThreadCount(std::max(8, QThread::idealThreadCount() * 2));
        return h;
    }();
    return *p;
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
    QMetaObject::invokeMethod(qApp, std::move(f), Qt::QueuedConnection);
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
    havuz().start([self, completion = std::move(completion)]() mutable {
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
    QMetaObject::invokeMethod(
        qApp,
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
