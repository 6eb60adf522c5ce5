#pragma once

#include <QList>
#include <QString>

// One value of an exported table: text, or a number that spreadsheets can calculate with.
struct ExportCell
{
    QString text; // as the class shows it; what a CSV file receives
    bool isNumber = false;
    double number = 0;

    // Always text: names, phone numbers and postcodes keep their leading zeros.
    static ExportCell fromText(const QString &text);
    // A number when the text is a whole or German decimal number ("2,7"), text otherwise.
    static ExportCell fromValue(const QString &text);
    static ExportCell fromNumber(int number);
};

// One worksheet: its name and its rows, the first row holding the headings.
struct ExportSheet
{
    QString name;
    QList<QList<ExportCell>> rows;
};
