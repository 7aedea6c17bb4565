#pragma once

#include <QLineEdit>

// The search box: a plain edit that reports when the user enters it from
// another control of the window (not when the window merely gets active again).
class SearchBox : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void entered();

protected:
    void focusInEvent(QFocusEvent* event) override;
};
