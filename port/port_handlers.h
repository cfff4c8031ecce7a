#pragma once

class TForm1;

// Open COM: checks the port selectors' choices, applies them to Comm1 and opens the port,
// reporting each outcome with a notice.
void Button10Click(TForm1& form);
// Close COM.
void Button11Click(TForm1& form);

// The port selectors. While the port is open (Open COM disabled) a change closes the port,
// applies the new choice and opens it again; while it is closed they do nothing.
void ComboBox1Change(TForm1& form);
void ComboBox2Change(TForm1& form);
void ComboBox3Change(TForm1& form);
void ComboBox4Change(TForm1& form);
void ComboBox5Change(TForm1& form);

// Gives every entry of the port selector a tooltip naming the device it opens on this machine.
void ShowPortDevices(TForm1& form);

void ConnectPort(TForm1& form);
