#pragma once

#include <QString>

// The user's XDG autostart entry that starts a countdown at login: one entry for each countdown, the
// default one (an empty name) and each named one.
namespace Autostart {

// $XDG_CONFIG_HOME/autostart/peltra.desktop (peltra-KEY.desktop for a named countdown, KEY its short
// key), or under ~/.config when that variable is unset or relative.
QString entryPath(const QString& countdownName = {});
// True when an entry of ours is in place.
bool isEnabled(const QString& countdownName = {});
// What a change of the entry did. The windows and the command line word it in their own language.
struct Change {
    enum Outcome {
        Done,
        Foreign,       // something that is not a plain file of ours is at the path: left alone
        NotRemoved,    // the entry could not be removed
        FolderNotMade, // the autostart folder could not be made
        NotWritten,    // the entry could not be written
    };
    Outcome outcome = Done;
    QString path;   // the entry's path, or for FolderNotMade the folder's, as the user writes it
    QString reason; // the system's reason, where it gave one

    explicit operator bool() const { return outcome == Done; }
};

// Writes or removes the entry. Removing an entry that is not there succeeds; anything at that path that
// is not a regular file of ours (a folder, a link) is left alone and reported.
Change setEnabled(bool on, const QString& countdownName = {});

} // namespace Autostart
