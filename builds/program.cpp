#include "builds/program.h"

#include "waveform/waveform.h"

#include <QApplication>

Program::Program(const BuildProfile& profile) : Form1(profile, Form2) {
    ConnectWaveform(Form1);
}

int RunProgram(int argc, char** argv, const BuildProfile& profile) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessavane"));
    Program program(profile);
    program.Form1.ShowMaximizedAtStart();
    return QApplication::exec();
}
