#include "support/TempCourse.h"
#include "users/NewUserChecks.h"

#include <gtest/gtest.h>

namespace {

class NewUserChecksTest : public ::testing::Test {
protected:
    TempCourse course;
    UserRegistry registry;

    void SetUp() override
    {
        addUser(registry, QStringLiteral("Anna"), QString(), u'A', QStringLiteral("w\\Report\\Anna\\Anna.rep"));
    }
    QString check(const QString &name, const QString &password = {}, const QString &again = {},
                  const QString &fileName = {})
    {
        return checkNewUser(registry, {name, password, again,
                                       fileName.isEmpty() ? newUserFileName("w", name) : fileName});
    }
};

TEST_F(NewUserChecksTest, EachCheckHasItsMessage)
{
    EXPECT_EQ(check("Anna"), QStringLiteral("Такое имя уже есть."));
    EXPECT_EQ(check("A.B"), QStringLiteral("Имя пользователя не может содержать точку."));
    EXPECT_EQ(check("A/B"), QStringLiteral("Имя пользователя не может содержать \"/\"."));
    EXPECT_EQ(check("A\\B"), QStringLiteral("Имя пользователя не может содержать \"\\\"."));
    EXPECT_EQ(check("A:B"), QStringLiteral("Имя пользователя не может содержать \":\"."));
    EXPECT_EQ(check(""), QStringLiteral("Не введено имя пользователя"));
    EXPECT_EQ(check("   "), QStringLiteral("Не введено имя пользователя"));
    EXPECT_EQ(check(QString(31, u'n')), QStringLiteral("Имя пользователя не может превышать 30 символов"));
    EXPECT_EQ(check("Bob", "abc", "abd"), QStringLiteral("Не подтвержден пароль"));
    EXPECT_EQ(check("Bob", "01234567890", "01234567890"), QStringLiteral("Длина пароля не может превышать 10 символов"));
    EXPECT_EQ(check("Bob", "", "", "w\\Report\\Anna\\Anna.rep"),
              QStringLiteral("Этот файл используется другим пользователем"));
}

// The record holds cp1251: "é" would be stored as "?" and the password never match again.
TEST_F(NewUserChecksTest, CharactersTheRecordCannotHoldAreRefused)
{
    EXPECT_EQ(check("Bob", QStringLiteral("café"), QStringLiteral("café")),
              QStringLiteral("Пароль не может содержать знак «é»: используйте русские или латинские буквы, цифры и знаки "
                             "препинания."));
    EXPECT_EQ(check(QStringLiteral("José")), QStringLiteral("Имя пользователя не может содержать знак «é»."));
    EXPECT_EQ(check("Bob", QStringLiteral("пароль?"), QStringLiteral("пароль?")), QString());
}

TEST_F(NewUserChecksTest, ChecksStopAtTheFirstFailure)
{
    EXPECT_EQ(check("Anna"), QStringLiteral("Такое имя уже есть."));
    addUser(registry, QStringLiteral("A.B"), QString(), u'A', QStringLiteral("x"));
    EXPECT_EQ(check("A.B"), QStringLiteral("Такое имя уже есть.")) << "a duplicate with a dot gives only the duplicate";
    EXPECT_EQ(check(QString(31, u'.')), QStringLiteral("Имя пользователя не может содержать точку."));
    EXPECT_EQ(check("Bob", "01234567890", "0123456789x"), QStringLiteral("Не подтвержден пароль"))
        << "confirmation before length";
}

TEST_F(NewUserChecksTest, AcceptedNames)
{
    EXPECT_EQ(check(QString(30, u'n')), QString());
    EXPECT_EQ(check("anna"), QString()) << "case differs";
    EXPECT_EQ(check("Ann Lee", "0123456789", "0123456789"), QString());
    EXPECT_EQ(check("Bob", "", ""), QString()) << "an empty password";
}

TEST_F(NewUserChecksTest, AnExistingFileMustBeAProgressFile)
{
    course.writeBytes("Report/Bob/Bob.rep", "not a progress file");
    const QString path = QStringLiteral("Report\\Bob\\Bob.rep");
    EXPECT_EQ(check("Bob", "", "", path), QStringLiteral("Файл не является файлом отчета для данного приложения"));
    QByteArray header(264, '\0');
    header[8] = 27;
    header.replace(9, 27, "Zelmarinta Vestorianika 1.0");
    course.writeBytes("Report/Bob/Bob.rep", header);
    EXPECT_EQ(check("Bob", "", "", path), QString());
}

TEST(NameField, AcceptsCodes31To127AndBackspaceOnly)
{
    EXPECT_TRUE(nameFieldAccepts(u'a'));
    EXPECT_TRUE(nameFieldAccepts(u' '));
    EXPECT_TRUE(nameFieldAccepts(QChar(31)));
    EXPECT_TRUE(nameFieldAccepts(QChar(127)));
    EXPECT_TRUE(nameFieldAccepts(QChar(8)));
    EXPECT_FALSE(nameFieldAccepts(QChar(30)));
    EXPECT_FALSE(nameFieldAccepts(QChar(128)));
    EXPECT_FALSE(nameFieldAccepts(u'Ж'));
    EXPECT_EQ(filterNameText(QStringLiteral("Анна Ann")), QStringLiteral(" Ann"));
}

} // namespace
