#include "WindowFixture.h"

WindowFixture::WindowFixture(const QList<QStringList>& rows)
    : window(std::make_unique<Tfmain>()), module(rows) {
    window->bindData(module.data.get());
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

WindowFixture::~WindowFixture() {
    window->close();
    module.data.reset();
    window.reset();
}

void WindowFixture::type(QWidget* w, const QString& text) const {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
