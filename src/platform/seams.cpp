#include "seams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#endif

namespace pel {
namespace {
std::mutex g_mutex;
ModalHook g_modal;
EndProcessHook g_end;
SoundHook g_sound;
ShellOpenHook g_shell;
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

void setShellOpenHook(ShellOpenHook hook)
{
    std::lock_guard lock(g_mutex);
    g_shell = std::move(hook);
}

bool shellOpen(const QString& target, const QString& arguments)
{
    if (auto hook = hookCopy(g_shell))
        return hook(target, arguments);
#ifdef Q_OS_WIN
    const auto r = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", reinterpret_cast<LPCWSTR>(target.utf16()),
                      arguments.isEmpty() ? nullptr : reinterpret_cast<LPCWSTR>(arguments.utf16()),
                      nullptr, SW_SHOWNORMAL));
    return r > 32;
#else
    const QUrl url(target);
    if (!url.scheme().isEmpty() && url.scheme().size() > 1 && !url.isLocalFile())
        return QDesktopServices::openUrl(url);
    const QFileInfo file(target);
    if (!arguments.isEmpty() && file.isExecutable())
        return QProcess::startDetached(file.absoluteFilePath(), QProcess::splitCommand(arguments));
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
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
