#pragma once

#include <QWidget>

// The client area below the toolbar: the detail frame keeps its width along
// the left edge, the grid takes the rest.
class MainLayout : public QWidget {
public:
    MainLayout(QWidget* left, int leftWidth, QWidget* rest, QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_left;
    int m_leftWidth;
    QWidget* m_rest;
};
