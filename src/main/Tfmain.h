#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QToolButton>

#include "DbEdit.h"
#include "DbGrid.h"
#include "DbMemo.h"
#include "DbNavigator.h"
#include "SearchBox.h"

class QGroupBox;
class QStatusBar;
class QToolBar;
class TData;

// The program's one window: toolbar with navigator, commands and search box,
// the detail frame with the current entry's fields, the grid of all entries.
class Tfmain : public QMainWindow {
    Q_OBJECT
public:
    explicit Tfmain(QWidget* parent = nullptr);
    ~Tfmain() override;

    // Binds the data-aware controls to the data module's data source.
    void bindData(TData* data);

    // Menu
    QAction* Datei1;
    QAction* Beenden1;
    QAction* Hilfe1;
    QAction* Update1;
    // Toolbar
    QToolBar* ToolBar1;
    controls::DbNavigator* DBNavigator1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton3;
    QToolButton* ToolButton5;
    QLabel* Panel1;
    SearchBox* suche;
    // Detail frame
    QGroupBox* GroupBox1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    controls::DbEdit* edfirma;
    controls::DbEdit* edurl;
    controls::DbEdit* edkdnr;
    controls::DbEdit* edlogon;
    controls::DbEdit* edkennwort;
    controls::DbEdit* edemail;
    controls::DbMemo* edbemerkung;
    QLineEdit* edkennwort2;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton3;
    QToolButton* SpeedButton4;
    QToolButton* SpeedButton5;
    // Grid and status bar
    controls::DbGrid* DBGrid1;
    QStatusBar* StatusBar1;

public slots:
    void sucheEnter(QObject* Sender);
    void sucheChange(QObject* Sender);
    void ToolButton2Click(QObject* Sender);
    void ToolButton3Click(QObject* Sender);
    void ToolButton5Click(QObject* Sender);
    void SpeedButton1Click(QObject* Sender);
    void SpeedButton2Click(QObject* Sender);
    void SpeedButton3Click(QObject* Sender);
    void SpeedButton4Click(QObject* Sender);
    void SpeedButton5Click(QObject* Sender);
    void edkennwortDblClick(QObject* Sender);
    void Update1Click(QObject* Sender);

protected:
    bool event(QEvent* event) override;

private:
    void buildMenu();
    void buildToolBar();
    void buildDetailFrame();
    void buildStatusBar();
    void copyField(QLineEdit* edit);

    bool m_activatedOnce = false;
};

extern Tfmain* fmain;
