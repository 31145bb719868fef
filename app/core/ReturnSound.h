#pragma once

#include <QString>

struct AppSettings;
class Platform;

// The sound file looked for under the system folder.
inline constexpr auto returnSoundFolder = "MEDIA";
inline constexpr auto returnSoundFile = "DING.WAV";

// The folder under which the return sound is looked for: the "windir" variable when set,
// otherwise the program's data folder, which ships the sound.
QString soundRootFolder(Platform& platform);

// Plays the return sound when OptBM is "1" and the sound exists; otherwise says it is missing.
// Pending events are processed once before it returns.
void PlayReturnSound(const AppSettings& settings, Platform& platform);
