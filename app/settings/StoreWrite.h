#pragma once

#include <QString>

// What one write of the settings store did, for the window that asked for it to tell the user.
// Each fact is told once: the store hands it to the first result after it happened.
struct StoreWrite {
    // Whether the values are on disk.
    bool written = true;
    // The file that could not be written; set only for the first failure of the run.
    QString failedFile;
    // The name under which a damaged file was kept before the store replaced it.
    QString damagedCopy;

    explicit operator bool() const { return written; }
};
