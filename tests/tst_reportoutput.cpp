// Handing a written report to the desktop: the word processor when there is one, otherwise
// the browser with a notice; and reading the desktop's answer about the word processor.

#include "testsupport.h"

#include "app/wordprocessorcheck.h"
#include "documents/reportoutput.h"

#include <QtTest>

namespace {
const QString Document = QStringLiteral("/tmp/Bericht/Fachergebnisse Mathe 7b.docx");
const QString Page = QStringLiteral("/tmp/Bericht/Druck.html");

// Notes how many notices the teacher had seen when each file was opened.
class WatchingOpener : public ScriptedOpener
{
public:
    explicit WatchingOpener(const ScriptedPrompts &prompts) : m_prompts(prompts) {}
    QList<qsizetype> noticesBefore;

    bool open(const QString &path) override
    {
        noticesBefore << m_prompts.messages.size();
        return ScriptedOpener::open(path);
    }

private:
    const ScriptedPrompts &m_prompts;
};
} // namespace

class TestReportOutput : public QObject
{
    Q_OBJECT

private slots:
    void showsDocumentOrPage_data()
    {
        QTest::addColumn<bool>("wordProcessor");
        QTest::addColumn<QStringList>("unopenable");
        QTest::addColumn<bool>("courseBook");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<ReportOutput::Result>("result");

        const QString report =
            QStringLiteral("WORD konnte nicht gestartet werden, ich benutze auch den Browser!");
        const QString courseBook =
            QStringLiteral("MS WORD wurde nicht gefunden, ich benutze auch den Browser!");
        using R = ReportOutput::Result;
        QTest::newRow("word processor") << true << QStringList() << false << QStringList{Document}
                                        << QString() << R::OpenedDocument;
        QTest::newRow("course book, word processor")
            << true << QStringList() << true << QStringList{Document} << QString()
            << R::OpenedDocument;
        QTest::newRow("none") << false << QStringList() << false << QStringList{Page} << report
                              << R::OpenedPage;
        QTest::newRow("course book, none")
            << false << QStringList() << true << QStringList{Page} << courseBook << R::OpenedPage;
        QTest::newRow("word processor does not start")
            << true << QStringList{Document} << false << QStringList{Document, Page} << report
            << R::OpenedPage;
        QTest::newRow("no browser either") << false << QStringList{Page} << true
                                           << QStringList{Page} << courseBook << R::OpenedNothing;
    }

    void showsDocumentOrPage()
    {
        QFETCH(bool, wordProcessor);
        QFETCH(QStringList, unopenable);
        QFETCH(bool, courseBook);
        QFETCH(QStringList, opened);
        QFETCH(QString, notice);
        QFETCH(ReportOutput::Result, result);

        ScriptedPrompts prompts;
        WatchingOpener opener(prompts);
        opener.hasWordProcessor = wordProcessor;
        opener.unopenable = unopenable;
        const auto kind =
            courseBook ? ReportOutput::Notice::CourseBook : ReportOutput::Notice::Report;
        QCOMPARE(ReportOutput::show(Document, Page, opener, prompts, kind), result);
        QCOMPARE(opener.opened, opened);
        QCOMPARE(opener.wordChecks, 1);
        QCOMPARE(prompts.messages, notice.isEmpty() ? QStringList() : QStringList{notice});
        QVERIFY(prompts.questions.isEmpty());
        // The notice is up before the browser comes to the front.
        if (opened.last() == Page)
            QCOMPARE(opener.noticesBefore.last(), 1);
    }

    void desktopNamesAWordProcessor_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("named");

        QTest::newRow("writer") << QByteArray("libreoffice-writer.desktop\n") << true;
        QTest::newRow("blanks around") << QByteArray("  abiword.desktop \r\n") << true;
        QTest::newRow("nothing") << QByteArray() << false;
        QTest::newRow("bare suffix") << QByteArray(".desktop\n") << false;
        QTest::newRow("complaint") << QByteArray("xdg-mime: no method available for querying "
                                                 "default application for .desktop\n")
                                   << false;
    }

    void desktopNamesAWordProcessor()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, named);
        QCOMPARE(WordProcessorCheck::namesProgram(answer), named);
    }
};

QTEST_GUILESS_MAIN(TestReportOutput)
#include "tst_reportoutput.moc"
