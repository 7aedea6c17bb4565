#pragma once

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

#include "Field.h"
#include "Recordset.h"

namespace dataset {

class DaoDatabase;

enum class DataSetState { Inactive, Browse, Edit, Insert };

// Something bound to the table that may hold text not yet handed to its field.
class DataLink {
public:
    virtual ~DataLink() = default;
    // Hands pending text to the field; throws when the field refuses it.
    virtual void updateRecord() = 0;
};

// The table component: one sorted dynaset of a table with its record state,
// its current entry and the field objects bound to its columns.
class DaoTable : public QObject {
    Q_OBJECT
public:
    explicit DaoTable(QString name, QObject* parent = nullptr);
    ~DaoTable() override;

    QString name() const { return m_name; }
    DaoDatabase* database = nullptr;
    QString tableName;
    QStringList sortedBy;
    int tableType = engine::dbOpenDynaset;
    int lockType = engine::dbOptimistic;
    int openOptions = 0;
    bool readOnly = false;

    Field* addField(const QString& fieldName, FieldType type, int size = 0, bool readOnly = false);
    Field* findField(const QString& fieldName) const;
    const std::vector<std::unique_ptr<Field>>& fields() const { return m_fields; }

    void open();
    void close();
    bool active() const { return m_state != DataSetState::Inactive; }
    DataSetState state() const { return m_state; }
    bool modified() const { return m_modified; }
    bool canModify() const { return active() && m_canModify; }

    bool isEmpty();
    int recordCount();
    int recNo();
    void setRecNo(int n);
    // Set when a move ran into the first / last entry (and on an empty or
    // closed table): the navigator's rule for its buttons.
    bool bof();
    bool eof();

    void first();
    void prior();
    void next();
    void last();
    void moveBy(int distance);
    bool locate(const QString& fieldName, const QString& value, bool caseInsensitive, bool partialKey);

    void edit();
    void insert();
    void append();
    void post();
    void cancel();
    void remove();
    // The automatic save-or-discard step before every move.
    void checkBrowseMode();

    // Rows as a grid shows them: the stored entries plus a pending new one.
    int displayRowCount();
    int currentDisplayRow();
    QString displayText(int row, const Field* field);
    void moveToDisplayRow(int row);
    bool insertIsAppend() const { return m_insertAtEnd; }

    // The engine's recordset, for measurements.
    engine::Recordset* recordset() const { return m_rs.get(); }

    void addLink(DataLink* link);
    void removeLink(DataLink* link);
    // Asks every bound control to hand its pending text to its field.
    void updateRecord();

signals:
    void stateChanged();
    void recordChanged();  // the current entry or its values changed
    void rowsChanged();    // rows were added, removed or re-read

private:
    friend class Field;
    QString fieldText(const Field* field);
    void setFieldText(Field* field, const QString& text);

    [[noreturn]] void fail(const QString& message) const;
    void checkActive() const;
    void checkCanModify() const;
    void openRecordset();
    void bindFields();
    void loadCurrent();
    void reopenAt(int position);
    struct Ends {
        bool bof;
        bool eof;
    };
    void moveEngine(const std::function<Ends()>& move);
    void beginInsert(bool atEnd);
    void setState(DataSetState state);
    void setEnds(bool bof, bool eof);
    void notifyAll();

    QString m_name;
    std::vector<std::unique_ptr<Field>> m_fields;
    std::vector<DataLink*> m_links;
    std::unique_ptr<engine::Recordset> m_rs;
    DataSetState m_state = DataSetState::Inactive;
    bool m_canModify = false;
    bool m_modified = false;
    std::vector<QString> m_values;  // the current or pending entry, one per field
    std::vector<bool> m_set;        // fields set since the entry was loaded or created
    int m_insertRow = -1;
    bool m_atBof = true;
    bool m_atEof = false;
    bool m_insertAtEnd = false;
};

} // namespace dataset
