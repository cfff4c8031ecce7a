#include "app/error_report.h"

#include "app/conversions.h"
#include "serial/comm.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include <exception>

namespace {
QPointer<QMessageBox>& Box() {
    static QPointer<QMessageBox> box;
    return box;
}
} // namespace

QString ErrorReportText(const QString& message) {
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + u'.';
    return message;
}

void ReportError(const QString& message, const QString& detail) {
    QPointer<QMessageBox>& box = Box();
    if (!box) {
        box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Tessavane"), QString(),
                              QMessageBox::Ok, QApplication::activeWindow());
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::ApplicationModal);
    }
    // A 0 character (received, then named by a conversion error) shows as the NUL symbol;
    // the box would otherwise end the text there.
    box->setText(ErrorReportText(message).replace(QChar(0), QChar(0x2400)));
    box->setInformativeText(detail);
    box->show();
    box->raise();
}

QMessageBox* OpenErrorReport() {
    return Box();
}

void RunHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const EConvertError& error) {
        ReportError(error.Message());
    } catch (const ECommsError& error) {
        ReportError(QString::fromStdString(error.what()), QString::fromStdString(error.Reason()));
    } catch (const std::exception& error) {
        ReportError(QString::fromStdString(error.what()));
    }
}
