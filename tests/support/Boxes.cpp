#include "Boxes.h"

Boxes::Boxes() {
    controls::MessageBoxes::setAnswerer([this](const controls::BoxRequest& r) {
        shown << r;
        return m_answers.isEmpty() ? r.defaultButton : m_answers.dequeue();
    });
}

Boxes::~Boxes() { controls::MessageBoxes::setAnswerer({}); }

QStringList Boxes::texts() const {
    QStringList out;
    for (const auto& r : shown)
        out << r.text;
    return out;
}
