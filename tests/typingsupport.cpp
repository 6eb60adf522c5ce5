#include "typingsupport.h"

#include <QApplication>
#include <QWidget>
#include <QtTest>

namespace Typing {

void typeSlowly(QWidget *window, const QString &text, bool flipFocus)
{
    for (const QChar ch : text) {
        QWidget *target = QApplication::focusWidget();
        if (!target)
            target = window;
        if (ch == u'\n')
            QTest::keyClick(target, Qt::Key_Return);
        else
            QTest::keyClicks(target, QString(ch));
        QTest::qWait(60);
        if (flipFocus)
            flipActivation(window);
    }
}

void flipActivation(QWidget *window)
{
    QWidget other;
    other.resize(40, 40);
    other.show();
    other.activateWindow();
    if (!QTest::qWaitForWindowActive(&other))
        qWarning("the other window did not become active");
    other.hide();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("the main window did not become active again");
}

} // namespace Typing
