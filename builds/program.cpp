#include "builds/program.h"

#include "calculator/calculator_handlers.h"
#include "exchange/exchange_handlers.h"
#include "port/port_handlers.h"
#include "waveform/waveform.h"

#include <QApplication>

Program::Program(const BuildProfile& profile) : Form1(profile, Form2) {
    ConnectCalculator(Form1);
    ConnectWaveform(Form1);
    ConnectPort(Form1);
    ConnectExchange(Form1);
}

int RunProgram(int argc, char** argv, const BuildProfile& profile) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessavane"));
    Program program(profile);
    program.Form1.ShowMaximizedAtStart();
    return QApplication::exec();
}
