#include "NewUserDialog.h"

#include "ModeChoice.h"
#include "Progress.h"

#include "controls/PictureButton.h"
#include "core/CourseError.h"
#include "core/CoursePath.h"
#include "core/FileSystem.h"
#include "ui/DialogFrame.h"
#include "ui/Mnemonics.h"
#include "ui/MessageWindow.h"

#include <QDir>
#include <QLabel>
#include <QValidator>

namespace {

// Typed characters outside codes 31 to 127 are refused by the name field.
class NameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return filterNameText(input) == input ? Acceptable : Invalid;
    }
};

QLineEdit *addField(QWidget *parent, const QString &label, int x, const char *name, bool masked)
{
    auto *caption = new QLabel(label, parent);
    caption->setGeometry(x, 20, 200, 20);
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(x, 42, 190, 26);
    edit->setAccessibleName(label);
    if (masked) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    }
    caption->setBuddy(edit);
    return edit;
}

} // namespace

NewUserDialog::NewUserDialog(const UserRegistry &registry, QWidget *parent)
    : QDialog(parent), registry_(registry)
{
    setObjectName("newUserDialog");
    setupDialogFrame(*this, QSize(660, 431), QStringLiteral("Новое имя"));
    setProperty("helpContext", 20);

    nameField = addField(this, QStringLiteral("Имя нового пользователя"), 20, "nameField", false);
    nameField->setValidator(new NameValidator(nameField));
    passwordField = addField(this, QStringLiteral("Пароль"), 232, "passwordField", true);
    passwordRepeatField = addField(this, QStringLiteral("Подтверждение пароля"), 444, "passwordRepeatField", true);
    nameHint = new QLabel(QStringLiteral("Имя пишется латинскими буквами"), this);
    nameHint->setObjectName("nameHint");
    nameHint->setFont(arialFont(12));
    nameHint->setStyleSheet(QStringLiteral("color: rgb(170, 0, 0);"));
    nameHint->setGeometry(20, 68, 200, 16);
    nameHint->hide();
    // The field drops what it cannot take; the learner is told why while typing.
    connect(nameField, &QLineEdit::inputRejected, this, &NewUserDialog::showNameHint);
    fileNameField = new QLineEdit(this);
    fileNameField->setObjectName("fileNameField");
    fileNameField->hide();

    modeChoice = new ModeChoice(this);
    modeChoice->setGeometry(20, 84, 620, 250);

    const CaptionedButton ok = addCaptionedButton(this, QPoint(170, 350), QStringLiteral("Подтверждение"),
                                                  SkinArt::ButtonSymbol::Confirm);
    okButton = ok.button;
    okButton->setObjectName("okButton");
    okButton->setDefault(true);
    const CaptionedButton cancel =
        addCaptionedButton(this, QPoint(310, 350), QStringLiteral("Отмена"), SkinArt::ButtonSymbol::Cancel);
    cancelButton = cancel.button;
    cancelButton->setObjectName("cancelButton");
    cancelButton->setCancel(true);
    helpButton = addHelpButton(this, QPoint(450, 350), QStringLiteral("NewUser"));

    connect(nameField, &QLineEdit::textChanged, this, &NewUserDialog::deriveFileName);
    connect(okButton, &QPushButton::clicked, this, &NewUserDialog::acceptIfValid);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    assignMnemonics(*this);
}

void NewUserDialog::showNameHint()
{
    if (!nameHint->isHidden())
        return;
    nameHint->show();
    nameField->setAccessibleDescription(nameHint->text());
}

void NewUserDialog::prepare()
{
    nameHint->hide();
    nameField->setAccessibleDescription(QString());
    nameField->clear();
    passwordField->clear();
    passwordRepeatField->clear();
    fileNameField->setText(workingFolder() + QStringLiteral("\\Report"));
    modeChoice->select(u'A');
    nameField->setFocus();
}

void NewUserDialog::deriveFileName()
{
    fileNameField->setText(newUserFileName(workingFolder(), nameField->text()));
}

NewUserInput NewUserDialog::input() const
{
    return {nameField->text(), passwordField->text(), passwordRepeatField->text(), fileNameField->text()};
}

QChar NewUserDialog::mode() const
{
    return modeChoice->selected();
}

void NewUserDialog::acceptIfValid()
{
    const QString problem = checkNewUser(registry_, input());
    if (!problem.isEmpty()) {
        showMessageBox(problem, QStringLiteral("Ошибка"), 48);
        return;
    }
    accept();
}

bool runNewUser(NewUserDialog &dialog, UserRegistry &registry)
{
    dialog.prepare();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const NewUserInput input = dialog.input();
    const int index = addUser(registry, input.name, input.password, dialog.mode(), input.fileName);
    try {
        // The whole path is made, Report included, so that a course folder without one still
        // gets its first learner. A folder that cannot be made is named as the cause.
        createFolders(input.fileName.left(input.fileName.lastIndexOf(u'\\') + 1));
        ProgressState fresh;
        resetProgress(fresh, dialog.mode());
        saveProgress(fresh, userProgressFile(registry.Users[index]));
    } catch (const CourseError &error) {
        showErrorMessage(error.userText());
    }
    return true;
}
