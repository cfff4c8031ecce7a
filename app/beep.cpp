#include "app/beep.h"

#include <QApplication>

namespace {
std::function<void()>& CurrentSound() {
    static std::function<void()> sound;
    return sound;
}
} // namespace

void Beep() {
    if (auto& sound = CurrentSound())
        sound();
    else
        QApplication::beep();
}

std::function<void()> SetBeepSound(std::function<void()> sound) {
    return std::exchange(CurrentSound(), std::move(sound));
}
