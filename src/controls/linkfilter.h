#pragma once
// Which clicked link texts may be handed to the system.

#include <QString>

namespace pel {

// True for http and https addresses with a host and for mailto addresses:
// the only link texts the marquee hands to the system's "open".
bool isOpenableLink(const QString& target);

} // namespace pel
