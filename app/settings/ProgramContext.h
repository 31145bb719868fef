#pragma once

struct AppSettings;
class Platform;
class SettingsStore;

// What every window of one running countdown works on: the settings in force, the store they are
// saved to, and the platform that shows messages and tells the time. Made once, where the program
// starts, and handed down to each window it opens.
struct ProgramContext {
    AppSettings& settings;
    SettingsStore& store;
    Platform& platform;
};
