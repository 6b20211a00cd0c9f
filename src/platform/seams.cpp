#include "seams.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace pel {
namespace {
std::mutex g_mutex;
ModalHook g_modal;
EndProcessHook g_end;
SoundHook g_sound;
std::atomic<int> g_fontPoints{0};

template <class F>
F hookCopy(const F& f)
{
    std::lock_guard lock(g_mutex);
    return f;
}
} // namespace

void setModalHook(ModalHook hook)
{
    std::lock_guard lock(g_mutex);
    g_modal = std::move(hook);
}

int execModal(QDialog& dialog)
{
    if (auto hook = hookCopy(g_modal))
        return hook(dialog);
    return dialog.exec();
}

void setEndProcessHook(EndProcessHook hook)
{
    std::lock_guard lock(g_mutex);
    g_end = std::move(hook);
}

void endProcess(int code)
{
    if (auto hook = hookCopy(g_end)) {
        hook(code);
        throw ProcessEnded{code};
    }
    std::fflush(nullptr);
    std::_Exit(code);
}

void setSoundHook(SoundHook hook)
{
    std::lock_guard lock(g_mutex);
    g_sound = std::move(hook);
}

void playSystemSound(unsigned kind)
{
    if (auto hook = hookCopy(g_sound)) {
        hook(kind);
        return;
    }
#ifdef Q_OS_WIN
    MessageBeep(kind);
#else
    QApplication::beep();
#endif
}

void plainMessage(const QString& text, QWidget* parent)
{
    QMessageBox box(QMessageBox::NoIcon, programTitle(), text, QMessageBox::Ok,
                    parent ? parent : QApplication::activeWindow());
    if (auto* ok = box.button(QMessageBox::Ok))
        ok->setText(QStringLiteral("Tamam"));
    execModal(box);
}

void setMessageFontPointSize(int points)
{
    g_fontPoints = points;
}

int messageFontPointSize()
{
    return g_fontPoints;
}

QString programTitle()
{
    const QString t = QApplication::applicationDisplayName();
    return t.isEmpty() ? QStringLiteral("Pelmora Otomotiv B2B") : t;
}

} // namespace pel
