// The marking list and the compact photo overview: what goes into their tables, pages and
// Word documents, where their photos go and when they are gone again, the panel's rules,
// and the two tool commands.

#include "docxreadback.h"
#include "testsupport.h"

#include "classdata/classdocument.h"
#include "documents/docxwriter.h"
#include "photos/photoconverter.h"
#include "reports/compactoverviewgrid.h"
#include "reports/selectionlist.h"
#include "seating/specialprints.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

int dataRow(int person)
{
    return person * 17 + 16;
}

// Persons named "Person 1" .. "Person n" of class 7b, each with a street.
void fillClass(ClassGrid &grid, int persons)
{
    for (int k = 0; k < persons; ++k) {
        grid.setCell(0, dataRow(k), QStringLiteral("Person %1").arg(k + 1));
        grid.setCell(1, dataRow(k), QStringLiteral("7b"));
        grid.setCell(4, dataRow(k), QStringLiteral("Weg %1").arg(k + 1));
    }
}

QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

// A scrambled photo of one colour stored below the project folder.
QString storePhoto(const QString &project, int person, const QColor &colour)
{
    QImage photo(135, 180, QImage::Format_RGB32);
    photo.fill(colour);
    const QString stored = QStringLiteral("Fotos\\7b\\%1.bmp").arg(person + 1);
    QDir().mkpath(project + QStringLiteral("/Fotos/7b"));
    PhotoConverter::saveStoredPhoto(photo, PhotoConverter::resolve(project, stored));
    return stored;
}

using TestSupport::runTool;
using TestSupport::ToolRun;

DocxReadback::Body docxBody(const QString &path)
{
    return DocxReadback::read(DocxReadback::unzip(TestSupport::readBytes(path)));
}

int mediaCount(const QString &path)
{
    int count = 0;
    for (const auto &[name, bytes] : DocxReadback::unzip(TestSupport::readBytes(path)))
        count += name.startsWith(QLatin1String("word/media/"));
    return count;
}

} // namespace

class SpecialPrintsTest : public QObject
{
    Q_OBJECT

private slots:
    void listHasItsColumnsInFixedOrder()
    {
        ClassGrid grid;
        fillClass(grid, 26);
        grid.setCell(0, dataRow(3), QStringLiteral(" ")); // a single blank is no person
        SelectionListOptions options;
        options.fields[SelectionListOptions::Street] = true;
        options.photos = true;
        options.emptyColumns = 3;
        options.extraRows = 2;
        SelectionList list(grid, options);
        const ListPrint print = list.build(QStringLiteral("/tmp/fotos"));
        const PrintTable &table = print.table;
        QCOMPARE(table.columnCount(), 7);
        QCOMPARE(table.rowCount(), 29);
        QCOMPARE(TestSupport::read(table, 1, "0= 1= 2= 3= 6="),
                 QStringLiteral("0= Nr.: 1= Name: 2=Straße: 3= 6="));
        QCOMPARE(TestSupport::read(table, 0, "0= 2= 3= 4= 5= 6="),
                 QStringLiteral("0= 7b 2= 3=Thema: 4=Thema: 5=Thema: 6="));
        // Person 4 is left out; the extra rows are numbered on.
        QCOMPARE(TestSupport::read(table, 5, "0= 1= 2="), QStringLiteral("0=4 1=Person 5 2=Weg 5"));
        QCOMPARE(TestSupport::read(table, 28, "0= 1= 2="), QStringLiteral("0=27 1= 2="));
        QCOMPARE(print.documentName, QStringLiteral("Liste der 7b"));

        // The data columns keep the list's order, whatever was ticked first.
        SelectionListOptions more;
        for (auto field : {SelectionListOptions::Lrs, SelectionListOptions::Birthday,
                           SelectionListOptions::Mobile, SelectionListOptions::Place})
            more.fields[field] = true;
        const PrintTable headings = SelectionList(grid, more).build({}).table;
        QCOMPARE(TestSupport::read(headings, 1, "2= 3= 4= 5="),
                 QStringLiteral("2=Ort: 3=Handy: 4=Geburtstag: 5=LRS:"));
        // The tool names fields by caption or by heading.
        QCOMPARE(SelectionListOptions::fieldNamed(QStringLiteral("Geburtsdatum")),
                 SelectionListOptions::Birthday);
        QCOMPARE(SelectionListOptions::fieldNamed(QStringLiteral("geburtstag")),
                 SelectionListOptions::Birthday);
        QCOMPARE(SelectionListOptions::fieldNamed(QStringLiteral("Fax")),
                 SelectionListOptions::FieldCount);
    }

    void sizesFollowRowsAndSlider()
    {
        QCOMPARE(SelectionList::rowHeight(30, false), 24);
        QCOMPARE(SelectionList::rowHeight(30, true), 15);
        QCOMPARE(SelectionList::photoPixels(15), QSize(24, 34));
        QCOMPARE(SelectionList::photoPixels(80), QSize(128, 180));
        QCOMPARE(SpecialPrints::sampleSize(40), QSize(68, 90));
        QCOMPARE(SpecialPrints::pagesCaptionFor(40), QStringLiteral("etwa 10 Prs. pro Seite"));
        // Halves go to the even neighbour: 84,5 and 56,5.
        QCOMPARE(SpecialPrints::sampleSize(50).width(), 84);
        QCOMPARE(SpecialPrints::sampleSize(25).height(), 56);

        // Topic headings shrink as empty columns grow; photos take room sooner.
        const QStringList withPhotos{SelectionList::topicHeading(4, true),
                                     SelectionList::topicHeading(5, true),
                                     SelectionList::topicHeading(22, true)};
        QCOMPARE(withPhotos, QStringList({"Thema:", "Th.", "Th."}));
        const QStringList without{
            SelectionList::topicHeading(5, false), SelectionList::topicHeading(6, false),
            SelectionList::topicHeading(15, false), SelectionList::topicHeading(16, false)};
        QCOMPARE(without, QStringList({"Thema:", "Th.", "Th.", "T."}));
    }

    void documentSharesThePageBetweenRows()
    {
        ClassGrid grid;
        fillClass(grid, 28);
        SelectionListOptions options;
        options.emptyColumns = 2;
        // 30 rows: portrait rows are exactly 24 points high.
        DocxReadback::Body body =
            DocxReadback::bodyOf(SelectionList(grid, options).build({}).document);
        QCOMPARE(body.tables.first().rows.size(), 30);
        QCOMPARE(body.tables.first().rows.last().height, QStringLiteral("480"));
        QCOMPARE(body.tables.first().rows.last().rule, QStringLiteral("exact"));
        QCOMPARE(body.tables.first().texts(0).mid(2), QStringList({"Thema:", "Thema:"}));
        QCOMPARE(body.pgMar.value("top"), QStringLiteral("980"));

        // Landscape with photos: 15 points at least, so that a photo makes its row grow.
        options.landscape = true;
        options.photos = true;
        body = DocxReadback::bodyOf(SelectionList(grid, options).build({}).document);
        QCOMPARE(body.pgSz.value("orient"), QStringLiteral("landscape"));
        QCOMPARE(body.tables.first().rows.last().height, QStringLiteral("300"));
        QCOMPARE(body.tables.first().rows.last().rule, QStringLiteral("atLeast"));
        QCOMPARE(body.pgMar.value("top"), QStringLiteral("400"));
    }

    void listPhotosAreUnscrambledCopies()
    {
        QTemporaryDir dir;
        const QString project = dir.filePath(QStringLiteral("projekt"));
        ClassGrid grid;
        fillClass(grid, 3);
        grid.setCell(20, dataRow(0), storePhoto(project, 0, QColor(200, 30, 40)));
        // Person 2 has no photo; person 3's file is gone.
        grid.setCell(20, dataRow(2), QStringLiteral("Fotos\\7b\\3.bmp"));
        SelectionListOptions options;
        options.photos = true;
        options.photoSize = 40;
        SelectionList list(grid, options);
        list.setProjectFolder(project);
        const QString folder = dir.filePath(QStringLiteral("tmp/Druck"));
        const ListPrint print = list.build(folder);
        QVERIFY(ListPrintKit::writePhotos(print.photoFiles));

        const QString first = folder + QStringLiteral("/0/1.bmp");
        const QImage picture(first);
        QCOMPARE(picture.size(), QSize(64, 90));
        QCOMPARE(picture.pixelColor(32, 45), QColor(200, 30, 40));
        // Letterboxed on the pale background.
        QCOMPARE(picture.pixelColor(32, 0), QColor(238, 236, 225));
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/2/3.bmp")));
        QCOMPARE(filesBelow(folder).size(), 2);

        // Addresses are file URLs with three slashes before the absolute path.
        const QString page = print.page.join(u'\n');
        QVERIFY(page.contains(QStringLiteral("src=\"file://") + first + u' '));
        QVERIFY(!page.contains(QStringLiteral("file:////")));
        QCOMPARE(page.count(QStringLiteral("alt = \"Leider kein Foto hinterlegt!\"")), 3);
        // The document shows the text where the page would show no picture.
        QCOMPARE(print.table.cell(2, 3), QStringLiteral("Leider kein Foto hinterlegt!"));
        QCOMPARE(print.document.table.cellPictures.size(), size_t(2));
    }

    void compactOverviewTakesBlocksOfFive()
    {
        ClassGrid grid;
        fillClass(grid, 12);
        grid.setCell(0, dataRow(6), QStringLiteral(" "));
        CompactOverviewGrid overview(grid);
        QCOMPARE(overview.rowCount(), 6);
        const ListPrint print = overview.build(QStringLiteral("/tmp/Druck"));
        QCOMPARE(print.table.columnCount(), 5);
        QCOMPARE(TestSupport::read(print.table, 3, "0= 1= 2="),
                 QStringLiteral("0=Person 6 1= 2=Person 8"));
        // Every named person gets a portrait, the empty one without a photo; block 0 large.
        const QString page = print.page.join(u'\n');
        QCOMPARE(page.count(QStringLiteral("leer.bmp")), 11);
        QCOMPARE(page.count(QStringLiteral("height:180px")), 5);
        QCOMPARE(print.document.table.cellPictures.size(), size_t(11));
        QCOMPARE(print.documentName, QStringLiteral("Übersicht 7b"));
        // The blank was only emptied in the copy.
        QCOMPARE(grid.cell(0, dataRow(6)), QStringLiteral(" "));

        // A later block alone keeps the rows of the empty blocks before it.
        ClassGrid late;
        late.setCell(0, dataRow(17), QStringLiteral("Zora"));
        QCOMPARE(CompactOverviewGrid(late).rowCount(), 8);
    }

    void wordDocumentsLeaveNoPhotoOnDisk()
    {
        QTemporaryDir dir;
        const QString project = dir.filePath(QStringLiteral("projekt"));
        const QString reports = dir.filePath(QStringLiteral("tmp"));
        ClassDocument document;
        fillClass(document.grid(), 7);
        document.grid().setCell(20, dataRow(1), storePhoto(project, 1, Qt::blue));
        ScriptedPrompts prompts;
        ScriptedOpener opener;
        SpecialPrints prints(document, prompts, opener, reports);
        prints.setProjectFolder([project] { return project; });
        prints.options().photos = true;
        // An earlier page left its photos behind.
        QVERIFY(QDir().mkpath(reports + QStringLiteral("/Druck/5")));

        SpecialPrints::Outcome outcome = prints.printList();
        QVERIFY(outcome.delivered);
        QCOMPARE(opener.opened, QStringList{reports + QStringLiteral("/Liste der 7b.docx")});
        QCOMPARE(mediaCount(outcome.documentPath), 1);
        outcome = prints.printCompact();
        QVERIFY(outcome.delivered);
        QCOMPARE(mediaCount(outcome.documentPath), 7);
        QCOMPARE(opener.opened.last(), reports + QStringLiteral("/Übersicht 7b.docx"));
        QCOMPARE(docxBody(outcome.documentPath).tables.first().rows.size(), 4);
        QCOMPARE(filesBelow(reports).filter(QStringLiteral(".bmp")), QStringList());
        QVERIFY(!QFileInfo::exists(reports + QStringLiteral("/Druck")));
        QCOMPARE(prompts.messages, QStringList{CompactOverviewGrid::PhotoNotice});

        // Pages keep their photos for the browser, which reads them after the command.
        prints.chooseWordDocument(false);
        outcome = prints.printCompact();
        QCOMPARE(outcome.pagePath, reports + QStringLiteral("/Druck.html"));
        QCOMPARE(opener.opened.last(), outcome.pagePath);
        QVERIFY(QFileInfo::exists(reports + QStringLiteral("/Druck/1/2.bmp")));
        QCOMPARE(QImage(reports + QStringLiteral("/Druck/1/2.bmp")).pixelColor(5, 5),
                 QColor(Qt::blue));
        QVERIFY(QFileInfo::exists(reports + QStringLiteral("/Druck/leer.bmp")));
    }

    void fallbacksAndRefusals()
    {
        QTemporaryDir dir;
        const QString reports = dir.filePath(QStringLiteral("tmp"));
        ClassDocument document;
        fillClass(document.grid(), 2);
        ScriptedPrompts prompts;
        ScriptedOpener opener;
        opener.hasWordProcessor = false;
        SpecialPrints prints(document, prompts, opener, reports);

        // No word processor: the document is written all the same, the browser shows the page.
        SpecialPrints::Outcome outcome = prints.printList();
        QCOMPARE(prompts.messages, QStringList{SpecialPrints::NoWordMessage});
        QCOMPARE(opener.opened, QStringList{reports + QStringLiteral("/Druck.html")});
        QVERIFY(QFileInfo::exists(outcome.documentPath));
        prints.printCompact();
        QCOMPARE(prompts.messages.last(), SpecialPrints::CompactNoWordMessage);

        // A document still open elsewhere.
        prompts.messages.clear();
        opener.opened.clear();
        TestSupport::writeClass(reports + QStringLiteral("/~$Liste der 7b.docx"), {});
        QVERIFY(!prints.printList().delivered);
        QCOMPARE(prompts.messages, QStringList{SpecialPrints::FailedMessage});
        QVERIFY(opener.opened.isEmpty());

        // Hidden photos: no overview at all.
        prompts.messages.clear();
        document.setPhotosVisible(false);
        QVERIFY(!prints.printCompact().delivered);
        QCOMPARE(prompts.messages, QStringList({CompactOverviewGrid::PhotoNotice,
                                                CompactOverviewGrid::PhotosHiddenMessage}));
        QVERIFY(opener.opened.isEmpty());
    }

    void panelShowsWhatTheChoicesNeed()
    {
        ClassDocument document;
        ScriptedPrompts prompts;
        ScriptedOpener opener;
        SpecialPrints prints(document, prompts, opener, QString());
        QVERIFY(prints.wordDocument());
        QVERIFY(prints.sliderShown() && !prints.pagesGroupShown());
        QCOMPARE(prints.pagesCaption(), QStringLiteral("27 Prs. pro Seite"));

        prints.chooseWordDocument(false);
        QVERIFY(!prints.sliderShown() && prints.pagesGroupShown());
        prints.setPhotos(true);
        QCOMPARE(prompts.messages, QStringList{SpecialPrints::PhotoNotice});
        QVERIFY(!prints.sliderShown());
        prints.setPhotos(false);
        QCOMPARE(prompts.messages.size(), 1);
        prints.chooseWordDocument(true);
        QVERIFY(prints.sliderShown() && !prints.pagesGroupShown());
        prints.setPhotos(true);
        QVERIFY(prints.sliderShown() && prints.pagesGroupShown());

        prints.moveSlider(40);
        QVERIFY(prints.sampleShown());
        QCOMPARE(prints.pagesCaption(), QStringLiteral("etwa 10 Prs. pro Seite"));
        QCOMPARE(prints.options().photoSize, 40);
        prints.hideSample();
        QVERIFY(!prints.sampleShown());
    }

    void toolWritesListsAndOverviews()
    {
        QTemporaryDir dir;
        const QString project = dir.path();
        const QString path = dir.filePath(QStringLiteral("klasse.MWk"));
        QList<std::tuple<int, int, QString>> cells;
        for (int k = 0; k < 3; ++k)
            cells << std::tuple(0, dataRow(k), QStringLiteral("Kind %1").arg(k + 1))
                  << std::tuple(1, dataRow(k), QStringLiteral("5a"))
                  << std::tuple(3, dataRow(k), QStringLiteral("0%1.02.2015").arg(k + 1))
                  << std::tuple(7, dataRow(k), QStringLiteral("ja"));
        cells << std::tuple(20, dataRow(1), storePhoto(project, 1, Qt::green))
              << std::tuple(26, 599, QStringLiteral("ja")); // photos shown
        TestSupport::writeClass(path, cells);

        const QString docx = dir.filePath(QStringLiteral("liste.docx"));
        ToolRun run = runTool({"list", path, "--out", docx, "--fields", "LRS,Geburtsdatum,Fotos",
                               "--empty", "2", "--extra", "1", "--landscape"});
        QVERIFY2(run.exitCode == 0, run.err);
        DocxReadback::Body body = docxBody(docx);
        QCOMPARE(body.tables.first().texts(1),
                 QStringList({" Nr.:", " Name:", "Geburtstag:", "LRS:", "", "", ""}));
        QCOMPARE(body.tables.first().rows.size(), 6);
        QCOMPARE(body.pgSz.value("orient"), QStringLiteral("landscape"));
        QCOMPARE(mediaCount(docx), 1);

        // The page's photos lie beside it.
        const QString html = dir.filePath(QStringLiteral("liste.html"));
        run = runTool({"list", path, "--out", html, "--fields", "Geburtstag,Fotos"});
        QVERIFY2(run.exitCode == 0, run.err);
        QVERIFY(TestSupport::readBytes(html).contains(" 5a"));
        QCOMPARE(filesBelow(dir.filePath(QStringLiteral("liste-Fotos"))).size(), 1);

        const QString compact = dir.filePath(QStringLiteral("fotos.docx"));
        run = runTool({"compact", path, "--out", compact});
        QVERIFY2(run.exitCode == 0, run.err);
        QCOMPARE(docxBody(compact).tables.first().texts(1),
                 QStringList({"Kind 1", "Kind 2", "Kind 3", "", ""}));

        // Wrong arguments and a wrong password.
        const QList<QStringList> wrong{
            {"list", path},
            {"list", path, "--out", dir.filePath("x.pdf")},
            {"list", path, "--out", docx, "--fields", "Fax"},
            {"list", path, "--out", docx, "--empty", "23"},
            {"list", path, "--out", docx, "--photo-size", "14"},
            {"compact", path, "--out", docx, "--landscape"},
        };
        for (const QStringList &args : wrong)
            QVERIFY2(runTool(args).exitCode == 2, qPrintable(args.join(u' ')));
        TestSupport::writeClass(path, cells << std::tuple(17, 599, QStringLiteral("geheim")));
        QCOMPARE(runTool({"compact", path, "--out", compact}).exitCode, 3);
        QCOMPARE(runTool({"compact", path, "--out", compact, "--password", "geheim"}).exitCode, 0);
    }
};

QTEST_MAIN(SpecialPrintsTest)
#include "tst_specialprints.moc"
