#include "classdocument.h"

#include "photocipher.h"

namespace {

const QString WeightingLabel = QStringLiteral("Gewichtung, mdl.|schr.");
const QString Yes = QStringLiteral("ja");
const QString No = QStringLiteral("nein");

QString yesNo(bool on)
{
    return on ? Yes : No;
}

QVector<int> standardTabOrder()
{
    QVector<int> positions(ClassDocument::TabCount);
    for (int k = 0; k < ClassDocument::TabCount; ++k)
        positions[k] = k;
    return positions;
}

QStringList standardRowLabels()
{
    QStringList labels(16);
    labels[0] = WeightingLabel;
    return labels;
}

} // namespace

ClassDocument::ClassDocument(QObject *parent)
    : QObject(parent), m_rowLabels(standardRowLabels()), m_tabPositions(standardTabOrder())
{
    connect(&m_grid, &ClassGrid::cellChanged, this, [this] { setSaved(false); });
    connect(&m_grid, &ClassGrid::cellsChanged, this, [this] { setSaved(false); });
}

void ClassDocument::setSaved(bool saved)
{
    if (saved) {
        m_settingsChanged = false;
        m_grid.markClean();
    }
    if (m_saved == saved)
        return;
    m_saved = saved;
    emit savedChanged(saved);
}

bool ClassDocument::undo()
{
    return followStep(m_grid.undo());
}

bool ClassDocument::redo()
{
    return followStep(m_grid.redo());
}

bool ClassDocument::followStep(const std::vector<UndoHistory::Change> &changes)
{
    if (changes.empty())
        return false;
    for (const UndoHistory::Change &change : changes) {
        const int column = change.column;
        const int row = change.row;
        const QString &text = m_grid.cell(column, row);
        // Subject names are typed into the shown person's block; other blocks may lag.
        if (column == 0 && row / BlockRows == m_currentPerson) {
            const int label = row % BlockRows;
            if (label >= 1 && label <= 15)
                m_rowLabels[label] = text;
        }
        if (column == 15 && row == 599)
            m_pointsMode = text == Yes;
        else if (column == 25 && row == 599)
            m_halfDown = text == Yes;
        else if (column == 26 && row == 599)
            m_photosVisible = text == Yes;
        else if (column == 0 && row == 1715)
            m_verbalEvaluation = text == Yes;
        else if (column == 8 && row == 33) {
            bool ok = false;
            const int slider = text.toInt(&ok);
            if (ok && slider >= 0 && slider <= 4)
                m_sliderPosition = slider;
        }
    }
    // A setting changed outside the history keeps the class unsaved.
    const bool clean = m_grid.history().isClean() && !m_settingsChanged;
    if (clean) {
        setSaved(true);
    } else if (m_saved) {
        m_saved = false;
        emit savedChanged(false);
    }
    return true;
}

void ClassDocument::setCurrentPerson(int person)
{
    person = qBound(0, person, PersonCount - 1);
    if (m_currentPerson == person)
        return;
    m_currentPerson = person;
    emit currentPersonChanged(person);
}

void ClassDocument::setRowLabel(int row, const QString &text)
{
    if (row > 0 && row < m_rowLabels.size())
        m_rowLabels[row] = text;
}

void ClassDocument::setPhotoKey(const QByteArray &key)
{
    m_photoKey = key;
    // Every reader of photos finds it there.
    PhotoCipher::rememberKey(key);
}

QString ClassDocument::password() const
{
    return m_grid.cell(17, 599);
}

QString ClassDocument::loadedPath() const
{
    return m_grid.cell(18, 599);
}

QString ClassDocument::versionMark() const
{
    return m_grid.cell(10, 33);
}

void ClassDocument::stampCommon()
{
    for (int k = 0; k < TabCount; ++k)
        m_grid.setCell(16, dataRow(k), QString::number(m_tabPositions.value(k, k)));
    // Blocks 0..34: the block after the last person carries the labels too.
    for (int n = 0; n <= PersonCount; ++n)
        for (int r = 0; r < 16; ++r)
            m_grid.setCell(0, n * BlockRows + r, m_rowLabels.value(r));
    m_grid.setCell(8, 33, QString::number(m_sliderPosition));
    m_grid.setCell(15, 599, yesNo(m_pointsMode));
    m_grid.setCell(25, 599, yesNo(m_halfDown));
    m_grid.setCell(26, 599, yesNo(m_photosVisible));
}

void ClassDocument::stamp(const QString &versionMark)
{
    emit flushRequested();
    const ClassGrid::Unrecorded programWrite(m_grid);
    m_grid.setCell(0, 1715, yesNo(m_verbalEvaluation));
    m_grid.setCell(10, 33, versionMark);
    stampCommon();
}

void ClassDocument::stampKeepingVersion()
{
    emit flushRequested();
    const ClassGrid::Unrecorded programWrite(m_grid);
    stampCommon();
}

void ClassDocument::readSettingsFromGrid()
{
    m_pointsMode = m_grid.cell(15, 599) == Yes;
    m_halfDown = m_grid.cell(25, 599) == Yes;
    m_photosVisible = m_grid.cell(26, 599) == Yes;
    m_verbalEvaluation = m_grid.cell(0, 1715) == Yes;
    bool ok = false;
    const int slider = m_grid.cell(8, 33).toInt(&ok);
    if (ok && slider >= 0 && slider <= 4)
        m_sliderPosition = slider;

    const int block = m_currentPerson * BlockRows;
    for (int r = 1; r < 16; ++r)
        m_rowLabels[r] = m_grid.cell(0, block + r);

    for (int k = 0; k < TabCount; ++k) {
        const int position = m_grid.cell(16, dataRow(k)).toInt(&ok);
        if (ok && position >= 0 && position < TabCount)
            m_tabPositions[k] = position;
    }
}

void ClassDocument::writeSettingCells()
{
    m_grid.setCell(15, 599, yesNo(m_pointsMode));
    m_grid.setCell(25, 599, yesNo(m_halfDown));
    m_grid.setCell(26, 599, yesNo(m_photosVisible));
    m_grid.setCell(0, 1715, yesNo(m_verbalEvaluation));
    m_grid.setCell(8, 33, QString::number(m_sliderPosition));
    m_settingsChanged = false;
}

void ClassDocument::reset()
{
    {
        const ClassGrid::BulkChange bulk(m_grid);
        // Taking the emptying back brings the settings of the class back too.
        writeSettingCells();
        m_grid.eraseAll();
        m_verbalEvaluation = false;
        m_pointsMode = false;
        m_halfDown = true;
        m_photosVisible = true;
        m_sliderPosition = 2;
        m_rowLabels = standardRowLabels();
        m_tabPositions = standardTabOrder();
        writeSettingCells();
    }
    m_loadBuffer.clear();
    m_encrypted = false;
    m_photoKey.clear();
    setSaved(true);
}
