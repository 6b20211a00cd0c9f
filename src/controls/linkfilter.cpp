#include "linkfilter.h"

#include <QUrl>

namespace pel {

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

} // namespace pel
