#include "Recordset.h"

#include <algorithm>
#include <climits>

#include "EngineError.h"

namespace engine {

namespace {

[[noreturn]] void throwNoCurrent() {
    throw EngineError(ErrNoCurrentRecord, QStringLiteral("Kein aktueller Datensatz"));
}

} // namespace

Recordset::Recordset(std::shared_ptr<TableStore> store, LockType lockType, std::vector<SortKey> order)
    : m_store(std::move(store)), m_lockType(lockType), m_order(std::move(order)) {}

void Recordset::ensureOpen() const {
    if (!m_open)
        throw EngineError(ErrInternal, QStringLiteral("Die Datensatzgruppe ist geschlossen"));
}

void Recordset::ensureLoaded() {
    ensureOpen();
    if (m_loaded)
        return;
    m_keys = m_store->keys(m_order);
    m_sortedCount = int(m_keys.size());
    m_loaded = true;
    m_pos = 0;
    m_current.reset();
}

void Recordset::setSort(const QString& text) {
    parseSort(text, m_store->columns());  // refuse unknown fields now, not at the next open
    m_sortText = text;
}

std::unique_ptr<Recordset> Recordset::openRecordset(int, int) const {
    ensureOpen();
    auto rs = std::make_unique<Recordset>(m_store, m_lockType, parseSort(m_sortText, m_store->columns()));
    rs->ensureLoaded();
    return rs;
}

void Recordset::close() {
    m_open = false;
    m_keys.clear();
    m_keys.shrink_to_fit();
    m_posIndex.clear();
    m_posIndex.shrink_to_fit();
    m_current.reset();
    m_editMode = dbEditNone;
}

int Recordset::columnIndex(const QString& name) const {
    const auto& cols = m_store->columns();
    for (int i = 0; i < int(cols.size()); ++i)
        if (cols[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Recordset::recordCount() {
    ensureLoaded();
    return int(m_keys.size());
}

bool Recordset::bof() {
    ensureLoaded();
    return m_keys.empty() || m_pos < 0;
}

bool Recordset::eof() {
    ensureLoaded();
    return m_keys.empty() || m_pos >= int(m_keys.size());
}

int Recordset::absolutePosition() {
    ensureLoaded();
    return (m_pos >= 0 && m_pos < int(m_keys.size())) ? m_pos : -1;
}

void Recordset::leaveEdit() {
    // Moving away abandons a pending edit or add, as the old engine did.
    m_editMode = dbEditNone;
    m_buffer.clear();
    m_original.clear();
    m_set.clear();
}

void Recordset::setPosition(int position) {
    ensureLoaded();
    leaveEdit();
    m_pos = std::clamp(position, -1, int(m_keys.size()));
    m_current.reset();
}

void Recordset::setAbsolutePosition(int position) {
    ensureLoaded();
    if (position < 0 || position >= int(m_keys.size()))
        throwNoCurrent();
    setPosition(position);
}

void Recordset::moveFirst() { setPosition(0); }

void Recordset::moveLast() {
    ensureLoaded();
    setPosition(int(m_keys.size()) - 1);
}

void Recordset::moveNext() {
    ensureLoaded();
    if (eof())
        throwNoCurrent();
    setPosition(m_pos + 1);
}

void Recordset::movePrevious() {
    ensureLoaded();
    if (bof())
        throwNoCurrent();
    setPosition(m_pos - 1);
}

void Recordset::move(int rows) {
    ensureLoaded();
    if (rows == 0) {
        requireCurrent();
        leaveEdit();
        m_current.reset();
        return;
    }
    setPosition(m_pos + rows);
}

void Recordset::requireCurrent() {
    ensureLoaded();
    if (m_pos < 0 || m_pos >= int(m_keys.size()))
        throwNoCurrent();
}

Bookmark Recordset::bookmark() {
    requireCurrent();
    return m_keys[m_pos];
}

void Recordset::setBookmark(Bookmark bookmark) {
    ensureLoaded();
    const int p = positionOf(bookmark);
    if (p < 0)
        throw EngineError(ErrRecordDeleted, QStringLiteral("Ungültige Textmarke"));
    setPosition(p);
}

Bookmark Recordset::lastModified() const {
    if (!m_lastModified)
        throwNoCurrent();
    return *m_lastModified;
}

QVariant Recordset::value(int column) {
    if (column < 0 || column >= fieldCount())
        throw EngineError(ErrInternal, QStringLiteral("Ungültige Feldnummer %1").arg(column));
    if (m_editMode != dbEditNone)
        return m_buffer[column];
    requireCurrent();
    if (m_store->columns()[column].isLongData()) {
        const auto v = m_store->readValue(m_keys[m_pos], column);
        if (!v)
            throwRecordDeleted();
        return *v;
    }
    if (!m_current) {
        m_current = m_store->readRow(m_keys[m_pos], false);
        if (!m_current)
            throwRecordDeleted();
    }
    return (*m_current)[column];
}

void Recordset::setValue(int column, const QVariant& value) {
    if (m_editMode == dbEditNone)
        throw EngineError(ErrUpdateWithoutEdit, QStringLiteral("Aktualisieren ohne vorheriges Bearbeiten oder Hinzufügen"));
    const Column& c = m_store->columns()[column];
    if (!c.dataUpdatable)
        throw EngineError(ErrNotUpdatable, QStringLiteral("Das Feld '%1' kann nicht geändert werden").arg(c.name));
    if (c.type == ColumnType::Text && !value.isNull() && value.toString().size() > c.size)
        throw EngineError(ErrFieldTooSmall,
                          QStringLiteral("Der Text ist zu lang für das Feld '%1' (höchstens %2 Zeichen)").arg(c.name).arg(c.size));
    m_buffer[column] = value;
    m_set[column] = true;
}

void Recordset::edit() {
    requireCurrent();
    if (!updatable())
        throw EngineError(ErrNotUpdatable, QStringLiteral("Die Datenbank oder das Objekt ist schreibgeschützt"));
    std::optional<Row> row = m_store->readRow(m_keys[m_pos], true);
    if (!row)
        throwRecordDeleted();
    m_original = *row;
    m_buffer = *row;
    m_set.assign(m_buffer.size(), false);
    m_editMode = dbEditInProgress;
    m_current.reset();
}

void Recordset::addNew() {
    ensureLoaded();
    if (!updatable())
        throw EngineError(ErrNotUpdatable, QStringLiteral("Die Datenbank oder das Objekt ist schreibgeschützt"));
    m_buffer.assign(m_store->columns().size(), QVariant());
    m_original.clear();
    m_set.assign(m_buffer.size(), false);
    m_editMode = dbEditAdd;
}

void Recordset::update() {
    if (m_editMode == dbEditNone)
        throw EngineError(ErrUpdateWithoutEdit, QStringLiteral("Aktualisieren ohne vorheriges Bearbeiten oder Hinzufügen"));
    ColumnValues values;
    for (int i = 0; i < int(m_set.size()); ++i)
        if (m_set[i])
            values.emplace_back(i, m_buffer[i]);
    if (m_editMode == dbEditInProgress) {
        const RowId id = m_keys[m_pos];
        m_store->update(id, m_original, values);
        m_changedHere.insert(id);
        m_lastModified = id;
    } else {
        const RowId id = m_store->insert(values);
        m_keys.push_back(id);
        if (m_posIndexValid) {
            const qint64 slot = qint64(id) - m_posIndexBase;
            if (slot >= 0 && slot < qint64(m_posIndex.size()))
                m_posIndex[slot] = int(m_keys.size()) - 1;
            else
                m_posIndexValid = false;
        }
        m_changedHere.insert(id);
        m_lastModified = id;
    }
    leaveEdit();
    m_current.reset();
}

void Recordset::cancelUpdate() {
    if (m_editMode == dbEditNone)
        throw EngineError(ErrUpdateWithoutEdit, QStringLiteral("Abbrechen ohne vorheriges Bearbeiten oder Hinzufügen"));
    leaveEdit();
    m_current.reset();
}

void Recordset::deleteCurrent() {
    requireCurrent();
    if (!updatable())
        throw EngineError(ErrNotUpdatable, QStringLiteral("Die Datenbank oder das Objekt ist schreibgeschützt"));
    const RowId id = m_keys[m_pos];
    bool goneAlready = false;
    try {
        m_store->remove(id);
    } catch (const EngineError& e) {
        if (e.number() != ErrRecordDeleted)
            throw;
        goneAlready = true;
    }
    // The row is gone either way: drop it from the keyset; the following row becomes current.
    m_keys.erase(m_keys.begin() + m_pos);
    if (m_pos < m_sortedCount)
        --m_sortedCount;
    m_posIndexValid = false;
    m_changedHere.remove(id);
    leaveEdit();
    m_current.reset();
    if (m_pos >= int(m_keys.size()))
        m_pos = int(m_keys.size()) - 1;
    if (goneAlready)
        throwRecordDeleted();
}

std::optional<QVariant> Recordset::readLongData(Bookmark bookmark, int column) {
    ensureOpen();
    return m_store->readValue(bookmark, column);
}

void Recordset::buildPositionIndex() {
    m_posIndex.clear();
    m_posIndexValid = true;
    if (m_keys.empty())
        return;
    const auto [lo, hi] = std::minmax_element(m_keys.begin(), m_keys.end());
    const qint64 range = qint64(*hi) - *lo + 1;
    // Sparse keys (a row added with a huge key) fall back to a linear search.
    if (range > 8 * qint64(m_keys.size()) + 1024) {
        m_posIndexValid = false;
        return;
    }
    m_posIndexBase = *lo;
    m_posIndex.assign(size_t(range), -1);
    for (int i = 0; i < int(m_keys.size()); ++i)
        m_posIndex[size_t(m_keys[i] - m_posIndexBase)] = i;
}

int Recordset::positionOf(RowId id) {
    if (!m_posIndexValid)
        buildPositionIndex();
    if (m_posIndexValid) {
        const qint64 slot = qint64(id) - m_posIndexBase;
        return (slot >= 0 && slot < qint64(m_posIndex.size())) ? m_posIndex[size_t(slot)] : -1;
    }
    const auto it = std::find(m_keys.begin(), m_keys.end(), id);
    return it == m_keys.end() ? -1 : int(it - m_keys.begin());
}

std::optional<Row> Recordset::readRow(Bookmark bookmark) {
    ensureOpen();
    return m_store->readRow(bookmark, false);
}

Bookmark Recordset::bookmarkAt(int position) {
    ensureLoaded();
    if (position < 0 || position >= int(m_keys.size()))
        throwNoCurrent();
    return m_keys[position];
}

int Recordset::findFirstPrefix(int column, const QString& text) {
    ensureLoaded();
    if (m_keys.empty())
        return -1;
    // Rows that stand in the sort order come from the store in that order, so
    // the first of them that matches is the first match among them.
    const bool storeOrderIsOurs =
        m_order.size() == 1 && m_order.front().column == column && !m_order.front().descending;
    int best = INT_MAX;
    m_store->scanPrefix(column, text, [&](RowId id, const QString& value) {
        if (!value.startsWith(text, Qt::CaseInsensitive))
            return true;
        const int p = positionOf(id);
        if (p < 0)
            return true;  // added by another user after this recordset opened
        best = std::min(best, p);
        return !(storeOrderIsOurs && p < m_sortedCount && !m_changedHere.contains(id));
    });
    // Rows changed through this recordset keep their old place.
    for (const RowId id : m_changedHere) {
        const int p = positionOf(id);
        if (p < 0 || p >= best)
            continue;
        const auto v = m_store->readValue(id, column);
        if (v && v->toString().startsWith(text, Qt::CaseInsensitive))
            best = p;
    }
    return best == INT_MAX ? -1 : best;
}

} // namespace engine
