#pragma once

class TForm1;

// The calculator's buttons on the main window. Each handler beeps, reads the boxes at the click,
// and writes the result box or shows a notice; conversion and overflow errors leave it to the
// default error report.
void Button1Click(TForm1& form); // +
void Button2Click(TForm1& form); // -
void Button4Click(TForm1& form); // *
void Button5Click(TForm1& form); // /
void Button3Click(TForm1& form); // Sum, also run by Enter
void Button7Click(TForm1& form); // base conversion of the result box
void Button8Click(TForm1& form); // X ^ Y

// Connects the handlers above to their buttons.
void ConnectCalculator(TForm1& form);
