#pragma once

#include <QtTest>

#include "Application.h"
#include "Boxes.h"
#include "TestModule.h"
#include "Tfmain.h"

// The main window on a fresh database, shown and active, every box recorded.
struct WindowFixture {
    explicit WindowFixture(const QList<QStringList>& rows = {});
    WindowFixture(std::initializer_list<QStringList> rows) : WindowFixture(QList<QStringList>(rows)) {}
    ~WindowFixture();

    Boxes boxes;
    std::unique_ptr<Tfmain> window;
    TestModule module;

    dataset::DaoTable& table() const { return module.table(); }
    void type(QWidget* w, const QString& text) const;
};

// Runs a test object under the program's application object, so failures
// raised in event handlers reach its error box as in the program.
#define LIEFERANTEN_GUI_TEST_MAIN(TestObject)                                                                          \
    int main(int argc, char** argv) {                                                                                  \
        Application app(argc, argv);                                                                                   \
        TestObject test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
