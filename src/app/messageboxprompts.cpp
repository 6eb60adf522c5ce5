#include "messageboxprompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

QString lines(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

bool MessageBoxPrompts::askYesNo(const QString &question)
{
    return QMessageBox::question(m_parent, QStringLiteral("Markwart"), lines(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxPrompts::showMessage(const QString &text)
{
    QMessageBox::information(m_parent, QStringLiteral("Markwart"), lines(text));
}

QString MessageBoxPrompts::chooseClassToOpen(const QString &folder)
{
    return QFileDialog::getOpenFileName(m_parent, QStringLiteral("Klasse laden"), folder,
                                        QStringLiteral(".MWk (*.MWk)"));
}

QString MessageBoxPrompts::chooseSaveFile(const QString &proposedPath)
{
    QFileDialog dialog(m_parent, QStringLiteral("Klasse speichern"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Klasse im Projektordner speichern (*.MWk)"));
    dialog.setDefaultSuffix(QStringLiteral("MWk"));
    dialog.selectFile(proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
