#include "DaoTable.h"

#include <algorithm>

#include "DaoDatabase.h"
#include "DatabaseError.h"
#include "EngineError.h"

namespace dataset {

namespace {

QString textOf(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }

FieldType fieldTypeOf(const engine::Column& c) {
    switch (c.type) {
    case engine::ColumnType::Text: return FieldType::String;
    case engine::ColumnType::Memo: return FieldType::Memo;
    case engine::ColumnType::Integer: return FieldType::SmallInt;
    case engine::ColumnType::Long: return c.autoIncrement ? FieldType::AutoInc : FieldType::Integer;
    }
    return FieldType::String;
}

int typeGroup(FieldType t) {
    switch (t) {
    case FieldType::String: return 0;
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::AutoInc: return 1;
    case FieldType::Memo: return 2;
    }
    return -1;
}

// The starting value of a new entry from the column's declared default.
QString startValue(const engine::Column& c) {
    if (c.autoIncrement)
        return {};
    QString d = c.defaultValue;
    if (d.compare(QLatin1String("Null"), Qt::CaseInsensitive) == 0)
        return {};
    if ((c.type == engine::ColumnType::Text || c.type == engine::ColumnType::Memo) && d.size() >= 2 &&
        d.startsWith(u'"') && d.endsWith(u'"'))
        d = d.mid(1, d.size() - 2);
    return d;
}

} // namespace

DaoTable::DaoTable(QString name, QObject* parent) : QObject(parent), m_name(std::move(name)) {}

DaoTable::~DaoTable() {
    if (database)
        std::erase(database->m_tables, this);
}

Field* DaoTable::addField(const QString& fieldName, FieldType type, int size, bool readOnly) {
    m_fields.push_back(std::make_unique<Field>(this, fieldName, type, size, readOnly));
    return m_fields.back().get();
}

Field* DaoTable::findField(const QString& fieldName) const {
    for (const auto& f : m_fields)
        if (f->fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

void DaoTable::fail(const QString& message) const { throw DatabaseError(QStringLiteral("%1: %2").arg(m_name, message)); }

void DaoTable::checkActive() const {
    if (!active())
        fail(QStringLiteral("Operation bei geschlossener Datenmenge nicht ausführbar"));
}

void DaoTable::checkCanModify() const {
    if (!m_canModify)
        fail(QStringLiteral("Eine Datenmenge, die nur zum Lesen ist, kann nicht geändert werden"));
}

void DaoTable::addLink(DataLink* link) { m_links.push_back(link); }

void DaoTable::removeLink(DataLink* link) { std::erase(m_links, link); }

void DaoTable::updateRecord() {
    for (DataLink* link : std::vector<DataLink*>(m_links))
        link->updateRecord();
}

void DaoTable::setState(DataSetState state) {
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged();
}

void DaoTable::notifyAll() {
    emit rowsChanged();
    emit recordChanged();
}

// --- opening and closing

void DaoTable::openRecordset() {
    auto first = database->handle()->openRecordset(tableName, tableType, openOptions, lockType);
    m_canModify = !readOnly && first->updatable();
    for (auto& f : m_fields) {
        const int col = first->columnIndex(f->fieldName());
        if (col >= 0)
            f->m_startValue = startValue(first->column(col));
    }
    QStringList terms;
    for (const QString& line : sortedBy)
        terms << line + u' ';
    if (terms.isEmpty()) {
        m_rs = std::move(first);
        return;
    }
    first->setSort(terms.join(u','));
    m_rs = first->openRecordset(engine::dbOpenDynaset, 0);
    first->close();
}

void DaoTable::bindFields() {
    for (auto& f : m_fields) {
        const int col = m_rs->columnIndex(f->fieldName());
        if (col < 0)
            fail(QStringLiteral("Das Feld '%1' wurde nicht gefunden").arg(f->fieldName()));
        const engine::Column& c = m_rs->column(col);
        const FieldType found = fieldTypeOf(c);
        if (typeGroup(found) != typeGroup(f->dataType()))
            fail(QStringLiteral("Unterschiedliche Typen für Feld '%1'; erwartet: %2, gefunden: %3")
                     .arg(f->fieldName(), fieldTypeName(f->dataType()), fieldTypeName(found)));
        if (f->dataType() == FieldType::String)
            f->m_size = c.size > 0 ? c.size : 255;
        f->m_column = col;
        f->m_columnReadOnly = !c.dataUpdatable;
    }
}

void DaoTable::open() {
    if (active())
        return;
    if (!database || !database->connected())
        throw DatabaseError(QStringLiteral("TKADaoTable.OpenDaoRecordset: Database is NOT connected"));
    try {
        openRecordset();
        bindFields();
    } catch (...) {
        m_rs.reset();
        throw;
    }
    if (std::find(database->m_tables.begin(), database->m_tables.end(), this) == database->m_tables.end())
        database->m_tables.push_back(this);
    m_values.assign(m_fields.size(), QString());
    m_set.assign(m_fields.size(), false);
    m_modified = false;
    m_insertRow = -1;
    setEnds(true, false);
    setState(DataSetState::Browse);
    if (m_rs->recordCount() > 0)
        m_rs->moveFirst();
    loadCurrent();
    notifyAll();
}

void DaoTable::close() {
    if (!active())
        return;
    // A pending entry is dropped, never saved.
    setState(DataSetState::Inactive);
    m_modified = false;
    m_insertRow = -1;
    m_values.assign(m_fields.size(), QString());
    if (m_rs)
        m_rs->close();
    m_rs.reset();
    notifyAll();
}

// --- reading

void DaoTable::loadCurrent() {
    for (int attempt = 0; attempt < 3; ++attempt) {
        m_values.assign(m_fields.size(), QString());
        m_set.assign(m_fields.size(), false);
        const int pos = m_rs->absolutePosition();
        if (pos < 0)
            return;
        const std::optional<engine::Row> row = m_rs->readRow(m_rs->bookmark());
        if (row) {
            for (size_t i = 0; i < m_fields.size(); ++i)
                if (!m_fields[i]->isBlob())
                    m_values[i] = textOf((*row)[m_fields[i]->m_column]);
            return;
        }
        // Another user deleted the current entry: read the rows anew.
        reopenAt(pos);
    }
}

void DaoTable::reopenAt(int position) {
    m_rs->close();
    m_rs.reset();
    openRecordset();
    bindFields();
    const int count = m_rs->recordCount();
    if (count > 0)
        m_rs->setAbsolutePosition(std::min(position, count - 1));
    emit rowsChanged();
}

QString DaoTable::fieldText(const Field* field) {
    if (!active())
        return {};
    const size_t i = size_t(std::find_if(m_fields.begin(), m_fields.end(),
                                         [field](const auto& f) { return f.get() == field; }) -
                            m_fields.begin());
    if (m_state != DataSetState::Browse || !field->isBlob())
        return m_values[i];
    // The memo is read from the file each time it is shown, never kept.
    if (m_rs->absolutePosition() < 0)
        return {};
    try {
        const auto v = m_rs->readLongData(m_rs->bookmark(), field->m_column);
        if (v)
            return textOf(*v);
    } catch (const engine::EngineError&) {
    }
    loadCurrent();
    emit rowsChanged();
    return {};
}

void DaoTable::setFieldText(Field* field, const QString& text) {
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        fail(QStringLiteral("Datenmenge weder im Editier- noch im Einfügemodus"));
    if (field->readOnly())
        fail(QStringLiteral("Feld '%1' kann nicht geändert werden").arg(field->fieldName()));
    const size_t i = size_t(std::find_if(m_fields.begin(), m_fields.end(),
                                         [field](const auto& f) { return f.get() == field; }) -
                            m_fields.begin());
    m_values[i] = field->dataType() == FieldType::String ? text.left(field->size()) : text;
    m_set[i] = true;
    m_modified = true;
    emit recordChanged();
}

bool DaoTable::isEmpty() { return !active() || m_rs->recordCount() == 0; }

int DaoTable::recordCount() { return active() ? m_rs->recordCount() : 0; }

int DaoTable::recNo() {
    if (!active())
        return -1;
    if (m_state == DataSetState::Insert)
        return m_insertRow + 1;
    const int pos = m_rs->absolutePosition();
    return pos < 0 ? -1 : pos + 1;
}

// --- moving

void DaoTable::moveEngine(const std::function<Ends()>& move) {
    checkActive();
    checkBrowseMode();
    if (m_rs->recordCount() > 0) {
        const Ends ends = move();
        setEnds(ends.bof, ends.eof);
    }
    loadCurrent();
    emit recordChanged();
}

void DaoTable::first() {
    moveEngine([this] {
        m_rs->moveFirst();
        return Ends{true, false};
    });
}

void DaoTable::last() {
    moveEngine([this] {
        m_rs->moveLast();
        return Ends{false, true};
    });
}

void DaoTable::next() { moveBy(1); }

void DaoTable::prior() { moveBy(-1); }

void DaoTable::moveBy(int distance) {
    moveEngine([&] {
        const int count = m_rs->recordCount();
        const int target = std::max(0, m_rs->absolutePosition()) + distance;
        m_rs->setAbsolutePosition(std::clamp(target, 0, count - 1));
        // An end is reached only by trying to move past it, as the navigator expects.
        return distance == 0 ? Ends{m_atBof, m_atEof} : Ends{target < 0, target > count - 1};
    });
}

void DaoTable::setEnds(bool bof, bool eof) {
    m_atBof = bof;
    m_atEof = eof;
}

bool DaoTable::bof() {
    if (!active() || m_rs->recordCount() == 0)
        return true;
    return m_state != DataSetState::Insert && m_atBof;
}

bool DaoTable::eof() {
    if (!active() || m_rs->recordCount() == 0)
        return true;
    return m_state != DataSetState::Insert && m_atEof;
}

void DaoTable::setRecNo(int n) {
    checkActive();
    checkBrowseMode();
    const int count = m_rs->recordCount();
    if (count > 0)
        m_rs->setAbsolutePosition(std::clamp(n, 1, count) - 1);
    setEnds(false, false);
    loadCurrent();
    emit recordChanged();
}

bool DaoTable::locate(const QString& fieldName, const QString& value, bool caseInsensitive, bool partialKey) {
    if (!active() || m_rs->recordCount() == 0)
        return false;
    if (!caseInsensitive || !partialKey)
        throw DatabaseError(QStringLiteral("Suche nur nach Anfang und ohne Groß-/Kleinschreibung möglich"));
    const Field* field = findField(fieldName);
    if (!field)
        fail(QStringLiteral("Das Feld '%1' wurde nicht gefunden").arg(fieldName));
    const int pos = m_rs->findFirstPrefix(field->m_column, value);
    if (pos < 0)
        return false;
    const engine::Bookmark target = m_rs->bookmarkAt(pos);
    checkBrowseMode();
    m_rs->setBookmark(target);
    setEnds(false, false);
    loadCurrent();
    notifyAll();
    return true;
}

// --- changing

void DaoTable::checkBrowseMode() {
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        return;
    updateRecord();
    if (m_modified)
        post();
    else
        cancel();
}

void DaoTable::edit() {
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        return;
    checkActive();
    if (isEmpty()) {
        insert();
        return;
    }
    checkCanModify();
    try {
        if (m_rs->editMode() != engine::dbEditInProgress)
            m_rs->edit();
    } catch (const engine::EngineError&) {
        if (m_rs->editMode() == engine::dbEditNone) {
            try {
                m_rs->move(0);
            } catch (const engine::EngineError&) {
            }
            loadCurrent();
            notifyAll();
        }
        throw;
    }
    // The edit starts from the values stored now, the memo included.
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_values[i] = textOf(m_rs->value(m_fields[i]->m_column));
    m_set.assign(m_fields.size(), false);
    m_modified = false;
    setState(DataSetState::Edit);
    notifyAll();
}

void DaoTable::beginInsert(bool atEnd) {
    checkActive();
    checkBrowseMode();
    checkCanModify();
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_values[i] = m_fields[i]->m_startValue;
    m_set.assign(m_fields.size(), false);
    m_modified = false;
    const int count = m_rs->recordCount();
    m_insertAtEnd = atEnd || count == 0;
    m_insertRow = m_insertAtEnd ? count : std::max(0, m_rs->absolutePosition());
    setState(DataSetState::Insert);
    notifyAll();
}

void DaoTable::insert() { beginInsert(false); }

void DaoTable::append() { beginInsert(true); }

void DaoTable::post() {
    updateRecord();
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        fail(QStringLiteral("Datenmenge weder im Editier- noch im Einfügemodus"));
    const bool inserting = m_state == DataSetState::Insert;
    try {
        if (inserting)
            m_rs->addNew();
        else if (m_rs->editMode() != engine::dbEditInProgress)
            m_rs->edit();  // after a refused save: the stored row is read anew, the set fields go over it
        for (size_t i = 0; i < m_fields.size(); ++i) {
            const Field& f = *m_fields[i];
            if (!m_set[i] || f.m_columnReadOnly)
                continue;
            m_rs->setValue(f.m_column, m_values[i].isEmpty() ? QVariant() : QVariant(m_values[i]));
        }
        m_rs->update();
    } catch (const engine::EngineError&) {
        // Everything the user entered stays; the engine's half-done write does not.
        try {
            if (inserting && m_rs->editMode() == engine::dbEditAdd) {
                m_rs->cancelUpdate();
            } else if (!inserting && !m_rs->lockEdits() && m_rs->editMode() == engine::dbEditInProgress) {
                m_rs->cancelUpdate();
                m_rs->move(0);
            }
        } catch (const engine::EngineError&) {
        }
        throw;
    }
    m_rs->setBookmark(m_rs->lastModified());
    setEnds(false, false);
    if (m_state == DataSetState::Insert)
        setEnds(false, false);
    m_insertRow = -1;
    m_modified = false;
    setState(DataSetState::Browse);
    loadCurrent();
    notifyAll();
}

void DaoTable::cancel() {
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        return;
    if (m_rs->editMode() != engine::dbEditNone) {
        try {
            m_rs->cancelUpdate();
        } catch (const engine::EngineError&) {
        }
    }
    if (m_state == DataSetState::Insert)
        setEnds(false, false);
    m_insertRow = -1;
    m_modified = false;
    setState(DataSetState::Browse);
    loadCurrent();
    notifyAll();
}

void DaoTable::remove() {
    checkActive();
    if (m_state == DataSetState::Insert) {
        cancel();
        return;
    }
    if (isEmpty())
        fail(QStringLiteral("Operation bei leerer Datenmenge nicht ausführbar"));
    try {
        m_rs->deleteCurrent();
    } catch (const engine::EngineError& e) {
        if (e.number() != engine::ErrRecordDeleted)
            throw;
        // Deleted by another user already: done, the rows are read anew.
    }
    m_modified = false;
    setEnds(false, false);
    setState(DataSetState::Browse);
    loadCurrent();
    notifyAll();
}

// --- the grid's view of the rows

int DaoTable::displayRowCount() {
    if (!active())
        return 0;
    return m_rs->recordCount() + (m_state == DataSetState::Insert ? 1 : 0);
}

int DaoTable::currentDisplayRow() {
    if (!active())
        return -1;
    if (m_state == DataSetState::Insert)
        return m_insertRow;
    return m_rs->absolutePosition();
}

QString DaoTable::displayText(int row, const Field* field) {
    if (!active() || row < 0)
        return {};
    int position = row;
    if (m_state == DataSetState::Insert) {
        if (row == m_insertRow)
            return fieldText(field);
        if (row > m_insertRow)
            --position;
    }
    // The current entry shows its pending values; in insert state those belong to the new row.
    if (position == m_rs->absolutePosition() && m_state != DataSetState::Insert)
        return fieldText(field);
    if (position >= m_rs->recordCount())
        return {};
    const auto values = m_rs->readRow(m_rs->bookmarkAt(position));
    return values ? textOf((*values)[field->m_column]) : QString();
}

void DaoTable::moveToDisplayRow(int row) {
    if (m_state == DataSetState::Insert) {
        if (row == m_insertRow)
            return;
        if (row > m_insertRow)
            --row;
    }
    setRecNo(row + 1);
}

} // namespace dataset
