#include "shellopen.h"

#include <QDesktopServices>
#include <QUrl>

#include <mutex>

namespace pel {
namespace {
std::mutex g_mutex;
ShellOpenHook g_hook;
} // namespace

void setShellOpenHook(ShellOpenHook hook)
{
    std::lock_guard lock(g_mutex);
    g_hook = std::move(hook);
}

bool isOpenableLink(const QString& target)
{
    const QUrl url(target.trimmed(), QUrl::StrictMode);
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !url.host().isEmpty();
    if (scheme == QLatin1String("mailto"))
        return !url.path().isEmpty();
    return false;
}

bool shellOpen(const QString& target)
{
    if (!isOpenableLink(target))
        return false;
    ShellOpenHook hook;
    {
        std::lock_guard lock(g_mutex);
        hook = g_hook;
    }
    if (hook)
        hook(target.trimmed());
    else
        QDesktopServices::openUrl(QUrl(target.trimmed(), QUrl::StrictMode));
    return true;
}

} // namespace pel
