#!/usr/bin/python3
# Writes the seed corpus of the fuzz targets: a few small valid files per reader, made with the
# standard library only. Run it here when a reader learns something new; the files are kept in
# the repository so that `make fuzz` needs nothing but the build.
import os
import shutil
import struct
import zipfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")


def put(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# The targets take an input that is no zip as the container's parts, in their order.
PART_SEPARATOR = b"\n--part--\n"


def zipped(target, name, parts):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    # Fixed dates keep the files the same from run to run.
    with zipfile.ZipFile(os.path.join(folder, name), "w", zipfile.ZIP_DEFLATED) as z:
        for part, text in parts:
            z.writestr(zipfile.ZipInfo(part, (2026, 1, 1, 0, 0, 0)), text)


def parts(target, name, texts):
    put(target, name, PART_SEPARATOR.join(t.encode("utf-8") for t in texts))


# ---- class files: counts, then one line per cell, column-major ----
put("classfile", "small.MWk", b"2\r\n3\r\nab\r\n\r\nc\r\nd\r\n\x01\xff\r\nef\r\n")
put("classfile", "short.MWk", b"170\r\n1716\r\nx\r\n")
put("classfile", "lf-only.MWk", b"1\n2\nMuster\nZoe\n")

# ---- text lists ----
put("csv", "semicolon.csv",
    "\ufeffName;Vorname;Geburtstag\r\nMüller;Jürgen;20.08.2009\r\n\"Weiß; Zoë\";\"a\"\"b\";\r\n"
    .encode("utf-8"))
put("csv", "comma.csv", "Name,Vorname\n\"Bahnhofstr. 3\nHinterhaus\",Köln\n".encode("cp1252"))
put("csv", "tabs.csv", "Name\tVorname\r\nRoth\tAnna".encode("utf-16"))

# ---- xlsx ----
XLSX_BOOK = """<?xml version="1.0" encoding="UTF-8"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"
 xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<workbookPr date1904="0"/><sheets><sheet name="Klasse" sheetId="1" r:id="rId1"/></sheets></workbook>"""
XLSX_RELS = """<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="worksheet" Target="worksheets/sheet1.xml"/></Relationships>"""
XLSX_STYLES = """<?xml version="1.0" encoding="UTF-8"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<numFmts count="1"><numFmt numFmtId="164" formatCode="00000"/></numFmts>
<cellXfs count="3"><xf numFmtId="0"/><xf numFmtId="164"/><xf numFmtId="14"/></cellXfs></styleSheet>"""
XLSX_STRINGS = """<?xml version="1.0" encoding="UTF-8"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<si><t>Name</t></si><si><r><t>Mül</t></r><r><t>ler</t></r><rPh><t>x</t></rPh></si></sst>"""
XLSX_SHEET = """<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="inlineStr"><is><t>Zoë</t></is></c></row>
<row r="2"><c r="A2" t="s"><v>1</v></c><c r="B2" s="1"><v>1067</v></c><c r="C2" s="2"><v>40045</v></c>
<c r="D2" t="b"><v>1</v></c><c r="E2" t="d"><v>2010-03-01</v></c><c><v>2.5</v></c></row>
</sheetData></worksheet>"""
zipped("xlsx", "liste.xlsx", [("xl/workbook.xml", XLSX_BOOK),
                              ("xl/_rels/workbook.xml.rels", XLSX_RELS),
                              ("xl/styles.xml", XLSX_STYLES),
                              ("xl/sharedStrings.xml", XLSX_STRINGS),
                              ("xl/worksheets/sheet1.xml", XLSX_SHEET)])
zipped("xlsx", "bare.xlsx", [("xl/worksheets/sheet1.xml", XLSX_SHEET)])
parts("xlsx", "liste.parts", [XLSX_SHEET, XLSX_STRINGS, XLSX_STYLES, XLSX_BOOK, XLSX_RELS])
parts("xlsx", "sheet.parts", [XLSX_SHEET])

# ---- xls: the workbook of the import test ----
os.makedirs(os.path.join(CORPUS, "xls"), exist_ok=True)
shutil.copy(os.path.join(HERE, "..", "tests", "data", "liste.xls"), os.path.join(CORPUS, "xls"))

# ---- OpenDocument ----
ODF_HEAD = """<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body>"""


def cell(text):
    return ('<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>'
            % text)


ODS_ROWS = ("<table:table-row>" + cell("Name") + cell("Vorname")
            + '<table:table-cell table:number-columns-repeated="3"/></table:table-row>'
            + '<table:table-row table:number-rows-repeated="2">' + cell("Müller")
            + '<table:table-cell office:value-type="float" office:value="1067"><text:p>01067'
            + '</text:p></table:table-cell><table:table-cell office:value-type="date" '
            + 'office:date-value="2009-08-20"><text:p>20.08.09</text:p></table:table-cell>'
            + '<table:covered-table-cell/></table:table-row>')
ODS = (ODF_HEAD + "<office:spreadsheet><table:table>" + ODS_ROWS
       + "</table:table></office:spreadsheet></office:body></office:document-content>")
zipped("ods", "liste.ods", [("content.xml", ODS)])
parts("ods", "content.parts", [ODS])
ODT_TABLE = ('<table:table><table:table-row><table:table-cell table:number-columns-spanned="2">'
             + "<text:p>Klasse 7b</text:p></table:table-cell><table:covered-table-cell/>"
             + "</table:table-row><table:table-row>" + cell("Kühn")
             + "<table:table-cell><text:p>Bahnhofstr.<text:s/>3<text:line-break/>Hof</text:p>"
             + "</table:table-cell></table:table-row></table:table>")
ODT = (ODF_HEAD + "<office:text><text:p>Liste</text:p>" + ODT_TABLE + ODT_TABLE
       + "</office:text></office:body></office:document-content>")
zipped("odt", "liste.odt", [("content.xml", ODT)])
parts("odt", "content.parts", [ODT])

# ---- docx ----
W = 'xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"'


def wcell(text, props=""):
    return ("<w:tc><w:tcPr>%s</w:tcPr><w:p><w:r><w:t>%s</w:t></w:r></w:p></w:tc>"
            % (props, text))


DOCX_BODY = ("<w:tbl><w:tr>" + wcell("Klasse 7b", '<w:gridSpan w:val="2"/>')
             + wcell("Raum", '<w:vMerge w:val="restart"/>') + "</w:tr><w:tr>" + wcell("Kühn")
             + wcell("Roth") + wcell("", "<w:vMerge/>") + "</w:tr></w:tbl>"
             + "<w:tbl><w:tr>" + wcell("Name") + "<w:tc><w:p><w:r><w:t>Bahnhofstr. 3</w:t>"
             + "<w:br/><w:t>Hof</w:t></w:r></w:p></w:tc></w:tr></w:tbl>")
DOCX = ('<?xml version="1.0" encoding="UTF-8"?><w:document %s><w:body>%s</w:body></w:document>'
        % (W, DOCX_BODY))
zipped("docx", "liste.docx", [
    ("[Content_Types].xml", '<?xml version="1.0" encoding="UTF-8"?><Types xmlns='
     '"http://schemas.openxmlformats.org/package/2006/content-types"/>'),
    ("word/document.xml", DOCX)])
parts("docx", "document.parts", [DOCX])

# ---- photos: a stored 24-bit bitmap and PNGs as chosen in the editor (tiny.jpg beside them
# was made once with ImageMagick: convert -size 4x6 xc:red -quality 50 tiny.jpg) ----


def bmp(width, height):
    stride = (width * 3 + 3) & ~3
    pixels = b"".join(bytes((x * 40) % 256 for x in range(width * 3)).ljust(stride, b"\0")
                      for _ in range(height))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def png(width, height):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + bytes((x * 7 + y) % 256 for x in range(width * 3))
                   for y in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


put("photo", "stored.bmp", bmp(6, 8))
put("photo", "portrait.png", png(3, 4))
put("photo", "landscape.png", png(5, 2))
