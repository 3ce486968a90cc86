#include "ClassReportWindow.h"

#include "controls/PictureButton.h"
#include "core/FileSystem.h"
#include "ui/DialogFrame.h"
#include "ui/MessageWindow.h"
#include "ui/Mnemonics.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QSaveFile>
#include <QTabWidget>
#include <QTableWidget>

namespace {

QString askForFile(QWidget *parent)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Сохранить как"), QStringLiteral("Отчет по классу.csv"),
                                        QStringLiteral("Таблица CSV (*.csv);;Страница для печати (*.html)"));
}

QTableWidget *tableOf(const ClassReport::Mode &mode, QWidget *parent)
{
    auto *table = new QTableWidget(int(mode.rows.size()), int(mode.exercises.size()) + 2, parent);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setHorizontalHeaderLabels(QStringList{QStringLiteral("Ученик"), QStringLiteral("Выполнено")} + mode.exercises);
    table->verticalHeader()->hide();
    table->setAccessibleName(QStringLiteral("Режим ") + mode.letter);
    for (int r = 0; r < mode.rows.size(); ++r) {
        const ClassReport::Row &row = mode.rows[r];
        table->setItem(r, 0, new QTableWidgetItem(row.name));
        table->setItem(r, 1, new QTableWidgetItem(row.doneText()));
        for (int c = 0; c < row.cells.size(); ++c) {
            auto *item = new QTableWidgetItem(row.cells[c]);
            item->setTextAlignment(Qt::AlignCenter);
            table->setItem(r, c + 2, item);
        }
    }
    table->resizeColumnsToContents();
    return table;
}

} // namespace

ClassReportWindow::ClassReportWindow(QWidget *parent) : QDialog(parent), chooseFile(askForFile)
{
    setObjectName("classReportWindow");
    setupDialogFrame(*this, QSize(760, 480), QStringLiteral("Отчет по классу"));
    modeTabs = new QTabWidget(this);
    modeTabs->setObjectName("modeTabs");
    modeTabs->setGeometry(12, 12, 736, 370);
    saveButton = addCaptionedButton(this, QPoint(220, 394), QStringLiteral("Сохранить как…"),
                                    SkinArt::ButtonSymbol::Confirm, 130)
                     .button;
    saveButton->setObjectName("saveButton");
    closeButton =
        addCaptionedButton(this, QPoint(460, 394), QStringLiteral("Закрыть"), SkinArt::ButtonSymbol::Exit).button;
    closeButton->setObjectName("closeButton");
    closeButton->setCancel(true);
    closeButton->setModalResult(QDialog::Accepted);
    connect(saveButton, &QPushButton::clicked, this, &ClassReportWindow::saveAs);
    assignMnemonics(*this);
}

void ClassReportWindow::fill(const ClassReport &report)
{
    report_ = report;
    while (modeTabs->count() > 0) {
        QWidget *page = modeTabs->widget(0);
        modeTabs->removeTab(0);
        delete page;
    }
    for (const ClassReport::Mode &mode : report.modes)
        modeTabs->addTab(tableOf(mode, modeTabs), QStringLiteral("Режим ") + mode.letter);
}

void ClassReportWindow::saveAs()
{
    const QString file = chooseFile(this);
    if (!file.isEmpty())
        saveTo(file);
}

bool ClassReportWindow::saveTo(const QString &file)
{
    const bool page = file.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive) ||
                      file.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive);
    // The teacher's own file, wherever he chose it; replaced whole or not at all.
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write(page ? classReportHtml(report_) : classReportCsv(report_)) >= 0 &&
        out.commit())
        return true;
    showErrorMessage(QStringLiteral("Не удалось сохранить отчет в файл «%1»: %2").arg(file, fileErrorText(out.error())));
    return false;
}
