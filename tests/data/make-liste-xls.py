#!/usr/bin/python3
# Writes liste.xls, the class list of tst_import as an Excel 97-2003 workbook, with a second
# worksheet. Needs python3-xlwt (Debian); run it here when the list changes.
import datetime
import xlwt

book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("Klasse")
postcode = xlwt.easyxf(num_format_str="00000")
date = xlwt.easyxf(num_format_str="DD.MM.YYYY")
rows = [
    ["Name", "Vorname", "Straße", "PLZ", "Ort", "Geburtstag"],
    ["Müller", "Jürgen", "Bahnhofstraße 3\nHinterhaus", 1067, "Dresden",
     datetime.date(2009, 8, 20)],
    ["Weiß", "Zoë", "Hauptstr. 1", 12345.0, "Köln", datetime.date(2010, 3, 1)],
]
for r, values in enumerate(rows):
    for c, value in enumerate(values):
        if isinstance(value, datetime.date):
            sheet.write(r, c, value, date)
        elif c == 3 and r == 1:
            sheet.write(r, c, value, postcode)
        else:
            sheet.write(r, c, value)
other = book.add_sheet("Notizen")
other.write(1, 2, True)
other.write(1, 3, 2.5)
book.save("liste.xls")
