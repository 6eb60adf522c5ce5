#include "photoimport.h"

#include "classdata/classdocument.h"
#include "classdata/classgrid.h"
#include "imageoperations.h"
#include "photostore.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace PhotoImport {

namespace {

QString personName(const ClassGrid &grid, int person)
{
    return grid.cell(0, ClassDocument::dataRow(person)).trimmed();
}

// The word orders a person's name may appear in: with a comma the two halves either way
// round, without one every turn of the words ("Anna Maria Weber" as "Weber Anna Maria").
QStringList spellings(const QString &name)
{
    QStringList result;
    const qsizetype comma = name.indexOf(u',');
    if (comma >= 0) {
        const QString last = comparable(name.left(comma));
        const QString first = comparable(name.mid(comma + 1));
        if (last.isEmpty() || first.isEmpty())
            return {comparable(name)};
        return {last + u' ' + first, first + u' ' + last};
    }
    const QStringList words = comparable(name).split(u' ', Qt::SkipEmptyParts);
    for (qsizetype turn = 0; turn < words.size(); ++turn)
        result << (words.mid(turn) + words.mid(0, turn)).join(u' ');
    return result;
}

// The class a person's photo is filed under: their own, else that of the list's first person
// (else of the first person who has one).
QString classFor(const ClassGrid &grid, int person)
{
    const QString own = grid.cell(1, ClassDocument::dataRow(person)).trimmed();
    if (!own.isEmpty())
        return own;
    for (int other = 0; other < ClassDocument::PersonCount; ++other) {
        const QString text = grid.cell(1, ClassDocument::dataRow(other)).trimmed();
        if (!text.isEmpty())
            return text;
    }
    return QString();
}

bool isPictureFile(const QFileInfo &file)
{
    static const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    return formats.contains(file.suffix().toLower().toLatin1());
}

QImage framedFromTop(const QImage &source, int zoom)
{
    using namespace ImageOperations;
    const QImage picture = scaled(source, fillingZoom(source.size(), zoom), Scaling::Search);
    return framed(picture, QPoint(-std::max(0, (picture.width() - FrameWidth) / 2), 0));
}

} // namespace

QString comparable(const QString &text)
{
    QString s = text.normalized(QString::NormalizationForm_C).toLower();
    s.replace(u'ä', QLatin1String("ae"));
    s.replace(u'ö', QLatin1String("oe"));
    s.replace(u'ü', QLatin1String("ue"));
    s.replace(u'ß', QLatin1String("ss"));
    static const QRegularExpression separators(QStringLiteral("[\\s_,]+"));
    return s.split(separators, Qt::SkipEmptyParts).join(u' ');
}

bool nameMatches(const QString &personName, const QString &fileBaseName)
{
    const QString file = comparable(fileBaseName);
    return !file.isEmpty() && spellings(personName).contains(file);
}

Result run(ClassGrid &grid, const QString &folder, const QString &projectFolder, int zoom,
           const QDate &day, const QByteArray &photoKey)
{
    const ClassGrid::UndoStep step(grid, QStringLiteral("Fotos aus Ordner übernommen"));
    Result result;
    QSet<int> served;
    const QFileInfoList files =
        QDir(folder).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &file : files) {
        if (!isPictureFile(file))
            continue;
        int match = -1;
        bool taken = false;
        for (int person = 0; person < ClassDocument::PersonCount && match < 0; ++person) {
            const QString name = personName(grid, person);
            if (name.isEmpty() || !nameMatches(name, file.completeBaseName()))
                continue;
            if (served.contains(person))
                taken = true;
            else
                match = person;
        }
        if (match < 0) {
            (taken ? result.surplus : result.unmatched) << file.fileName();
            continue;
        }
        served.insert(match);
        const Assignment assignment{match, file.fileName()};
        const QImage source = ImageOperations::loadPicture(file.filePath());
        const QString className = classFor(grid, match);
        if (source.isNull() || className.isEmpty() ||
            PhotoStore::store(grid, match, className, framedFromTop(source, zoom), projectFolder,
                              day, photoKey)
                .isEmpty()) {
            result.failed << assignment;
            continue;
        }
        result.stored << assignment;
    }
    const auto byPerson = [](const Assignment &a, const Assignment &b) {
        return a.person < b.person;
    };
    std::sort(result.stored.begin(), result.stored.end(), byPerson);
    std::sort(result.failed.begin(), result.failed.end(), byPerson);
    return result;
}

QStringList describe(const Result &result, const ClassGrid &grid)
{
    QStringList lines;
    const auto person = [&grid](const Assignment &a) {
        return QStringLiteral("  %1 %2 (%3)")
            .arg(a.person + 1)
            .arg(personName(grid, a.person), a.file);
    };
    lines << QStringLiteral("Fotos übernommen: %1").arg(result.stored.size());
    for (const Assignment &a : result.stored)
        lines << person(a);
    if (!result.failed.isEmpty()) {
        lines << QStringLiteral("Nicht übernommen (Bild unlesbar oder keine Klasse):");
        for (const Assignment &a : result.failed)
            lines << person(a);
    }
    if (!result.surplus.isEmpty()) {
        lines << QStringLiteral("Weiteres Bild derselben Person, nicht übernommen:");
        for (const QString &file : result.surplus)
            lines << QStringLiteral("  ") + file;
    }
    if (!result.unmatched.isEmpty()) {
        lines << QStringLiteral("Keiner Person zugeordnet:");
        for (const QString &file : result.unmatched)
            lines << QStringLiteral("  ") + file;
    }
    return lines;
}

} // namespace PhotoImport
