#pragma once
// Opening a link with the system's default handler. Tests install a hook so
// that nothing is really opened.

#include <QString>

#include <functional>

namespace pel {

using ShellOpenHook = std::function<void(const QString& target)>;
void setShellOpenHook(ShellOpenHook hook);

// True for http, https and mailto addresses: the only ones handed to the system.
bool isOpenableLink(const QString& target);

// Hands `target` to the system ("open") when isOpenableLink; otherwise ignores
// it. Returns whether it was handed on.
bool shellOpen(const QString& target);

} // namespace pel
