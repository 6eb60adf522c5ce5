#include "messageboxprompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QImageReader>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString lines(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

QWidget *MessageBoxPrompts::owner() const
{
    // A question asked from the seating plan belongs over the seating plan: a box owned by
    // the main window would bring that window up over the plan.
    QWidget *active = QApplication::activeWindow();
    return active && active->isVisible() ? active : m_parent;
}

bool MessageBoxPrompts::askYesNo(const QString &question)
{
    return QMessageBox::question(owner(), QStringLiteral("Markwart"), lines(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QString MessageBoxPrompts::askText(const QString &caption, const QString &prompt,
                                   const QString &proposed)
{
    QInputDialog dialog(owner());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(lines(prompt));
    dialog.setTextValue(proposed);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : proposed;
}

UserPrompts::Answer MessageBoxPrompts::askYesNoCancel(const QString &question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Markwart"), lines(question),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Nein"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    box.setDefaultButton(QMessageBox::Yes);
    // Escape and the close box must never count as "Nein": that would drop the changes.
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void MessageBoxPrompts::showMessage(const QString &text)
{
    QMessageBox::information(owner(), QStringLiteral("Markwart"), lines(text));
}

QString MessageBoxPrompts::chooseClassToOpen(const QString &folder)
{
    return QFileDialog::getOpenFileName(owner(), QStringLiteral("Klasse laden"), folder,
                                        QStringLiteral(".MWk (*.MWk)"));
}

QString MessageBoxPrompts::chooseSaveFile(const QString &proposedPath)
{
    // A proposed workbook means the class is exported, not saved.
    const bool exporting = proposedPath.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive);
    QFileDialog dialog(owner(), exporting ? QStringLiteral("Klasse exportieren")
                                          : QStringLiteral("Klasse speichern"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (exporting) {
        dialog.setNameFilters({QStringLiteral("Excel-Arbeitsmappe (*.xlsx)"),
                               QStringLiteral("CSV-Tabelle, Semikolon getrennt (*.csv)")});
        dialog.setDefaultSuffix(QStringLiteral("xlsx"));
        // The ending follows the chosen kind of file.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString &filter) {
                             dialog.setDefaultSuffix(filter.contains(QLatin1String("*.csv"))
                                                         ? QStringLiteral("csv")
                                                         : QStringLiteral("xlsx"));
                         });
    } else {
        dialog.setNameFilter(QStringLiteral("Klasse im Projektordner speichern (*.MWk)"));
        dialog.setDefaultSuffix(QStringLiteral("MWk"));
    }
    dialog.selectFile(proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString MessageBoxPrompts::choosePicture(const QString &proposedPath)
{
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    const QString filter = QStringLiteral("Bilder (*.jpg *.jpeg *.png *.bmp);;"
                                          "Alle lesbaren Bilder (%1);;Alle Dateien (*)")
                               .arg(patterns.join(QLatin1Char(' ')));
    return QFileDialog::getOpenFileName(owner(), QStringLiteral("Foto suchen"), proposedPath,
                                        filter);
}

QString MessageBoxPrompts::chooseFolder(const QString &caption, const QString &folder)
{
    return QFileDialog::getExistingDirectory(owner(), caption, folder);
}
