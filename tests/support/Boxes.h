#pragma once

#include <QList>
#include <QQueue>

#include "MessageBox.h"

// Records every modal box and answers it: with the queued answers first,
// then with the box's default button.
class Boxes {
public:
    Boxes();
    ~Boxes();
    void answerNext(controls::BoxButton button) { m_answers.enqueue(button); }
    QList<controls::BoxRequest> shown;
    QStringList texts() const;

private:
    QQueue<controls::BoxButton> m_answers;
};
