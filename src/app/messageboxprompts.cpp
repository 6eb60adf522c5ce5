#include "messageboxprompts.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

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

int MessageBoxPrompts::chooseRecentClass(const QStringList &lines, const QList<bool> &present)
{
    QDialog dialog(owner());
    dialog.setObjectName(QStringLiteral("recentClassesDialog"));
    dialog.setWindowTitle(QStringLiteral("Klasse laden"));
    auto *list = new QListWidget;
    list->setObjectName(QStringLiteral("recentClassesList"));
    for (int k = 0; k < lines.size(); ++k) {
        auto *item = new QListWidgetItem(lines[k], list);
        if (!present.value(k, true)) {
            // Shown, so the teacher sees where the class was, but not to be opened.
            item->setFlags(Qt::NoItemFlags);
            item->setToolTip(QStringLiteral("Die Datei ist nicht mehr da."));
        }
    }
    for (int k = 0; k < list->count(); ++k) {
        if (list->item(k)->flags() & Qt::ItemIsEnabled) {
            list->setCurrentRow(k);
            break;
        }
    }
    auto *open = new QPushButton(QStringLiteral("Öffnen"));
    auto *other = new QPushButton(QStringLiteral("Andere Klasse suchen …"));
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"));
    open->setDefault(true);
    open->setEnabled(list->currentRow() >= 0);
    int choice = NoClass;
    QObject::connect(open, &QPushButton::clicked, &dialog, [&] {
        choice = list->currentRow();
        dialog.accept();
    });
    QObject::connect(list, &QListWidget::itemActivated, &dialog, [&] {
        choice = list->currentRow();
        dialog.accept();
    });
    QObject::connect(other, &QPushButton::clicked, &dialog, [&] {
        choice = OtherClass;
        dialog.accept();
    });
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(open);
    buttons->addWidget(other);
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Zuletzt geöffnete Klassen:")));
    layout->addWidget(list);
    layout->addLayout(buttons);
    dialog.resize(760, 300);
    return dialog.exec() == QDialog::Accepted ? choice : NoClass;
}

QString MessageBoxPrompts::chooseFileToOpen(const QString &caption, const QString &filter,
                                            const QString &folder)
{
    return QFileDialog::getOpenFileName(owner(), caption, folder, filter);
}

QString MessageBoxPrompts::chooseFolder(const QString &caption, const QString &folder)
{
    return QFileDialog::getExistingDirectory(owner(), caption, folder);
}

int MessageBoxPrompts::chooseItem(const QString &caption, const QString &label,
                                  const QStringList &items)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(owner(), caption, label, items, 0, false, &ok);
    return ok ? int(items.indexOf(chosen)) : -1;
}
