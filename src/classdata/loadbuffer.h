#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <vector>

class ClassGrid;

// The scrambled image of a class file while it is read or written: the file's bytes and,
// for every cell of the 170 x 1716 grid, where its line lies in them.
//
// File layout: line 1 the column count, line 2 the row count, then one scrambled cell per
// line, column-major, every line ended by CR LF.
class LoadBuffer
{
public:
    static constexpr int Columns = 170;
    static constexpr int Rows = 1716;

    LoadBuffer();

    void clear();

    // Splits a file's bytes into cells. Returns false with a German message when the first
    // two lines are not non-negative integers; the buffer is then left empty. Cells beyond
    // 170 x 1716 are ignored and lines missing at the end read as empty; warning() then
    // tells the teacher.
    bool parse(QByteArray fileBytes, QString *errorMessage);

    // A German notice about the file last parsed that did not stop it from loading (it ends
    // before its counts say it should); empty when the file is whole.
    const QString &warning() const { return m_warning; }

    // Builds the file image of a grid: every cell encoded and scrambled.
    void scrambleFrom(const ClassGrid &grid);

    // Unscrambles every cell into the grid; cells the file did not cover become empty.
    void unscrambleInto(ClassGrid &grid) const;

    QByteArrayView cell(int column, int row) const;
    QString unscrambledCell(int column, int row) const;

    const QByteArray &fileBytes() const { return m_bytes; }

    // An encrypted file waits here, whole, until the password opens it; the cells are then
    // empty. A save may put the encrypted image of fileBytes() here: it is what is written.
    bool isSealed() const { return !m_sealed.isEmpty(); }
    const QByteArray &sealedBytes() const { return m_sealed; }
    void setSealed(QByteArray bytes) { m_sealed = std::move(bytes); }
    // The bytes a class file gets: the encrypted ones when there are.
    const QByteArray &bytesToWrite() const { return isSealed() ? m_sealed : m_bytes; }

    // The counts from the file's first two lines (saturated at a large bound).
    qint64 fileColumns() const { return m_fileColumns; }
    qint64 fileRows() const { return m_fileRows; }

private:
    static int indexOf(int column, int row) { return column * Rows + row; }

    QByteArray m_bytes;
    QByteArray m_sealed;
    std::vector<uint32_t> m_offset;
    std::vector<uint32_t> m_length;
    qint64 m_fileColumns = 0;
    qint64 m_fileRows = 0;
    QString m_warning;
};
