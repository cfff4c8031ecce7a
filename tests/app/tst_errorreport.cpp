#include "app/conversions.h"
#include "app/error_report.h"
#include "builds/build_profiles.h"
#include "builds/program.h"
#include "serial/comm.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class TestErrorReport : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { delete OpenErrorReport(); }

    // "." is appended when the last character sorts after ".".
    void text_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Floating point overflow"
                                << "Floating point overflow.";
        QTest::newRow("quote") << "'12x' is not a valid integer value"
                               << "'12x' is not a valid integer value.";
        QTest::newRow("blank") << "File handle is not a comm handle "
                               << "File handle is not a comm handle ";
        QTest::newRow("bang") << "Done!"
                              << "Done!";
        QTest::newRow("point") << "Done."
                               << "Done.";
        QTest::newRow("comma sorts before point") << "a,"
                                                  << "a,";
        QTest::newRow("slash sorts after point") << "a/"
                                                 << "a/.";
        QTest::newRow("chinese") << "错误"
                                 << "错误.";
        QTest::newRow("empty") << ""
                               << "";
    }
    void text() {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(ErrorReportText(message), shown);
    }

    // A handler's error ends the handler, keeps what it changed, is reported in a stop box
    // titled "Tessavane", and the program goes on; a second error replaces the open report.
    void handlerErrorIsReportedAndProgramGoesOn() {
        Program program(MultiChannelBuild());
        TForm1& form = program.Form1;
        form.show();
        int runs = 0;
        ConnectClick(form.Button5, [&] {
            ++runs;
            form.Edit3->setText(QStringLiteral("changed"));
            ThrowInvalidInteger(QStringLiteral("3000000000"));
        });
        form.Button5->click();
        QMessageBox* box = OpenErrorReport();
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QCOMPARE(box->windowTitle(), QStringLiteral("Tessavane"));
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box->text(), QStringLiteral("'3000000000' is not a valid integer value."));
        QCOMPARE(form.Edit3->text(), QStringLiteral("changed"));

        ConnectClick(form.Button2, [] { throw EOverflow(); });
        form.Button2->click();
        QCOMPARE(OpenErrorReport(), box);
        QCOMPARE(box->text(), QStringLiteral("Floating point overflow."));

        box->button(QMessageBox::Ok)->click();
        QTRY_VERIFY(!OpenErrorReport());
        form.Button5->click();
        QCOMPARE(runs, 2);
        QVERIFY(OpenErrorReport());
        QVERIFY(form.isVisible());
    }

    // A 0 character received in the character form can be named by a conversion error; the
    // report shows the whole message with the character as the NUL symbol.
    void messageNamingAZeroCharacter() {
        Program program(MultiChannelBuild());
        ConnectClick(program.Form1.Button2, [] { ThrowInvalidInteger(QString(QChar(0))); });
        program.Form1.Button2->click();
        QVERIFY(OpenErrorReport());
        QCOMPARE(OpenErrorReport()->text(),
                 QStringLiteral("'\u2400' is not a valid integer value."));
    }

    void systemReasonShowsAsDetail() {
        Program program(MultiChannelBuild());
        ConnectClick(program.Form1.Button2, [] {
            throw ECommsError("Error opening serial port", "Permission denied: /dev/ttyUSB0");
        });
        program.Form1.Button2->click();
        QMessageBox* box = OpenErrorReport();
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Error opening serial port."));
        QCOMPARE(box->informativeText(), QStringLiteral("Permission denied: /dev/ttyUSB0"));
    }
};

QTEST_MAIN(TestErrorReport)
#include "tst_errorreport.moc"
