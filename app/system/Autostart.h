#pragma once

#include <QString>

// The user's XDG autostart entry that starts this program at login.
namespace Autostart {

// $XDG_CONFIG_HOME/autostart/peltra.desktop, or under ~/.config when that variable is unset or relative.
QString entryPath();
// True when an entry of ours is in place.
bool isEnabled();
// Writes or removes the entry. Removing an entry that is not there succeeds; anything at that path that
// is not a regular file of ours (a folder, a link) is left alone and reported.
bool setEnabled(bool on, QString* error = nullptr);

} // namespace Autostart
