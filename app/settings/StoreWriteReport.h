#pragma once

class Platform;
struct StoreWrite;

// Tells the user what a write of the store needs them to know: that it failed, and where a damaged
// file was kept. Shows nothing for a plain successful write.
void reportStoreWrite(Platform& platform, const StoreWrite& write);
