#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <map>

struct ReportDocument;

// Reads a written .docx back into what a test compares: page, tables, cells and the order
// of the blocks in the body.
namespace DocxReadback {

struct Cell
{
    QString text, fill, jc;
    double fontSize = 0; // points of the cell's first run or paragraph mark
    int span = 1;        // grid columns the cell covers
    int width = 0;       // twips
    bool turned = false, bold = false, underline = false;
};
struct Row
{
    QString height, rule; // twips and "exact" or "atLeast"; empty when free
    QList<Cell> cells;
};
struct Table
{
    QString widthType, jc;
    bool borders = false;
    QList<int> gridCols;
    QList<Row> rows;

    QStringList texts(int row) const;
};

// What the body says, element by element: "table", "p:<jc>:<text>", "picture:<rId>".
struct Body
{
    QStringList order;
    QList<Table> tables;
    QMap<QString, QString> pgSz, pgMar;
    QStringList extents; // "cx x cy" in EMU of every picture
};

// The parts of a package by name; empty when it is no zip.
std::map<QString, QByteArray> unzip(const QByteArray &bytes);
QMap<QString, QString> attributes(const QXmlStreamReader &xml);
Body parse(const QByteArray &documentXml);
// The body of a package, with the sizes a run takes from the document's defaults.
Body read(const std::map<QString, QByteArray> &parts);
// The body of the package the document writer makes of `document`.
Body bodyOf(const ReportDocument &document);
// Relationship id -> target, of the main document.
QMap<QString, QString> relationTargets(const std::map<QString, QByteArray> &parts);

} // namespace DocxReadback
