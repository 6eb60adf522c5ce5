#include "previewcommand.h"

#include "printedprompts.h"
#include "toolsupport.h"

#include "import/classlistreader.h"

#include <cstdio>

namespace PreviewCommand {

const QString Usage = QStringLiteral("        markwart-tool preview QUELLE [--table K]");

namespace {

// A document with several tables: the first is taken, and stderr says how to get another.
class TableNote : public PrintedPrompts
{
public:
    QString askText(const QString &caption, const QString &, const QString &proposed) override
    {
        ToolSupport::printError(caption + QStringLiteral(" gelesen wird Tabelle ") + proposed +
                                QStringLiteral(" (eine andere mit --table K)."));
        return proposed;
    }
};

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        default:
            out += c;
        }
    }
    return out;
}

int usage()
{
    ToolSupport::printError(QStringLiteral("Aufruf:") + Usage.mid(7));
    return ToolSupport::BadFile;
}

} // namespace

int run(const QStringList &args)
{
    if (args.size() != 1 && args.size() != 3)
        return usage();
    int table = 0;
    if (args.size() == 3) {
        bool ok = false;
        table = args[2].toInt(&ok);
        if (args[1] != QLatin1String("--table") || !ok || table < 1)
            return usage();
    }
    PreviewGrid grid;
    QString error;
    TableNote prompts;
    const bool read = table > 0 ? ClassListReader::read(args[0], table, grid, &error)
                                : ClassListReader::read(args[0], prompts, grid, &error);
    if (!read) {
        ToolSupport::printError(error);
        return ToolSupport::BadFile;
    }
    QByteArray out;
    for (int column = 0; column < grid.columns(); ++column) {
        for (int row = 0; row < grid.rows(); ++row) {
            const QString text = grid.cell(column, row);
            if (text.isEmpty())
                continue;
            out += QByteArray::number(column) + '\t' + QByteArray::number(row) + '\t' +
                   escaped(text).toUtf8() + '\n';
        }
    }
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return std::fflush(stdout) == 0 ? ToolSupport::Ok : ToolSupport::BadFile;
}

} // namespace PreviewCommand
