#!/usr/bin/python3
# Writes lang.xls, a long list for tst_import: more cells than a pipe holds at once, so that
# reading an old workbook in a child process is seen to hand over everything. Needs
# python3-xlwt (Debian).
import xlwt

book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("Lang")
for r in range(900):
    sheet.write(r, 0, "Name %d" % r)
    sheet.write(r, 1, "Vorname %d" % r)
    sheet.write(r, 2, r)
    sheet.write(r, 3, "Straße %d" % (r % 97))
book.save("lang.xls")
