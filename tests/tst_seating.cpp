// The seating plan without its window: what it reads from and writes into the class, the
// furniture marks, damaged cells, the photo panel's proportions, name learning and the
// pictures it prints.

#include "classdata/classgrid.h"
#include "documents/reportpicture.h"
#include "photos/photoconverter.h"
#include "seating/planpicture.h"
#include "seating/seatingpictures.h"
#include "seating/seatingplan.h"
#include "testsupport.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

namespace {

int dataRow(int person)
{
    return person * 17 + 16;
}

// Top, left, height and width of a desk as the class holds them.
QString deskCells(const ClassGrid &grid, int person)
{
    const int row = dataRow(person);
    return QStringList{grid.cell(22, row), grid.cell(23, row), grid.cell(24, row),
                       grid.cell(25, row)}
        .join(u' ');
}

QString geometry(const QRect &rect)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(rect.top())
        .arg(rect.left())
        .arg(rect.height())
        .arg(rect.width());
}

void name(ClassGrid &grid, int person, const QString &text)
{
    grid.setCell(0, dataRow(person), text);
}

} // namespace

class SeatingTest : public QObject
{
    Q_OBJECT

private slots:
    void saveWritesEveryDeskAndReadsBack()
    {
        ClassGrid grid;
        name(grid, 0, QStringLiteral("Albrecht, Paul"));
        name(grid, 1, QStringLiteral("Bauer, Lina"));
        name(grid, 2, QStringLiteral("Celik, Deniz"));
        SeatingPlan plan(grid, true);
        plan.restore();
        for (int person = 0; person < SeatingPlan::DeskCount; ++person)
            QCOMPARE(plan.desk(person).shown, person < 3);

        plan.setDeskRect(1, QRect(300, 410, 95, 70));
        plan.setPhotoPanelRect(QRect(700, 90, 200, 10));
        plan.moveSmallPicture(QPoint(500, 600));
        plan.setFurnitureRect(SeatingPlan::Cupboard, QRect(20, 30, 40, 50));
        plan.setFurnitureShown(SeatingPlan::Cupboard, true);
        plan.setFurnitureText(SeatingPlan::Cupboard, QStringLiteral("Bücher\nund Hefte"));
        plan.setFurnitureShown(SeatingPlan::Projector, false);
        plan.save();

        // Top, left, height, width; hidden desks at the design places.
        QCOMPARE(deskCells(grid, 0), QStringLiteral("136 240 60 80"));
        QCOMPARE(deskCells(grid, 1), QStringLiteral("410 300 70 95"));
        QCOMPARE(deskCells(grid, 7), QStringLiteral("224 352 60 80"));
        QCOMPARE(deskCells(grid, 32), QStringLiteral("576 696 60 80"));
        QCOMPARE(deskCells(grid, 33), QStringLiteral("576 576 60 80"));
        for (int person = 0; person < SeatingPlan::DeskCount; ++person)
            QVERIFY2(!grid.cell(25, dataRow(person)).isEmpty(),
                     qPrintable(QString::number(person)));
        QCOMPARE(TestSupport::read(grid, 16, QStringLiteral("26= 27= 28= 29= 30= 31=")),
                 QStringLiteral("26=90 27=700 28=260 29=200 30=500 31=600"));
        QCOMPARE(TestSupport::read(grid, 33, QStringLiteral("33= 34= 35= 36= 37= 38=")),
                 QStringLiteral("33=30 34=20 35=Bücher 36=1 37=50 38=40"));
        QCOMPARE(TestSupport::read(grid, 16, QStringLiteral("33= 34= 36= 37= 38=")),
                 QStringLiteral("33=384 34=112 36=1 37=60 38=105"));
        QCOMPARE(grid.cell(36, 50), QStringLiteral("0"));
        QCOMPARE(grid.cell(36, 67), QStringLiteral("0"));
        // The teacher's desk and the projector have no text of their own.
        QVERIFY(grid.cell(35, 16).isEmpty() && grid.cell(35, 67).isEmpty());

        // A later run finds everything where it was left.
        SeatingPlan again(grid, true);
        again.restore();
        QVERIFY(again.skippedCells().isEmpty());
        for (int person = 0; person < 3; ++person)
            QCOMPARE(again.desk(person).rect, plan.desk(person).rect);
        QCOMPARE(again.photoPanel(), QRect(700, 90, 200, 260));
        QCOMPARE(again.smallPicture(), QPoint(500, 600));
        QCOMPARE(again.furniture(SeatingPlan::Cupboard).rect, QRect(20, 30, 40, 50));
        QCOMPARE(again.furniture(SeatingPlan::Cupboard).text, QStringLiteral("Bücher"));
        QVERIFY(again.furniture(SeatingPlan::Cupboard).shown);
        QVERIFY(!again.furniture(SeatingPlan::Projector).shown);
        QVERIFY(again.isSaved());
    }

    void desksFollowTheNames()
    {
        ClassGrid grid;
        name(grid, 0, QStringLiteral("Albrecht, Paul"));
        name(grid, 1, QStringLiteral("   "));
        name(grid, 3, QStringLiteral("Dorn, Ida"));
        grid.setCell(23, dataRow(1), QStringLiteral("612"));
        grid.setCell(23, dataRow(2), QStringLiteral("700"));
        SeatingPlan plan(grid, true);
        plan.restore();
        QVERIFY(plan.desk(0).shown);
        QVERIFY(!plan.desk(1).shown); // blanks only
        QVERIFY(!plan.desk(2).shown);
        QVERIFY(plan.desk(3).shown);
        QCOMPARE(plan.desk(3).text, QStringLiteral("Dorn, Ida"));
        // A free slot keeps the desk it had; a slot with blanks is a person still.
        QCOMPARE(plan.desk(1).rect.left(), 612);
        QCOMPARE(plan.desk(2).rect.left(), SeatingPlan::defaultDeskRect(2).left());

        // Deleting a person takes the desk away at the next opening.
        name(grid, 3, QString());
        plan.restore();
        QVERIFY(!plan.desk(3).shown);
    }

    void furnitureFollowsItsMark_data()
    {
        QTest::addColumn<int>("piece");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<bool>("shown");
        const struct
        {
            SeatingPlan::Piece piece;
            const char *name;
            bool empty, zero, one, other;
        } rules[] = {
            {SeatingPlan::TeacherDesk, "Pult", true, false, true, true},
            {SeatingPlan::Cupboard, "Schrank", false, false, true, false},
            {SeatingPlan::Shelf, "Regal", false, false, true, false},
            {SeatingPlan::Projector, "Overhead", true, false, true, false},
        };
        for (const auto &rule : rules) {
            QTest::addRow("%s empty", rule.name) << int(rule.piece) << QString() << rule.empty;
            QTest::addRow("%s 0", rule.name) << int(rule.piece) << QStringLiteral("0") << rule.zero;
            QTest::addRow("%s 1", rule.name) << int(rule.piece) << QStringLiteral("1") << rule.one;
            QTest::addRow("%s ja", rule.name)
                << int(rule.piece) << QStringLiteral("ja") << rule.other;
        }
    }

    void furnitureFollowsItsMark()
    {
        QFETCH(int, piece);
        QFETCH(QString, mark);
        QFETCH(bool, shown);
        const int rows[] = {16, 33, 50, 67};
        ClassGrid grid;
        SeatingPlan plan(grid, true);
        // The opposite state first, so that restoring has to change it.
        plan.setFurnitureShown(SeatingPlan::Piece(piece), !shown);
        grid.setCell(36, rows[piece], mark);
        plan.restore();
        QCOMPARE(plan.furniture(SeatingPlan::Piece(piece)).shown, shown);
        // Saving writes the state back as a plain mark.
        plan.save();
        QCOMPARE(grid.cell(36, rows[piece]), shown ? QStringLiteral("1") : QStringLiteral("0"));
    }

    void furnitureTexts()
    {
        ClassGrid grid;
        grid.setCell(35, 50, QStringLiteral("Sammlung"));
        // The teacher's desk keeps its name whatever the cell says.
        grid.setCell(35, 16, QStringLiteral("Katheder"));
        SeatingPlan plan(grid, true);
        plan.setFurnitureText(SeatingPlan::Cupboard, QStringLiteral("Kiste"));
        plan.restore();
        QCOMPARE(plan.furniture(SeatingPlan::Cupboard).text, QStringLiteral("Schrank"));
        QCOMPARE(plan.furniture(SeatingPlan::Shelf).text, QStringLiteral("Sammlung"));
        QCOMPARE(plan.furniture(SeatingPlan::TeacherDesk).text, QStringLiteral("Pult"));
        plan.setFurnitureText(SeatingPlan::TeacherDesk, QStringLiteral("Tisch"));
        QCOMPARE(plan.furniture(SeatingPlan::TeacherDesk).text, QStringLiteral("Pult"));
    }

    void cellThatIsNoNumberIsSkipped()
    {
        ClassGrid grid;
        name(grid, 0, QStringLiteral("Albrecht, Paul"));
        name(grid, 1, QStringLiteral("Bauer, Lina"));
        const int paul = dataRow(0);
        const int lina = dataRow(1);
        TestSupport::fill(grid, paul, QStringLiteral("22=150 23=zwölf 24=64 25=90"));
        TestSupport::fill(grid, lina, QStringLiteral("22=300 23=420 24=12,5 25=99"));
        TestSupport::fill(grid, 16, QStringLiteral("26=100 27=800 29=180 30=x 31=500"));
        SeatingPlan plan(grid, true);
        plan.restore();
        // Only the damaged value keeps what the desk had; the rest of the room is restored.
        QCOMPARE(geometry(plan.desk(0).rect), QStringLiteral("150 240 64 90"));
        QCOMPARE(geometry(plan.desk(1).rect), QStringLiteral("300 420 60 99"));
        QCOMPARE(plan.photoPanel(), QRect(800, 100, 180, 234));
        QCOMPARE(plan.smallPicture(), QPoint(240, 500));
        QCOMPARE(plan.skippedCells(),
                 QStringList({QStringLiteral("(23, 16)"), QStringLiteral("(24, 33)"),
                              QStringLiteral("(30, 16)")}));
        QVERIFY(plan.isSaved());
        // Saving repairs the cells.
        plan.save();
        QCOMPARE(deskCells(grid, 0), QStringLiteral("150 240 64 90"));
    }

    void sizesCannotVanish()
    {
        ClassGrid grid;
        name(grid, 0, QStringLiteral("Albrecht, Paul"));
        TestSupport::fill(grid, dataRow(0), QStringLiteral("24=0 25=-30"));
        SeatingPlan plan(grid, true);
        plan.restore();
        QCOMPARE(plan.desk(0).rect.size(),
                 QSize(SeatingPlan::MinimumSize, SeatingPlan::MinimumSize));
    }

    void photoPanelKeepsPortraitProportions()
    {
        ClassGrid grid;
        SeatingPlan plan(grid, true);
        QCOMPARE(plan.photoPanel().size(), QSize(150, 195));
        plan.setPhotoPanelRect(QRect(10, 20, 200, 40));
        QCOMPARE(plan.photoPanel(), QRect(10, 20, 200, 260));
        plan.setPhotoPanelRect(QRect(10, 20, 151, 400));
        QCOMPARE(plan.photoPanel().height(), 196); // 196.3, the fraction cut off
        plan.resetPhotoPanelSize();
        QCOMPARE(plan.photoPanel(), QRect(10, 20, 150, 195));
        // A stored height that does not fit the width gives way to it.
        TestSupport::fill(grid, 16, QStringLiteral("28=999 29=200"));
        plan.restore();
        QCOMPARE(plan.photoPanel().size(), QSize(200, 260));
    }

    void smallPictureStaysInTheRoom()
    {
        ClassGrid grid;
        SeatingPlan plan(grid, true);
        QVERIFY(plan.smallPictureShown());
        // Dragged near the board it stays; stored there, the next opening takes it away.
        plan.moveSmallPicture(QPoint(100, 300));
        QVERIFY(plan.smallPictureShown());
        plan.save();
        plan.restore();
        QVERIFY(!plan.smallPictureShown());

        plan.toggleBackground();
        QVERIFY(!plan.backgroundShown() && !plan.smallPictureShown());
        plan.toggleBackground();
        QVERIFY(plan.backgroundShown() && plan.smallPictureShown());
        QCOMPARE(plan.smallPicture(), QPoint(288, 634));
        plan.moveSmallPicture(QPoint(912, 300));
        QVERIFY(!plan.smallPictureShown());

        // Without the background it has no place in the room.
        SeatingPlan plain(grid, false);
        QVERIFY(!plain.smallPictureShown());
    }

    void savedFlagCountsRealChanges()
    {
        ClassGrid grid;
        name(grid, 0, QStringLiteral("Albrecht, Paul"));
        SeatingPlan plan(grid, true);
        plan.restore();
        plan.setDeskRect(0, plan.desk(0).rect);
        plan.setFurnitureShown(SeatingPlan::TeacherDesk, true);
        QVERIFY(plan.isSaved());
        plan.setFurnitureShown(SeatingPlan::Shelf, true);
        QVERIFY(!plan.isSaved());
        plan.save();
        QVERIFY(plan.isSaved());
        plan.setDeskRect(0, plan.desk(0).rect.translated(5, 0));
        QVERIFY(!plan.isSaved());
        plan.restore();
        QVERIFY(plan.isSaved());
        plan.setFurnitureText(SeatingPlan::Shelf, QStringLiteral("Regal 2"));
        QVERIFY(!plan.isSaved());
    }

    void unsavedChangesAreDroppedAtTheNextOpening()
    {
        // A class that has never stored a plan: nothing in its cells to restore from.
        ClassGrid grid;
        name(grid, 0, QStringLiteral("Albrecht, Paul"));
        SeatingPlan plan(grid, true);
        plan.restore();
        const QRect desk = plan.desk(0).rect;
        plan.setDeskRect(0, desk.translated(50, 50));
        plan.setPhotoPanelRect(QRect(0, 0, 300, 0));
        plan.setFurnitureRect(SeatingPlan::Shelf, QRect(1, 2, 30, 40));
        plan.moveSmallPicture(QPoint(950, 300));
        QVERIFY(!plan.smallPictureShown());
        plan.restore();
        QCOMPARE(plan.desk(0).rect, desk);
        QCOMPARE(plan.photoPanel(), QRect(476, 464, 150, 195));
        QCOMPARE(plan.furniture(SeatingPlan::Shelf).rect, QRect(104, 544, 121, 41));
        QCOMPARE(plan.smallPicture(), QPoint(240, 632));
        QVERIFY(plan.smallPictureShown());
    }

    void nameLearningShowsQuestionMarks()
    {
        ClassGrid grid;
        for (int person = 0; person < 8; ++person)
            name(grid, person, QStringLiteral("Person %1").arg(person + 1));
        SeatingPlan plan(grid, true);
        plan.restore();
        QVERIFY(plan.opensPersonPage());
        plan.startNameLearning();
        QVERIFY(!plan.opensPersonPage());
        for (int person = 0; person < SeatingPlan::DeskCount; ++person)
            QCOMPARE(plan.desk(person).text, QStringLiteral("        ?"));
        // Names revealed one after the other stay.
        plan.revealName(2);
        plan.revealName(6);
        QCOMPARE(plan.desk(2).text, QStringLiteral("Person 3"));
        QCOMPARE(plan.desk(6).text, QStringLiteral("Person 7"));
        QCOMPARE(plan.desk(4).text, SeatingPlan::QuestionMark);
        // Starting again hides them all.
        plan.startNameLearning();
        QCOMPARE(plan.desk(2).text, SeatingPlan::QuestionMark);
        // Learning names is no change of the room.
        QVERIFY(plan.isSaved());

        plan.leave();
        QVERIFY(plan.opensPersonPage());
        QVERIFY(!plan.desk(0).shown);
        plan.restore();
        QCOMPARE(plan.desk(2).text, QStringLiteral("Person 3"));
        QVERIFY(plan.desk(7).shown);
    }

    void photoOfTheDesk()
    {
        QTemporaryDir project;
        ClassGrid grid;
        name(grid, 0, QStringLiteral("Albrecht, Paul"));
        name(grid, 1, QStringLiteral("Bauer, Lina"));
        name(grid, 2, QStringLiteral("Celik, Deniz"));
        QImage face(135, 180, QImage::Format_RGB888);
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x)
                face.setPixelColor(x, y, QColor(x, y, (x * y) % 256));
        QDir(project.path()).mkpath(QStringLiteral("Fotos/12_2026/7b"));
        QVERIFY(PhotoConverter::saveStoredPhoto(
            face, project.filePath(QStringLiteral("Fotos/12_2026/7b/1.bmp"))));
        grid.setCell(20, dataRow(0), QStringLiteral("Fotos\\12_2026\\7b\\1.bmp"));
        grid.setCell(20, dataRow(1), QStringLiteral("Fotos\\12_2026\\7b\\2.bmp")); // no file
        SeatingPlan plan(grid, true);

        QCOMPARE(plan.photoFor(0, project.path(), true).convertToFormat(QImage::Format_RGB888),
                 face);
        // Hidden photos show as they are stored, scrambled.
        QVERIFY(plan.photoFor(0, project.path(), false).convertToFormat(QImage::Format_RGB888) !=
                face);
        const QImage empty = ReportPicture::placeholder();
        QCOMPARE(plan.photoFor(1, project.path(), true), empty);
        QCOMPARE(plan.photoFor(2, project.path(), true), empty);
    }

    void printedPictures()
    {
        const QImage board = SeatingPictures::board();
        QCOMPARE(board.size(), QSize(135, 180));
        QCOMPARE(board.depth(), 24);

        QTemporaryDir reports;
        const QString folder = reports.filePath(QStringLiteral("tmp"));
        const QImage room = SeatingPictures::classroom(QSize(1017, 745));
        QVERIFY(PlanPicture::write(room, folder));
        QImageReader bitmap(PlanPicture::bitmapPath(folder));
        QCOMPARE(bitmap.format(), QByteArray("bmp"));
        const QImage readBack = bitmap.read();
        QCOMPARE(readBack.size(), QSize(1017, 745));
        // Bits per pixel in the bitmap header.
        QCOMPARE(TestSupport::readBytes(PlanPicture::bitmapPath(folder)).mid(28, 2),
                 QByteArray("\x18\x00", 2));
        QCOMPARE(QImageReader(PlanPicture::jpegPath(folder)).format(), QByteArray("jpeg"));
        // A second print overwrites both.
        QVERIFY(PlanPicture::write(room.scaled(100, 50), folder));
        QCOMPARE(QImage(PlanPicture::jpegPath(folder)).size(), QSize(100, 50));
    }
};

QTEST_GUILESS_MAIN(SeatingTest)
#include "tst_seating.moc"
