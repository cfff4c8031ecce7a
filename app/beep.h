#pragma once

#include <functional>

// The system's default alert sound. Handlers that begin or end with a beep call Beep();
// tests replace the sound with a counter through SetBeepSound.
void Beep();

// Installs the function Beep() calls and returns the previous one. An empty function restores
// the system sound.
std::function<void()> SetBeepSound(std::function<void()> sound);
