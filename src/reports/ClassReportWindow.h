#pragma once

#include "ClassReport.h"

#include <QDialog>

#include <functional>

class PictureButton;
class QTabWidget;

// "Отчет по классу": the class's progress, a table per mode, with "Сохранить как…" for the
// CSV and the printable page.
class ClassReportWindow : public QDialog {
    Q_OBJECT
public:
    explicit ClassReportWindow(QWidget *parent = nullptr);

    void fill(const ClassReport &report);
    // Asks for a file (chooseFile) and saves the report there.
    void saveAs();
    // Saves the report as a page when the name ends in .html or .htm, else as CSV; a
    // failure is told. True when saved.
    bool saveTo(const QString &file);

    // The file chooser; tests put their own in its place.
    std::function<QString(QWidget *)> chooseFile;

    QTabWidget *modeTabs;
    PictureButton *saveButton;
    PictureButton *closeButton;

private:
    ClassReport report_;
};
