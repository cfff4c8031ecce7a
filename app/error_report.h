#pragma once

#include <QString>

#include <functional>

class QMessageBox;

// The default error report: a stop box titled "Tessavane" with OK. The message is shown as the
// error states it, with "." appended when its last character sorts after "."; a system reason
// (for instance why a device could not be opened) goes beneath it as detail text.
// While a report is open, a further report replaces its text instead of stacking a second box, so
// an error that repeats for every received block cannot bury the window.
void ReportError(const QString& message, const QString& detail = {});

// The text the report shows for a message.
QString ErrorReportText(const QString& message);

// The box currently open, or null. For tests.
QMessageBox* OpenErrorReport();

// Runs one event handler on the GUI thread. An exception it throws ends the handler there, is
// shown by the default error report and goes no further, so nothing is thrown through Qt's event
// loop; whatever the handler changed before stays changed.
void RunHandler(const std::function<void()>& handler);
