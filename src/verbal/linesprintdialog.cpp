#include "linesprintdialog.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

bool LinesPrintDialog::print(QWidget *parent, const QFont &font, const QStringList &lines)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    printTo(printer, font, lines);
    return true;
}

void LinesPrintDialog::printTo(QPrinter &printer, const QFont &font, const QStringList &lines)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    painter.setFont(QFont(font, &printer));
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    // A margin of 30 screen pixels, whatever the printer's resolution.
    const int margin = 30 * printer.resolution() / 96;
    int y = margin + metrics.ascent();
    for (const QString &line : lines) {
        if (y + metrics.descent() > page.height()) {
            printer.newPage();
            y = margin + metrics.ascent();
        }
        painter.drawText(margin, y, line);
        y += metrics.lineSpacing();
    }
    painter.end();
}
