#pragma once

#include <memory>

class PELTRA;
struct ProgramContext;

// The program's entry: fills the settings from the store (asking for the event date at the first
// start) and shows the countdown window. Returns no window when the program ended on the way.
std::unique_ptr<PELTRA> startUp(const ProgramContext& context);
