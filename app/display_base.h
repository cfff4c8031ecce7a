#pragma once

#include <QString>

class TForm1;

// Button6's caption is the display base: "COM-10" shows and sends characters, any other
// caption ("About", "COM-16") hexadecimal pairs.
inline constexpr const char* DisplayBaseAbout = "About";
inline constexpr const char* DisplayBaseCharacters = "COM-10";
inline constexpr const char* DisplayBaseHexadecimal = "COM-16";

bool IsCharacterForm(const QString& displayBase);

// The caption a click on Button6 gives while the port is open.
QString NextDisplayBase(const QString& displayBase);

// About / display base: resets the Sum total; shows the About box while Open COM is enabled,
// otherwise switches the display base.
void Button6Click(TForm1& form);

// The About box's body.
QString AboutText();
