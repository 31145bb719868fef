#pragma once

#include <QDateTime>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>

class QWidget;

// Answers and styles of the program's message boxes.
namespace MessageStyle {
inline constexpr int Question = 33;    // question icon, OK + Cancel
inline constexpr int Exclamation = 48; // warning icon, OK
inline constexpr int Information = 64; // information icon, OK
} // namespace MessageStyle

namespace MessageAnswer {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
} // namespace MessageAnswer

// Help viewer commands.
namespace HelpCommand {
inline constexpr int Context = 1;
inline constexpr int Contents = 3;
inline constexpr int PartialKey = 0x105;
} // namespace HelpCommand

// Everything the program asks of the system goes through here, so that tests can script the
// answers, record the requests and set the clock.
class Platform {
public:
    virtual ~Platform();

    // A modal message box; returns the answer (MessageAnswer).
    virtual int messageBox(const QString& prompt, int style, const QString& title) = 0;
    // A request to the help viewer; never reports failure.
    virtual void winHelp(QWidget* window, const QString& helpFile, int command, int data) = 0;
    // Plays a sound file to its end; with no audio device it gives the system beep instead.
    virtual void playSound(const QString& path) = 0;
    virtual QString environmentVariable(const QString& name) = 0;
    // The file's name without its folder when a visible regular file exists there, else empty.
    virtual QString existingFileName(const QString& path) = 0;
    // Opens an address through the desktop's handler without waiting for it; opened is told
    // later, from the event loop, or at once where the answer is known: false when nothing took
    // the address (no opener, or the opener failed).
    virtual void openUrl(const QString& address, std::function<void(bool opened)> done) = 0;
    // The primary screen's size and every screen's rectangle, in twips.
    virtual QSizeF screenSizeTwips() = 0;
    virtual QList<QRectF> screenRectsTwips() = 0;
    // Every screen's available area (the part panels and docks leave free), in twips, in the order
    // of screenRectsTwips().
    virtual QList<QRectF> availableRectsTwips() = 0;
    virtual QDateTime now() = 0;
    // Milliseconds on a clock that counts a suspend and that nobody can set (Linux CLOCK_BOOTTIME):
    // what elapsed times are measured on.
    virtual qint64 bootClockMsecs() = 0;
    // From now on, handler runs soon after the wall clock jumps (set by hand or by the time service,
    // a resume from suspend) or the time zone changes. One handler; a new one replaces the last, an empty one ends the
    // watch.
    virtual void watchWallClock(std::function<void()> handler) = 0;
    virtual void processEvents() = 0;
    // The folder holding the program's data: help file, sounds.
    virtual QString programDirectory() = 0;
    // Ends the program at once. The real platform never returns; a scripted one records the end,
    // so every caller returns straight after calling it and checks hasEnded() after nested loops.
    virtual void endProgram() = 0;
    [[nodiscard]] virtual bool hasEnded() const = 0;
};

// Seconds since midnight, fraction cut off.
int secondsSinceMidnight(const QDateTime& moment);
