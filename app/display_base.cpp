#include "app/display_base.h"

#include "app/beep.h"
#include "app/form1.h"
#include "app/form2.h"

#include <QPushButton>

bool IsCharacterForm(const QString& displayBase) {
    return displayBase == QLatin1String(DisplayBaseCharacters);
}

QString NextDisplayBase(const QString& displayBase) {
    return QString::fromLatin1(displayBase == QLatin1String(DisplayBaseHexadecimal)
                                   ? DisplayBaseCharacters
                                   : DisplayBaseHexadecimal);
}

QString AboutText() {
    return QStringLiteral("谢谢使用！Tessavane 版权归其开发者所有。");
}

void Button6Click(TForm1& form) {
    Beep();
    form.State.RunningTotal = 0.0;
    // The enabled Open COM button, not PortOpened, tells that the port is closed.
    if (form.Button10->isEnabled())
        form.ShowNotice(AboutText(), NoticeThanks);
    else
        form.Button6->setText(NextDisplayBase(form.Button6->text()));
}
