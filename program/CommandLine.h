#pragma once

#include <QStringList>

#include <optional>

// The options for panels and scripts. They are answered before any application object exists, so
// they need no display, and they only read the settings file, so they may run beside the window.
namespace CommandLine {

// Exit statuses of the options, as the manual page lists them.
inline constexpr int succeeded = 0;
inline constexpr int failed = 1;
inline constexpr int usageError = 2;

// The exit status when the arguments (the program's name first) were an option answered here; no
// value when the program should start the window of the countdown it puts in countdownName (empty
// for the default one).
std::optional<int> run(const QStringList& arguments, QString* countdownName = nullptr);

// The lines of a start that cannot open the window, on standard error in the command line's language.
void reportNoDisplay();
void reportNoAnswer();
// A PELTRA holds the first place but could not make its address: nothing can reach it.
void reportUnreachable();
// This program holds the first place but could not make its address.
void reportNotReachable();

} // namespace CommandLine
