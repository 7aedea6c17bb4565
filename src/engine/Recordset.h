#pragma once

#include <QSet>
#include <memory>
#include <optional>

#include "TableStore.h"

namespace engine {

enum RecordsetType { dbOpenTable = 1, dbOpenDynaset = 2 };
enum LockType { dbPessimistic = 2, dbOptimistic = 3 };
enum EditMode { dbEditNone = 0, dbEditInProgress = 1, dbEditAdd = 2 };

using Bookmark = RowId;

// A recordset of the dynaset kind: the set of rows and their order are fixed
// when it opens (a keyset of row keys); values are read by key each time a
// row becomes current, when an edit begins, and for long data on every read.
// Rows added through this recordset stand after the last.
class Recordset {
public:
    Recordset(std::shared_ptr<TableStore> store, LockType lockType, std::vector<SortKey> order = {});

    bool updatable() const { return m_store->writable(); }
    bool bookmarkable() const { return true; }
    // Pessimistic locking would lock at Edit; this engine locks only while it writes.
    bool lockEdits() const { return m_lockType == dbPessimistic; }

    QString sort() const { return m_sortText; }
    void setSort(const QString& text);
    // A new dynaset over the same table, ordered by `sort()`.
    std::unique_ptr<Recordset> openRecordset(int type = dbOpenDynaset, int options = 0) const;
    void close();

    int fieldCount() const { return int(m_store->columns().size()); }
    const Column& column(int index) const { return m_store->columns()[index]; }
    int columnIndex(const QString& name) const;

    QVariant value(int column);
    void setValue(int column, const QVariant& value);

    int recordCount();
    bool bof();
    bool eof();
    int absolutePosition();
    void setAbsolutePosition(int position);
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    // Moves by n rows; Move(0) re-reads the current row from the file.
    void move(int rows);
    Bookmark bookmark();
    void setBookmark(Bookmark bookmark);
    Bookmark lastModified() const;

    EditMode editMode() const { return m_editMode; }
    void edit();
    void addNew();
    void update();
    void cancelUpdate();
    void deleteCurrent();

    // Long data of a row by its bookmark, read from the file, without moving
    // the cursor or touching a pending edit. Empty when the row is gone.
    std::optional<QVariant> readLongData(Bookmark bookmark, int column);

    // The values of a row by its bookmark (long data left null), read from
    // the file without moving the cursor. Empty when the row is gone.
    std::optional<Row> readRow(Bookmark bookmark);
    Bookmark bookmarkAt(int position);

    // Memory held for the keyset and its index, in bytes.
    size_t keysetBytes() const { return m_keys.capacity() * sizeof(RowId) + m_posIndex.capacity() * sizeof(qint32); }

    // The position of the first row, in this recordset's order, whose column
    // begins with the text, ignoring case; -1 when none does. Does not move.
    int findFirstPrefix(int column, const QString& text);

private:
    void ensureLoaded();
    void ensureOpen() const;
    void requireCurrent();
    void leaveEdit();
    void setPosition(int position);
    int positionOf(RowId id);
    void buildPositionIndex();

    std::shared_ptr<TableStore> m_store;
    LockType m_lockType;
    std::vector<SortKey> m_order;
    QString m_sortText;
    bool m_open = true;
    bool m_loaded = false;

    std::vector<RowId> m_keys;
    int m_sortedCount = 0;  // keys that stand in the order of the sort; the rest were added after
    int m_pos = -1;         // -1 before the first row, size() after the last
    std::optional<Row> m_current;

    // Key -> position, built on first need (search, bookmarks).
    std::vector<qint32> m_posIndex;
    RowId m_posIndexBase = 0;
    bool m_posIndexValid = false;
    QSet<RowId> m_changedHere;

    EditMode m_editMode = dbEditNone;
    Row m_original;
    Row m_buffer;
    std::vector<bool> m_set;
    std::optional<Bookmark> m_lastModified;
};

} // namespace engine
