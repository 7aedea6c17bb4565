#include "MainLayout.h"

MainLayout::MainLayout(QWidget* left, int leftWidth, QWidget* rest, QWidget* parent)
    : QWidget(parent), m_left(left), m_leftWidth(leftWidth), m_rest(rest) {
    m_left->setParent(this);
    m_rest->setParent(this);
}

void MainLayout::resizeEvent(QResizeEvent*) {
    m_left->setGeometry(0, 0, m_leftWidth, height());
    m_rest->setGeometry(m_leftWidth, 0, std::max(0, width() - m_leftWidth), height());
}
