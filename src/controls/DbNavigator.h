#pragma once

#include <QPointer>
#include <QToolButton>
#include <QWidget>

#include "DataSource.h"

namespace controls {

// The record navigator: First, Prior, Next, Last, Insert, Cancel.
class DbNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Cancel, ButtonCount };

    explicit DbNavigator(QWidget* parent = nullptr);
    void setDataSource(dataset::DataSource* source);
    QToolButton* button(Button b) const { return m_buttons[b]; }

private:
    void attach();
    void updateButtons();
    void clicked(Button b);

    QPointer<dataset::DataSource> m_source;
    QPointer<dataset::DaoTable> m_table;
    QToolButton* m_buttons[ButtonCount];
};

} // namespace controls
