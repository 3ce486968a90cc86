#include "DlgNewUser.h"

#include "ModeChoice.h"
#include "Progress.h"

#include "controls/BtnImgD1KL.h"
#include "core/CourseError.h"
#include "core/CoursePath.h"
#include "ui/DialogFrame.h"
#include "ui/DlgMessage.h"

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

TOKBottomDlgNewUser::TOKBottomDlgNewUser(const UserRegistry &registry, QWidget *parent)
    : QDialog(parent), registry_(registry)
{
    setObjectName("OKBottomDlgNewUser");
    setupDialogFrame(*this, QSize(660, 431), QStringLiteral("Новое имя"));
    setProperty("helpContext", 20);

    EditNameUser = addField(this, QStringLiteral("Имя нового пользователя"), 20, "EditNameUser", false);
    EditNameUser->setValidator(new NameValidator(EditNameUser));
    EditPassword = addField(this, QStringLiteral("Пароль"), 232, "EditPassword", true);
    EditPassword2 = addField(this, QStringLiteral("Подтверждение пароля"), 444, "EditPassword2", true);
    EditFileName = new QLineEdit(this);
    EditFileName->setObjectName("EditFileName");
    EditFileName->hide();

    Modes = new ModeChoice(this);
    Modes->setGeometry(20, 84, 620, 250);

    const CaptionedButton ok = addCaptionedButton(this, QPoint(240, 350), QStringLiteral("Подтверждение"),
                                                  SkinArt::ButtonSymbol::Confirm);
    BitBtnOk = ok.button;
    BitBtnOk->setObjectName("BitBtnOk");
    BitBtnOk->setDefault(true);
    const CaptionedButton cancel =
        addCaptionedButton(this, QPoint(380, 350), QStringLiteral("Отмена"), SkinArt::ButtonSymbol::Cancel);
    BitBtnCancel = cancel.button;
    BitBtnCancel->setObjectName("BitBtnCancel");
    BitBtnCancel->setCancel(true);

    connect(EditNameUser, &QLineEdit::textChanged, this, &TOKBottomDlgNewUser::EditNameUserChange);
    connect(BitBtnOk, &QPushButton::clicked, this, &TOKBottomDlgNewUser::BitBtnOkClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TOKBottomDlgNewUser::prepare()
{
    EditNameUser->clear();
    EditPassword->clear();
    EditPassword2->clear();
    EditFileName->setText(workingFolder() + QStringLiteral("\\Report"));
    Modes->select(u'A');
    EditNameUser->setFocus();
}

void TOKBottomDlgNewUser::EditNameUserChange()
{
    EditFileName->setText(newUserFileName(workingFolder(), EditNameUser->text()));
}

NewUserInput TOKBottomDlgNewUser::input() const
{
    return {EditNameUser->text(), EditPassword->text(), EditPassword2->text(), EditFileName->text()};
}

QChar TOKBottomDlgNewUser::mode() const
{
    return Modes->selected();
}

void TOKBottomDlgNewUser::BitBtnOkClick()
{
    const QString problem = checkNewUser(registry_, input());
    if (!problem.isEmpty()) {
        ShowMessageBox(problem, QStringLiteral("Ошибка"), 48);
        return;
    }
    // The whole path is made, Report included, so that a course folder without one still
    // gets its first learner.
    const QString fileName = EditFileName->text();
    QDir().mkpath(toLocalSeparators(fileName.left(fileName.lastIndexOf(u'\\') + 1)));
    accept();
}

bool RunNewUser(TOKBottomDlgNewUser &dialog, UserRegistry &registry)
{
    dialog.prepare();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const NewUserInput input = dialog.input();
    const int index = AddUser(registry, input.name, input.password, dialog.mode(), input.fileName);
    try {
        ProgressState fresh;
        ResetProgress(fresh, dialog.mode());
        SaveProgress(fresh, registry.Users[index].FileName());
    } catch (const CourseError &error) {
        ShowMessageBox(error.userText(), QStringLiteral("Ошибка"), 16);
    }
    return true;
}
