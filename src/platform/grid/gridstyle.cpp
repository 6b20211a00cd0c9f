#include "platform/grid/gridstyle.h"

#include <QHash>
#include <QMutex>

namespace pel {

namespace {
QMutex g_lock;
QHash<QString, GridStyle>& registry()
{
    static QHash<QString, GridStyle> r{
        {QStringLiteral("standart"), GridStyle::standard()},
        {QStringLiteral("beyazcizgi"), GridStyle::whiteLines()},
        {QStringLiteral("basliksecim"), GridStyle::headerSelection()},
    };
    return r;
}
} // namespace

GridStyle GridStyle::whiteLines()
{
    GridStyle s;
    s.gridLine = Qt::white;
    return s;
}

GridStyle GridStyle::headerSelection()
{
    GridStyle s = whiteLines();
    s.selection = s.header;
    s.selectionText = s.headerText;
    s.selectionBold = s.headerBold;
    return s;
}

GridStyle GridStyle::named(const QString& name)
{
    QMutexLocker lock(&g_lock);
    return registry().value(name, GridStyle::standard());
}

void GridStyle::registerStyle(const QString& name, const GridStyle& style)
{
    QMutexLocker lock(&g_lock);
    registry().insert(name, style);
}

} // namespace pel
