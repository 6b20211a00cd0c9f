#pragma once
// The program's small icons, drawn in code so that every grid and legend
// shows the same ones.

#include <QIcon>
#include <QPixmap>

namespace pel {

// Stock-status icons: 0 none, 1 in stock, 2 call us, 3 on the way,
// 4 special order, 5 being procured; any other value the neutral icon.
QIcon statusIcon(int code);
QIcon neutralIcon();  // an empty value
QIcon pictureIcon();  // the item has a picture
QIcon newIcon();      // a new item
QIcon campaignIcon(); // a campaign item
QIcon searchIcon();
QIcon menuIcon();
// The wholesaler's logo, `height` pixels high.
QPixmap logoPixmap(int height = 56);

} // namespace pel
