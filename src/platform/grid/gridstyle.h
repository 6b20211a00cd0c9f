#pragma once
// Colour styles of the data grids.

#include <QColor>
#include <QString>

namespace pel {

struct GridStyle {
    QColor header{0, 52, 120};
    QColor headerText{Qt::white};
    bool headerBold = true;
    QColor evenRow{239, 239, 239}; // rows at even positions, counted from 0
    QColor oddRow{Qt::white};
    QColor selection{210, 240, 249};
    QColor selectionText{Qt::black};
    bool selectionBold = false;
    QColor text{Qt::black};
    QColor indicator{66, 66, 66};
    QColor gridLine{224, 224, 224};
    QColor background{Qt::white};
    QColor groupRow{200, 210, 225};
    QColor footer{225, 230, 238};
    QColor footerText{Qt::black};

    // The shared style of the data grids.
    static GridStyle standard() { return {}; }
    // The standard style with white grid lines.
    static GridStyle whiteLines();
    // The standard style whose selected row takes the header colours.
    static GridStyle headerSelection();
    // Registered styles by name ("standart", "beyazcizgi", "basliksecim", or one registered).
    static GridStyle named(const QString& name);
    static void registerStyle(const QString& name, const GridStyle& style);
};

} // namespace pel
